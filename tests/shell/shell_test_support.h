#pragma once

#include <filesystem>
#include <string>

#include "../lists/list_test_support.h"

namespace tw::test {

using ShellTempDir = TempDir;

// Writes the file, making its folder first.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    WriteBytes(path, bytes);
}

}  // namespace tw::test

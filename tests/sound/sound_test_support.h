#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "sound_error.h"

namespace twtest {

using Bytes = std::vector<std::uint8_t>;
using Reason = tw::SoundError::Reason;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("tw-sound-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Names of everything in the folder.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline std::uint32_t U32At(const Bytes& image, std::size_t at) {
    return image[at] | image[at + 1] << 8 | image[at + 2] << 16 | static_cast<std::uint32_t>(image[at + 3]) << 24;
}

inline std::int16_t SampleAt(const Bytes& image, std::size_t index) {
    return static_cast<std::int16_t>(image[44 + 2 * index] | image[45 + 2 * index] << 8);
}

template <class Fn>
void ExpectSoundError(Fn&& fn, Reason reason, const std::string& text = {}) {
    try {
        fn();
        ADD_FAILURE() << "expected a SoundError, nothing was thrown";
    } catch (const tw::SoundError& e) {
        EXPECT_EQ(static_cast<int>(e.reason()), static_cast<int>(reason)) << "message: " << e.what();
        if (!text.empty()) EXPECT_EQ(std::string(e.what()), text);
    }
}

}  // namespace twtest

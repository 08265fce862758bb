#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sound/sound_error.h"
#include "support/expect_error.h"
#include "support/temp_files.h"

namespace twtest {

using Bytes = std::vector<std::uint8_t>;
using Reason = tw::SoundError::Reason;
using tw::test::FilesIn;
using tw::test::TempDir;

inline Bytes FileBytes(const std::filesystem::path& path) {
    const std::string bytes = tw::test::ReadBytes(path);
    return Bytes(bytes.begin(), bytes.end());
}

inline std::uint32_t U32At(const Bytes& image, std::size_t at) {
    return image[at] | image[at + 1] << 8 | image[at + 2] << 16 | static_cast<std::uint32_t>(image[at + 3]) << 24;
}

// Expects `fn` to throw a SoundError for `reason` and, when given, with `text`.
template <class Fn>
void ExpectSoundError(Fn&& fn, Reason reason, const std::string& text = {}) {
    const std::string message = tw::test::ExpectError<tw::SoundError>(fn, reason);
    if (!text.empty()) EXPECT_EQ(message, text);
}

}  // namespace twtest

#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sound/phone_file.h"

namespace tw {

class FfmpegLibrary;

// Encodes mono samples as a phone ringtone file with FFmpeg's encoders and
// container writers, in memory. The libraries are loaded while the object
// lives, so that a batch loads them once.
class AudioEncoder {
public:
    // The bit rate of every file: plenty for one voice of a ringtone.
    static constexpr std::int64_t BitRate = 96'000;

    // Throws SoundError (MissingLibrary) when FFmpeg cannot be loaded.
    AudioEncoder();
    ~AudioEncoder();
    AudioEncoder(AudioEncoder&&) noexcept;
    AudioEncoder& operator=(AudioEncoder&&) noexcept;

    // The whole file of `kind` holding `samples` (in [-1, 1]) at
    // `sampleRate`, with `title` in its title tag. Throws SoundError:
    // MissingLibrary when FFmpeg has no encoder for the kind, WriteFailed
    // with FFmpeg's reason when encoding fails.
    std::vector<std::uint8_t> Encode(std::span<const float> samples, int sampleRate, PhoneFile kind,
                                     const std::string& title) const;

private:
    std::unique_ptr<const FfmpegLibrary> library_;
};

}  // namespace tw

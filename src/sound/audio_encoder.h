#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sound/phone_file.h"

namespace tw {

class FfmpegLibrary;

// A file made, and the loudest sample (its magnitude) of the sound a decoder
// makes of it: a lossy codec's may be above the samples given.
struct EncodedSound {
    std::vector<std::uint8_t> bytes;
    float decodedPeak = 0.0f;
};

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
    // `sampleRate`, with `title` in its title tag, and the loudest sample of
    // its sound decoded again. Throws SoundError: MissingLibrary when FFmpeg
    // has no encoder or decoder for the kind, WriteFailed with FFmpeg's
    // reason when encoding fails.
    EncodedSound Encode(std::span<const float> samples, int sampleRate, PhoneFile kind, const std::string& title) const;

private:
    std::unique_ptr<const FfmpegLibrary> library_;
};

}  // namespace tw

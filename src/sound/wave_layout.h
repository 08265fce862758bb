#pragma once

#include <cstdint>
#include <span>

namespace tw {

// Where the samples of a mono 16-bit PCM WAV image lie, and their rate.
struct WaveLayout {
    std::uint32_t sampleRate = 0;
    std::size_t dataOffset = 0;
    std::size_t dataBytes = 0;

    // Length of the sound in seconds.
    double Seconds() const { return sampleRate == 0 ? 0.0 : static_cast<double>(dataBytes / 2) / sampleRate; }
};

// Reads the 44-byte header that the synthesiser writes. Throws SoundError
// (PlayFailed) for an image that is not mono 16-bit PCM with a data chunk
// inside the image.
WaveLayout ReadWaveLayout(std::span<const std::uint8_t> image);

}  // namespace tw

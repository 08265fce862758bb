#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tw {

// A mono 16-bit PCM WAV image (the 44-byte header ReadWaveLayout reads) of
// `samples` at `sampleRate`: each sample in [-1, 1] scaled by 32767 and
// rounded, anything beyond clipped.
std::vector<std::uint8_t> PcmWaveImage(std::span<const float> samples, std::uint32_t sampleRate);

}  // namespace tw

#include "sound/wave_layout.h"

#include <algorithm>
#include <string_view>

#include "sound/sound_error.h"

namespace tw {
namespace {

std::uint32_t GetLE(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

bool HasText(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text) {
    return std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

}  // namespace

WaveLayout ReadWaveLayout(std::span<const std::uint8_t> image) {
    constexpr std::size_t HeaderBytes = 44;
    const bool wellFormed = image.size() >= HeaderBytes && HasText(image, 0, "RIFF") && HasText(image, 8, "WAVE") &&
                            HasText(image, 12, "fmt ") && GetLE(image, 16, 4) == 16 && GetLE(image, 20, 2) == 1 &&
                            GetLE(image, 22, 2) == 1 && GetLE(image, 34, 2) == 16 && HasText(image, 36, "data");
    if (!wellFormed) throw SoundError(SoundError::Reason::PlayFailed, "the sound is not a mono 16-bit PCM WAV image");
    WaveLayout layout;
    layout.sampleRate = GetLE(image, 24, 4);
    layout.dataOffset = HeaderBytes;
    layout.dataBytes = GetLE(image, 40, 4);
    if (layout.sampleRate == 0 || layout.sampleRate > 384000)
        throw SoundError(SoundError::Reason::PlayFailed, "the sound has an unusable sample rate");
    if (layout.dataBytes > image.size() - HeaderBytes)
        throw SoundError(SoundError::Reason::PlayFailed, "the sound's data runs past the end of its image");
    return layout;
}

}  // namespace tw

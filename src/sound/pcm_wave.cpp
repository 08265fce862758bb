#include "sound/pcm_wave.h"

#include <algorithm>
#include <cmath>

namespace tw {
namespace {

void PutLE(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(std::vector<std::uint8_t>& bytes, const char (&text)[5]) { bytes.insert(bytes.end(), text, text + 4); }

}  // namespace

std::vector<std::uint8_t> PcmWaveImage(std::span<const float> samples, std::uint32_t sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(2 * samples.size());
    std::vector<std::uint8_t> image;
    image.reserve(44 + dataBytes);
    PutText(image, "RIFF");
    PutLE(image, 36 + dataBytes, 4);
    PutText(image, "WAVE");
    PutText(image, "fmt ");
    PutLE(image, 16, 4);              // the size of the format chunk
    PutLE(image, 1, 2);               // PCM
    PutLE(image, 1, 2);               // mono
    PutLE(image, sampleRate, 4);      // samples a second
    PutLE(image, 2 * sampleRate, 4);  // bytes a second
    PutLE(image, 2, 2);               // bytes a sample
    PutLE(image, 16, 2);              // bits a sample
    PutText(image, "data");
    PutLE(image, dataBytes, 4);
    for (const float sample : samples) {
        const double value = std::round(std::clamp(static_cast<double>(sample), -1.0, 1.0) * 32767.0);
        PutLE(image, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
    }
    return image;
}

}  // namespace tw

#include "sound/phone_ringtone.h"

#include <algorithm>
#include <cmath>

#include "sound/sound_error.h"
#include "sound/sound_numbers.h"
#include "sound/voice_render.h"

namespace tw {
namespace {

double Seconds(std::size_t samples, int sampleRate) { return static_cast<double>(samples) / sampleRate; }

// "3 plays of 16.2 s, 1 s apart"
std::string PlaysText(int plays, double melodySeconds, double gapSeconds) {
    std::string text = plays == 1 ? "one play" : std::to_string(plays) + " plays";
    text += " of " + NumberText(std::round(melodySeconds * 10) / 10) + " s";
    if (plays > 1) text += ", " + NumberText(gapSeconds) + " s apart";
    return text;
}

double TotalSeconds(int plays, double melodySeconds, double gapSeconds) {
    return plays * melodySeconds + (plays - 1) * gapSeconds;
}

}  // namespace

int PhonePlays(double melodySeconds, double gapSeconds, std::optional<int> plays, double longestSeconds) {
    if (plays) return *plays;
    const double each = melodySeconds + gapSeconds;
    int count = each > 0.0 ? static_cast<int>(std::lround((AimedPhoneSeconds + gapSeconds) / each)) : 1;
    count = std::clamp(count, 1, MostPlays);
    while (count > 1 && longestSeconds > 0.0 && TotalSeconds(count, melodySeconds, gapSeconds) > longestSeconds)
        --count;
    return count;
}

std::vector<float> ArrangePlays(std::span<const float> melody, int plays, std::size_t gapSamples, int sampleRate) {
    const std::size_t length = melody.size();
    std::vector<float> samples;
    samples.reserve(plays * length + (plays - 1) * gapSamples);
    const auto fadeIn = static_cast<std::size_t>(std::lround(FadeInSeconds * sampleRate));
    const auto fadeOut = static_cast<std::size_t>(std::lround(FadeOutSeconds * sampleRate));
    for (int play = 0; play < plays; ++play) {
        if (play > 0) samples.resize(samples.size() + gapSamples, 0.0f);
        for (std::size_t i = 0; i < length; ++i) {
            // Linear ramps from and to silence: the first sample and the last
            // are 0.
            double gain = 1.0;
            if (i < fadeIn) gain = std::min(gain, static_cast<double>(i) / fadeIn);
            if (length - 1 - i < fadeOut) gain = std::min(gain, static_cast<double>(length - 1 - i) / fadeOut);
            samples.push_back(static_cast<float>(melody[i] * gain));
        }
    }
    float peak = 0.0f;
    for (float sample : samples) peak = std::max(peak, std::abs(sample));
    if (peak > 0.0f) {
        const double scale = std::pow(10.0, PeakDbfs / 20.0) / peak;
        for (float& sample : samples) sample = static_cast<float>(sample * scale);
    }
    return samples;
}

PhoneRingtone MakePhoneRingtone(const CNotes& ringtone, const PhoneRingtoneOptions& options,
                                const AudioEncoder& encoder) {
    const PhoneFileSpec& spec = PhoneFileSpecOf(options.kind);
    const std::vector<float> melody = RenderVoice(ringtone, options.voice, PhoneSampleRate);
    const double melodySeconds = Seconds(melody.size(), PhoneSampleRate);
    const auto gapSamples =
        static_cast<std::size_t>(std::llround(static_cast<double>(options.gapMilliseconds) * PhoneSampleRate / 1000.0));
    const double gapSeconds = Seconds(gapSamples, PhoneSampleRate);

    PhoneRingtone file;
    file.plays = PhonePlays(melodySeconds, gapSeconds, options.plays, spec.longestSeconds);
    file.seconds = TotalSeconds(file.plays, melodySeconds, gapSeconds);
    const std::string length = NumberText(std::round(file.seconds * 10) / 10) + " s (" +
                               PlaysText(file.plays, melodySeconds, gapSeconds) + ")";
    if (spec.longestSeconds > 0.0 && file.seconds > spec.longestSeconds)
        throw SoundError(SoundError::Reason::TooLong, "an " + std::string(spec.name) + " lasts at most " +
                                                          NumberText(spec.longestSeconds) + " s; this one would last " +
                                                          length);
    if (file.seconds > LongestPhoneSeconds)
        throw SoundError(SoundError::Reason::TooLong, "a phone ringtone lasts at most " +
                                                          NumberText(LongestPhoneSeconds) +
                                                          " s here; this one would last " + length);
    const std::vector<float> samples = ArrangePlays(melody, file.plays, gapSamples, PhoneSampleRate);
    file.bytes = encoder.Encode(samples, PhoneSampleRate, options.kind, ringtone.Name());
    return file;
}

}  // namespace tw

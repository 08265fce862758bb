#include "sound/phone_ringtone.h"

#include <algorithm>
#include <cmath>

#include "engine/utf8.h"
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

// A refused length in seconds: to a tenth, or to the millisecond above when a
// tenth would round it down to the limit it passes.
std::string OverLimitText(double seconds, double limit) {
    const double tenths = std::round(seconds * 10) / 10;
    return NumberText(tenths > limit ? tenths : std::ceil(seconds * 1000) / 1000) + " s";
}

// The lead-in, the plays but the last one from start to start, and the
// last one's whole sound.
double TotalSeconds(int plays, double periodSeconds, double soundSeconds) {
    return LeadInSeconds + (plays - 1) * periodSeconds + soundSeconds;
}

}  // namespace

int PhonePlays(double periodSeconds, double soundSeconds, std::optional<int> plays, double longestSeconds) {
    if (plays) return *plays;
    int count = 1;
    if (periodSeconds > 0.0)
        count = static_cast<int>(std::lround((AimedPhoneSeconds - LeadInSeconds - soundSeconds) / periodSeconds)) + 1;
    count = std::clamp(count, 1, MostPlays);
    while (count > 1 && longestSeconds > 0.0 && TotalSeconds(count, periodSeconds, soundSeconds) > longestSeconds)
        --count;
    return count;
}

std::vector<float> ArrangePlays(std::span<const float> melody, int plays, std::size_t period, int sampleRate) {
    const std::size_t length = melody.size();
    const auto lead = static_cast<std::size_t>(std::lround(LeadInSeconds * sampleRate));
    std::vector<float> samples(lead + (plays - 1) * period + length, 0.0f);
    const auto fadeIn = static_cast<std::size_t>(std::lround(FadeInSeconds * sampleRate));
    const auto fadeOut = static_cast<std::size_t>(std::lround(FadeOutSeconds * sampleRate));
    for (int play = 0; play < plays; ++play) {
        float* const start = samples.data() + lead + play * period;
        for (std::size_t i = 0; i < length; ++i) {
            // Linear ramps from and to silence: the first sample and the last
            // are 0. A sound ringing past the next play's start is heard with it.
            double gain = 1.0;
            if (i < fadeIn) gain = std::min(gain, static_cast<double>(i) / fadeIn);
            if (length - 1 - i < fadeOut) gain = std::min(gain, static_cast<double>(length - 1 - i) / fadeOut);
            start[i] += static_cast<float>(melody[i] * gain);
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

EncodedSound EncodeWithHeadroom(std::vector<float> samples,
                                const std::function<EncodedSound(std::span<const float>)>& encode) {
    const auto level = [](double dbfs) { return static_cast<float>(std::pow(10.0, dbfs / 20.0)); };
    EncodedSound sound = encode(samples);
    for (int encodings = 1; encodings < MostEncodings && sound.decodedPeak > level(DecodedPeakDbfs); ++encodings) {
        const float scale = level(PeakDbfs) / sound.decodedPeak;
        for (float& sample : samples) sample *= scale;
        sound = encode(samples);
    }
    return sound;
}

PhoneRingtone MakePhoneRingtone(const CNotes& ringtone, const PhoneRingtoneOptions& options,
                                const AudioEncoder& encoder) {
    const PhoneFileSpec& spec = PhoneFileSpecOf(options.kind);
    // Plays follow each other at the notes' length and the gap; an
    // instrument's last notes ring on into the gap.
    const double notesSeconds = MelodySeconds(ringtone);
    const double gapSeconds = options.gapMilliseconds / 1000.0;
    const auto period = static_cast<std::size_t>(std::llround((notesSeconds + gapSeconds) * PhoneSampleRate));
    const double periodSeconds = Seconds(period, PhoneSampleRate);

    PhoneRingtone file;
    const auto count = [&](double soundSeconds) {
        file.plays = PhonePlays(periodSeconds, soundSeconds, options.plays, spec.longestSeconds);
        file.seconds = TotalSeconds(file.plays, periodSeconds, soundSeconds);
        const auto length = [&](double limit) {
            return OverLimitText(file.seconds, limit) + " (" + PlaysText(file.plays, notesSeconds, gapSeconds) + ")";
        };
        if (spec.longestSeconds > 0.0 && file.seconds > spec.longestSeconds)
            throw SoundError(SoundError::Reason::TooLong, "an " + std::string(spec.name) + " lasts at most " +
                                                              NumberText(spec.longestSeconds) +
                                                              " s; this one would last " + length(spec.longestSeconds));
        if (file.seconds > LongestPhoneSeconds)
            throw SoundError(SoundError::Reason::TooLong,
                             "a phone ringtone lasts at most " + NumberText(LongestPhoneSeconds) +
                                 " s here; this one would last " + length(LongestPhoneSeconds));
    };
    // A file too long with the notes alone is refused before anything is
    // rendered; the sound may ring on after them.
    count(notesSeconds);
    const std::vector<float> melody = RenderVoice(ringtone, options.voice, PhoneSampleRate);
    count(Seconds(melody.size(), PhoneSampleRate));
    // Tags are UTF-8; a name in Latin-1, as older files write names, is made so.
    const std::string title = TextAsUtf8(ringtone.Name());
    file.bytes = EncodeWithHeadroom(ArrangePlays(melody, file.plays, period, PhoneSampleRate),
                                    [&](std::span<const float> samples) {
                                        return encoder.Encode(samples, PhoneSampleRate, options.kind, title);
                                    })
                     .bytes;
    return file;
}

}  // namespace tw

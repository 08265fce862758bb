#include "sound/beep_voice.h"

#include <cmath>
#include <numbers>

#include "sound/cwave.h"
#include "sound/render.h"

namespace tw {

std::vector<float> RenderBeep(const CNotes& ringtone, int sampleRate) {
    const SoundPlan plan = PlanSound(ringtone, BeepPlanRate);
    double seconds = 0.0;
    for (const SoundPart& part : plan.parts) seconds += part.seconds;
    std::vector<float> samples(static_cast<std::size_t>(std::ceil(seconds * sampleRate)) + 1, 0.0f);

    double start = 0.0;
    for (const SoundPart& part : plan.parts) {
        // A pitch the rate cannot hold is silence, as in the WAV.
        if (part.frequency > 0.0 && part.frequency < sampleRate / 2.0) {
            const double cycles = std::max(1.0, std::floor(part.frequency * (part.seconds - ToneGapSeconds)));
            const auto first = static_cast<std::size_t>(std::llround(start * sampleRate));
            // Samples strictly inside the whole periods: the last one before
            // the tone is back at zero.
            const double length = cycles * sampleRate / part.frequency;
            const double step = 2.0 * std::numbers::pi * part.frequency / sampleRate;
            for (std::size_t i = 0; i < length && first + i < samples.size(); ++i)
                samples[first + i] += static_cast<float>(std::sin(step * static_cast<double>(i)));
        }
        start += part.seconds;
    }
    return samples;
}

}  // namespace tw

#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace tw::test {

// The pitch of a stretch of sound, in hertz, by the YIN method: the
// difference of the sound with itself at each lag, normalised by its running
// mean; the first lag whose value dips under the threshold, taken at the
// bottom of that dip and refined by a parabola through its neighbours. Lags
// from a period of `highest` hertz to one of `lowest`; nothing when no lag
// dips far enough.
inline std::optional<double> PitchOf(std::span<const float> sound, int sampleRate, double lowest, double highest) {
    const auto minLag = static_cast<std::size_t>(std::floor(sampleRate / highest));
    const auto maxLag = static_cast<std::size_t>(std::ceil(sampleRate / lowest));
    if (minLag < 2 || 2 * maxLag >= sound.size()) return std::nullopt;
    const std::size_t window = sound.size() - maxLag - 1;
    std::vector<double> normalised(maxLag + 2, 1.0);
    double running = 0;
    for (std::size_t lag = 1; lag <= maxLag + 1; ++lag) {
        double difference = 0;
        for (std::size_t i = 0; i < window; ++i) {
            const double d = sound[i] - sound[i + lag];
            difference += d * d;
        }
        running += difference;
        normalised[lag] = running > 0 ? difference * static_cast<double>(lag) / running : 1.0;
    }
    constexpr double Threshold = 0.2;
    for (std::size_t lag = minLag; lag <= maxLag; ++lag) {
        if (normalised[lag] >= Threshold) continue;
        while (lag < maxLag && normalised[lag + 1] < normalised[lag]) ++lag;
        const double a = normalised[lag - 1];
        const double b = normalised[lag];
        const double c = normalised[lag + 1];
        const double bend = a - 2 * b + c;
        const double offset = bend > 0 ? 0.5 * (a - c) / bend : 0.0;
        return sampleRate / (static_cast<double>(lag) + offset);
    }
    return std::nullopt;
}

// Cents from `expected` to `found`.
inline double CentsBetween(double found, double expected) { return 1200.0 * std::log2(found / expected); }

// Where a note starts between samples `from` and `to`: the sample, in steps
// of a millisecond, after which the sound's level (its RMS over 3 ms) grows
// most. A note struck while the one before still rings starts there too.
inline std::size_t SteepestRise(std::span<const float> sound, std::size_t from, std::size_t to, int sampleRate) {
    const std::size_t step = static_cast<std::size_t>(sampleRate) / 1000;
    const std::size_t span = 3 * step;
    const auto level = [&](std::size_t first) {
        double sum = 0;
        for (std::size_t i = first; i < first + span; ++i) sum += static_cast<double>(sound[i]) * sound[i];
        return std::sqrt(sum / static_cast<double>(span));
    };
    std::size_t best = from;
    double steepest = -1;
    for (std::size_t at = std::max(from, span); at < to && at + span <= sound.size(); at += step) {
        const double rise = level(at) - level(at - span);
        if (rise > steepest) {
            steepest = rise;
            best = at;
        }
    }
    return best;
}

}  // namespace tw::test

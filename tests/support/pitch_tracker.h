#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

// An independent ear for rendered ringtones: the notes an RTTTL text should
// sound (equal temperament, a4 = 440 Hz), and the pitch and start of the
// notes found in samples.
namespace tw::test {

// One note of a ringtone as it should sound: a pause when `hertz` is 0.
struct HeardNote {
    std::string text;
    double start = 0.0;    // seconds from the start of the melody
    double seconds = 0.0;  // its length
    double hertz = 0.0;
};

// Equal temperament, octave 4 holding a4 = 440 Hz.
inline double EqualTemperedHertz(char letter, bool sharp, int octave) {
    static constexpr int Semitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    const int semitone = Semitones[letter - 'a'] + (sharp ? 1 : 0);
    const int midi = 12 * (octave + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// The notes of an RTTTL text "name:d=D,o=O,b=B:notes" written with lower-case
// letters, each "[length]letter[#][.][octave][.]" or a "p" pause.
inline std::vector<HeardNote> NotesOfRtttl(const std::string& text) {
    const std::size_t first = text.find(':'), second = text.find(':', first + 1);
    const std::string header = text.substr(first + 1, second - first - 1);
    const auto setting = [&](char key) {
        const std::size_t at = header.find(std::string(1, key) + "=");
        return std::stoi(header.substr(at + 2));
    };
    const int length = setting('d'), octave = setting('o'), tempo = setting('b');
    std::vector<HeardNote> notes;
    double start = 0.0;
    std::size_t at = second + 1;
    while (at < text.size()) {
        std::size_t end = text.find(',', at);
        if (end == std::string::npos) end = text.size();
        const std::string token = text.substr(at, end - at);
        at = end + 1;
        std::size_t i = 0;
        int divisor = length;
        if (std::isdigit(static_cast<unsigned char>(token[0]))) divisor = std::stoi(token, &i);
        const char letter = token[i++];
        bool sharp = false, dotted = false;
        int noteOctave = octave;
        for (; i < token.size(); ++i) {
            if (token[i] == '#') sharp = true;
            else if (token[i] == '.') dotted = true;
            else noteOctave = token[i] - '0';
        }
        HeardNote note{token, start, 240.0 / tempo / divisor * (dotted ? 1.5 : 1.0), 0.0};
        if (letter != 'p') note.hertz = EqualTemperedHertz(letter, sharp, noteOctave);
        notes.push_back(note);
        start += note.seconds;
    }
    return notes;
}

inline double Cents(double heard, double expected) { return 1200.0 * std::log2(heard / expected); }

// The fundamental of `samples` (YIN: the first dip of the cumulative mean
// normalised difference below 0.15, refined between samples by a parabola),
// searched between `lowest` and `highest` hertz; nothing when the samples
// hold no periodic sound.
inline std::optional<double> TrackPitch(std::span<const float> samples, int rate, double lowest = 150.0,
                                        double highest = 5000.0) {
    const auto shortest = static_cast<std::size_t>(rate / highest);
    const auto longest = static_cast<std::size_t>(rate / lowest) + 2;
    if (samples.size() < 2 * longest) return std::nullopt;
    const std::size_t window = std::min<std::size_t>(2048, samples.size() - longest);
    std::vector<double> difference(longest + 1, 0.0), normalised(longest + 1, 1.0);
    for (std::size_t lag = 1; lag <= longest; ++lag) {
        double sum = 0.0;
        for (std::size_t j = 0; j < window; ++j) {
            const double d = samples[j] - samples[j + lag];
            sum += d * d;
        }
        difference[lag] = sum;
    }
    double running = 0.0;
    for (std::size_t lag = 1; lag <= longest; ++lag) {
        running += difference[lag];
        normalised[lag] = running > 0.0 ? difference[lag] * lag / running : 1.0;
    }
    for (std::size_t lag = std::max<std::size_t>(shortest, 2); lag < longest; ++lag) {
        if (normalised[lag] >= 0.15) continue;
        while (lag + 1 < longest && normalised[lag + 1] < normalised[lag]) ++lag;
        const double a = normalised[lag - 1], b = normalised[lag], c = normalised[lag + 1];
        const double shift = (a - 2 * b + c) != 0.0 ? 0.5 * (a - c) / (a - 2 * b + c) : 0.0;
        return rate / (static_cast<double>(lag) + shift);
    }
    return std::nullopt;
}

// Where a sound starts in samples[from, to): the first sample above a third
// of `level` after at least `quiet` samples below that (a lossy codec's
// noise in a short silence stays below) (the start of the
// samples counts as quiet), of a sound that goes on to pass `level` before
// it is quiet again.
inline std::optional<std::size_t> FindOnset(std::span<const float> samples, std::size_t from, std::size_t to,
                                            float level, std::size_t quiet) {
    std::size_t soft = from == 0 ? quiet : 0;  // quiet samples just before this one
    std::optional<std::size_t> rise;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
        const float magnitude = std::abs(samples[i]);
        if (magnitude < level / 3) {
            if (++soft >= quiet) rise.reset();
            continue;
        }
        if (!rise && soft >= quiet) rise = i;
        soft = 0;
        if (magnitude > level && rise) return rise;
    }
    return std::nullopt;
}

}  // namespace tw::test

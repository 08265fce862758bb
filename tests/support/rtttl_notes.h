#pragma once

#include <cctype>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

// What an RTTTL text should sound, worked out apart from the engine: each
// note's start, length and pitch (equal temperament, a4 = 440 Hz).
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

}  // namespace tw::test

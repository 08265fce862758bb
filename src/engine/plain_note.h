#pragma once

#include <cstdint>
#include <optional>

namespace tw {

class CNote;
class CNotes;

// A note as the handset file formats see it: a true pitch counted in
// semitones, a length and a dot.
struct PlainNote {
    // 12 x the RTTTL octave + 0 (c) ... 11 (b): a4 (440 Hz) is 57. None for a pause.
    std::optional<std::int32_t> semitone;
    std::int32_t duration = 4;  // 1/duration of a whole note
    bool dotted = false;
};

// The note of `ringtone` as a plain note: its letter, sharp and octave (its
// own or the ringtone's default), its whole duration and dot. Nothing for a
// note that was misread or has no usable letter, octave or duration.
std::optional<PlainNote> PlainNoteOf(const CNote& note, const CNotes& ringtone);

// The letter (c to b) and sharp of a semitone 0-11 within its octave.
char SemitoneLetter(std::int32_t semitoneInOctave, bool& sharp);

// The semitone 0-11 of a letter c to b (lower case) within its octave; -1 for
// anything else.
std::int32_t LetterSemitone(char letter);

// Octave and semitone within it of a semitone count; floors for negatives.
inline std::int32_t OctaveOf(std::int32_t semitone) { return semitone >= 0 ? semitone / 12 : (semitone - 11) / 12; }
inline std::int32_t StepOf(std::int32_t semitone) { return semitone - 12 * OctaveOf(semitone); }

}  // namespace tw

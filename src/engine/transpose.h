#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class CNotes;

// Which notes a change of a ringtone acts on: the note at an index (from 0,
// in the ringtone's note order), or every note when there is none.
using NoteChoice = std::optional<std::size_t>;

// RTTTL's octaves as a change of pitch writes them: a note moved below
// octave 0 or above octave 9 is written in the nearest of these and
// reported.
inline constexpr int LowestShapedOctave = 0;
inline constexpr int HighestShapedOctave = 9;

// A ringtone after a change of its notes. `rtttl` is its whole RTTTL text,
// the header as it was and every note as the ringtone writes it but those
// the change moved, joined by the ringtone's output separator: what a list
// stores, to be read again (ApplyShape). `problems` says what the change
// could not do as asked, one line per note in the form of
// CNotes::ErrorLines ("note 3, 8c0: below RTTTL's octaves 0 to 9, written
// in octave 0").
struct ShapedRingtone {
    std::string rtttl;
    std::vector<std::string> problems;
    bool changed = false;  // whether any note is written otherwise
    int octavesMoved = 0;  // Fit: up when above 0
};

// The chosen notes `semitones` higher (lower when below 0): a sharp that
// becomes a natural is written as the natural (c#5 + 1 is d5), and past b
// comes the c of the next octave. Pauses stay; a token that is no note stays
// as it is and is reported. EngineError (NoSuchNote) for a note index the
// ringtone does not have.
ShapedRingtone Transposed(const CNotes& ringtone, int semitones, NoteChoice notes = std::nullopt);

// The chosen notes moved by the whole octaves that put the most of them into
// the composer's octaves (FittingOctaves, as a MIDI track is fitted).
ShapedRingtone FittedIntoComposerOctaves(const CNotes& ringtone, NoteChoice notes = std::nullopt);

// The lengths RTTTL writes, shortest first: 32, 32., 16, 16., 8, 8. ... 1, 1.
struct RTTTLLength {
    int duration;  // 1/duration of a whole note
    bool dotted;
};
const std::vector<RTTTLLength>& RTTTLLengths();

// The chosen notes and pauses each made `steps` lengths of RTTTLLengths
// longer (shorter when below 0); a length between two of them goes first to
// the next one that way. A note at the shortest or longest length stays and
// is reported. EngineError (NoSuchNote) as Transposed.
ShapedRingtone LengthStepped(const CNotes& ringtone, NoteChoice notes, int steps);

// The ringtone's notes as RTTTL tokens, each as the ringtone writes it: what
// a change of notes changes, kept to be given back by NotesRestored.
std::vector<std::string> NoteTokens(const CNotes& ringtone);
// The ringtone with its header as it is now (name, tempo, defaults) and
// `tokens` (of NoteTokens) for its notes; `changed` when they differ from its
// own.
ShapedRingtone NotesRestored(const CNotes& ringtone, const std::vector<std::string>& tokens);

// Reads the shaped text into `ringtone` as the RTTTL reader does, whatever
// its problems (the ringtone then reports its own as after any read).
// EngineError as the reader (TooLong).
void ApplyShape(CNotes& ringtone, const ShapedRingtone& shaped);

}  // namespace tw

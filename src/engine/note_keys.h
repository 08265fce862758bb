#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/note_state.h"

// The handset composer's keys: 1-7 the notes c d e f g a b, 0 a pause,
// 8 shorter, 9 longer, * next octave, # sharp, and a held key for a dot.
namespace tw {

// Maps an octave between the RTTTL numbering (5, 6, 7) and the composer's
// (1, 2, 3), both ways. "4" and "8" throw "Invalid Octave"; any other text
// gives the empty text.
std::string ConvertOctave(std::string_view octave);

// The composer octave nearest to an RTTTL octave text: "5", "6", "7" give
// "1", "2", "3"; lower octaves give "1" and higher ones "3". A text that is not
// numeric gives the empty text.
std::string NearestComposerOctave(std::string_view rtttlOctave);

// The key of a note letter (any case) or "-" for a pause; "" for anything else.
std::string NoteKey(std::string_view letter);

// Presses of 8 or 9 that take the composer from LastKeyDuration to `target`;
// none unless both are one of 1, 2, 4, 8, 16, 32. Never wraps around.
std::string DurationKeys(const NoteState& state, std::int16_t target);

// Presses of * that take the composer from LastKeyOctave to `target`, going
// round 1, 2, 3, 1; none unless both are one of 1, 2, 3.
std::string OctaveKeys(const NoteState& state, std::int16_t target);

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/note_state.h"

// The handset composer's keys: 1-7 the notes c d e f g a b, 0 a pause,
// 8 shorter, 9 longer, * next octave, # sharp, and a held key for a dot.
namespace tw {

// The RTTTL octave of a composer octave: composer octave n is RTTTL's n + 4
// (1 is 5, 0 is 4, 5 is 9), so that a note keeps its pitch whatever its
// octave. A text that is not numeric gives the empty text; throws as ToInt32.
std::string RTTTLOctaveOf(std::string_view composerOctave);

// The composer octave nearest to an RTTTL octave text: "5", "6", "7" give
// "1", "2", "3"; lower octaves give "1" and higher ones "3". A text that is not
// numeric gives the empty text.
std::string NearestComposerOctave(std::string_view rtttlOctave);

// The key of a note letter (any case) or "-" for a pause; "" for anything else.
std::string NoteKey(std::string_view letter);

// The handset duration (1, 2, 4, 8, 16, 32) nearest to 1/`duration` of a
// whole note, by ratio (3 is 4, 64 is 32); none for a duration below 1.
std::optional<std::int16_t> NearestHandsetDuration(std::int32_t duration);

// The composer octave (1, 2, 3) nearest to `octave`.
std::int16_t NearestHandsetOctave(std::int32_t octave);

// Presses of 8 or 9 that take the composer from LastKeyDuration to `target`;
// none unless both are one of 1, 2, 4, 8, 16, 32. Never wraps around.
std::string DurationKeys(const NoteState& state, std::int16_t target);

// Presses of * that take the composer from LastKeyOctave to `target`, going
// round 1, 2, 3, 1; none unless both are one of 1, 2, 3.
std::string OctaveKeys(const NoteState& state, std::int16_t target);

}  // namespace tw

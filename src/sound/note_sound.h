#pragma once

#include <cstddef>

#include "engine/cnote.h"

namespace tw {

// What a note sounds as: its pitch in hertz (0 for a pause) and its length in
// whole notes.
struct NoteSound {
    double frequency = 0.0;
    double wholeNotes = 0.0;
};

// The sound of the note at `position` (counting from 1) of a ringtone. Throws
// SoundError (BadNote) with the note's problem line when the engine can give
// it no pitch or length.
NoteSound SoundOfNote(const CNote& note, std::size_t position);

}  // namespace tw

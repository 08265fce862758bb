#include "sound/note_sound.h"

#include "engine/engine_error.h"
#include "sound/sound_error.h"

namespace tw {

NoteSound SoundOfNote(const CNote& note, std::size_t position) {
    try {
        return {note.SoundFrequency(), note.SoundDuration()};
    } catch (const EngineError& e) {
        throw SoundError(SoundError::Reason::BadNote, note.ProblemLine(position, e.what()));
    }
}

}  // namespace tw

#pragma once

#include <string>

namespace tw {

// The values that belong to no single note or ringtone: the RTTTL defaults of
// the header being read, and the handset composer's current duration and
// octave while keypresses are written or read. One NoteState is shared by a
// ringtone and all of its notes; a whole read resets it (CNotes::Clear).
struct NoteState {
    std::string DefaultDuration = "4";
    std::string DefaultOctave = "5";
    std::string LastKeyDuration = "4";  // writer: duration of the last keyed note
    std::string LastKeyOctave = "1";    // writer: octave of the last keyed note
    std::string KeyNoteDuration = "4";  // reader: current note duration
    std::string KeyPauseDuration;       // reader: current pause duration; never reset
    std::string KeyOctave = "1";        // reader: current octave
};

}  // namespace tw

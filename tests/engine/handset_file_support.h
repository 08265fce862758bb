#pragma once

#include <string>
#include <vector>

#include "engine/file_format.h"
#include "test_support.h"

namespace twtest {

// A ringtone read from `bytes` in `format`, its notes written ", "-separated.
inline tw::CNotes ReadFile(tw::FileFormat format, std::string_view bytes) {
    auto notes = Ringtone(", ");
    tw::ReadRingtoneAs(notes, format, bytes);
    return notes;
}

inline tw::CNotes ReadRTTTL(const std::string& text) {
    auto notes = Ringtone(", ");
    notes.SetFull_RTTTL(text);
    return notes;
}

// Every note as RTTTL with its own duration and octave, for comparing pitch,
// length and dot at a glance ("8c#5, 4.p").
inline std::string NotesOf(const tw::CNotes& notes) {
    std::string text;
    for (const tw::CNote& note : notes) {
        if (!text.empty()) text += ", ";
        text += note.ComposerDuration() + note.RTTTLNote() + note.Sharp() + note.RTTTLDotted();
        if (note.RTTTLNote() != "p") text += note.RTTTLOctave().empty() ? notes.DefaultOctave() : note.RTTTLOctave();
    }
    return text;
}

}  // namespace twtest

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "engine/cnote.h"
#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/notation.h"
#include "engine/note_keys.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"
#include "support/expect_error.h"

namespace twtest {

using Reason = tw::EngineError::Reason;
using tw::Notation;

template <class Fn>
std::string ExpectEngineError(Fn&& fn, Reason reason) {
    return tw::test::ExpectError<tw::EngineError>(fn, reason);
}

// The nine note fields and the keypresses of a note, compared as a whole and
// printed field by field when they differ.
struct NoteFields {
    std::string rtttlDuration, composerDuration, rtttlNote, composerNote, sharp, rtttlDotted, composerDotted,
        rtttlOctave, composerOctave, keypresses;
    bool operator==(const NoteFields&) const = default;
};

inline void PrintTo(const NoteFields& f, std::ostream* out) {
    *out << "{RTTTLDuration \"" << f.rtttlDuration << "\", ComposerDuration \"" << f.composerDuration
         << "\", RTTTLNote \"" << f.rtttlNote << "\", ComposerNote \"" << f.composerNote << "\", Sharp \"" << f.sharp
         << "\", RTTTLDotted \"" << f.rtttlDotted << "\", ComposerDotted \"" << f.composerDotted << "\", RTTTLOctave \""
         << f.rtttlOctave << "\", ComposerOctave \"" << f.composerOctave << "\", Keypresses \"" << f.keypresses
         << "\"}";
}

inline NoteFields Fields(const tw::CNote& n) {
    return {n.RTTTLDuration(), n.ComposerDuration(), n.RTTTLNote(),   n.ComposerNote(),   n.Sharp(),
            n.RTTTLDotted(),   n.ComposerDotted(),   n.RTTTLOctave(), n.ComposerOctave(), n.Keypresses()};
}

// A ringtone with the separator the application always sets before use.
inline tw::CNotes Ringtone(const std::string& separator) {
    tw::CNotes notes;
    notes.SetOutputSeparator(separator);
    return notes;
}

}  // namespace twtest

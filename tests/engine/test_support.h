#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/expect_error.h"
#include "engine/cnote.h"
#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/notation.h"
#include "engine/note_keys.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace twtest {

using Reason = tw::EngineError::Reason;
using tw::Notation;

template <class Fn>
std::string ExpectEngineError(Fn&& fn, Reason reason) {
    return tw::test::ExpectError<tw::EngineError>(fn, reason);
}

// The nine note fields, "|" between them: RTTTL and composer duration, RTTTL
// and composer note, sharp, RTTTL and composer dot, RTTTL and composer octave.
inline std::string Fields(const tw::CNote& n) {
    return n.RTTTLDuration() + "|" + n.ComposerDuration() + "|" + n.RTTTLNote() + "|" + n.ComposerNote() + "|" +
           n.Sharp() + "|" + n.RTTTLDotted() + "|" + n.ComposerDotted() + "|" + n.RTTTLOctave() + "|" +
           n.ComposerOctave();
}

// A ringtone with the separator the application always sets before use.
inline tw::CNotes Ringtone(const std::string& separator) {
    tw::CNotes notes;
    notes.SetOutputSeparator(separator);
    return notes;
}

}  // namespace twtest

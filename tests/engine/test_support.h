#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../expect_error.h"
#include "cnote.h"
#include "cnotes.h"
#include "engine_error.h"
#include "notation.h"
#include "note_keys.h"
#include "ringtone_text.h"
#include "text_rules.h"

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

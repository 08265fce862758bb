#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

// Expects `fn` to throw an EngineError for `reason`; gives the error's text.
template <class Fn>
std::string ExpectEngineError(Fn&& fn, Reason reason) {
    try {
        fn();
        ADD_FAILURE() << "expected an EngineError, nothing was thrown";
    } catch (const tw::EngineError& e) {
        EXPECT_EQ(e.reason(), reason) << "message: " << e.what();
        return e.what();
    }
    return {};
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

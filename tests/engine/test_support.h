#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "cnote.h"
#include "cnotes.h"
#include "engine_error.h"
#include "notation.h"
#include "note_keys.h"
#include "note_state.h"
#include "ringtone_text.h"
#include "text_rules.h"

namespace twtest {

using Reason = tw::EngineError::Reason;
using tw::Notation;

template <class Fn>
void ExpectEngineError(Fn&& fn, Reason reason) {
    try {
        fn();
        ADD_FAILURE() << "expected an EngineError, nothing was thrown";
    } catch (const tw::EngineError& e) {
        EXPECT_EQ(static_cast<int>(e.reason()), static_cast<int>(reason)) << "message: " << e.what();
    }
}

// The nine note fields, "|" between them: RTTTLDuration, ComposerDuration, RTTTLNote,
// ComposerNote, Sharp, RTTTLDotted, ComposerDotted, RTTTLOctave, ComposerOctave.
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

inline const char* const kDurationMsg = "RTTTL default duration invalid\r\n";
inline const char* const kNameMsg = "Ringtone name is invalid.\r\n";
inline const char* const kTempoMsg = "The tempo is invalid.\r\n";
inline const char* const kOctaveMsg = "RTTTL default octave is invalid.\r\n";
inline const char* const kTooManyMsg = "This ringing tone has more than 50 notes!\r\n";
inline const char* const kInvalidMsg =
    "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\r\n";
inline const char* const kSeparatorMsg =
    "The note separator could not be found.  Normally a space, comma space, or just a comma is used to "
    "separate the actual notes in a ringtone.\r\n";

}  // namespace twtest

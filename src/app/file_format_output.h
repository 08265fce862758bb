#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "engine/cnotes.h"
#include "engine/file_format.h"

namespace tw {

// How convert, list get and from-midi write the ringtone they give.
struct RingtoneOutput {
    FileFormat format = FileFormat::RTTTL;
    bool notesOnly = false;             // a notation's notes without the header
    std::optional<std::string> output;  // -o: a file, "-" or nothing for `out`
    // Whether "-o -" writes a notation's text as a line ending in LF, as with
    // no -o (list get), rather than as the file would hold it, with CR LF.
    bool dashWritesLine = false;
    FileWriteOptions write{};  // how a file format is written (--pin)
};

// Writes `ringtone` as `how` says and gives the command's exit status.
//
// A notation's text is refused (CommandFailure, ExitNothingRead) when it
// could not be read again; it goes to -o as one line ending in CR LF, as the
// window saves a ringtone, or to `out` as a line.
//
// An iMelody or Smart Messaging file goes to -o byte for byte (a regular file
// replaced whole, a FIFO or device written to), or to `out` when there is no
// -o or it is "-"; a binary file is not written to a terminal (UsageError).
// What the format could not hold goes to `err`, one line each, and makes the
// status ExitProblems. CommandFailure (ExitNothingRead) when the format cannot
// hold the ringtone at all or the file cannot be written.
//
// The ringtone's own problems go to `err` here, after a notation's text and
// before what a file could not hold, unless the caller has written them
// already and gives the status it came to as `reported`.
int WriteRingtoneOutput(const CNotes& ringtone, const RingtoneOutput& how, std::ostream& out, std::ostream& err,
                        std::optional<int> reported = std::nullopt);

}  // namespace tw

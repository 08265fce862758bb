#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "engine/cnotes.h"
#include "engine/file_format.h"

namespace tw {

// Writes `ringtone` as an iMelody or Smart Messaging file, as convert and
// list get do: to `output` byte for byte (a regular file replaced whole, a
// FIFO or device written to), or to `out` when there is none or it is "-".
// A Smart Messaging file is binary and is not written to a terminal
// (UsageError). What the format could not hold goes to `err`, one line
// each; gives whether there was any. CommandFailure (ExitNothingRead) when
// the format cannot hold the ringtone at all or the file cannot be written.
bool WriteFileFormat(const CNotes& ringtone, FileFormat format, const std::optional<std::string>& output,
                     std::ostream& out, std::ostream& err);

}  // namespace tw

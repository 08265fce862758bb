#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "engine/utf8.h"

namespace tw {

class CNotes;

// The text as a JSON string literal with its quotes. Text that is not valid
// UTF-8 is taken as Latin-1, so the result is always valid UTF-8.
std::string JsonString(std::string_view text);
// The same literal, added to the end of `out`.
void AppendJsonString(std::string& out, std::string_view text);

// The shortest decimal form that reads back as the same double.
std::string JsonNumber(double value);

// The ringtone described note by note, as `tunewright notes` prints it: name,
// tempo, RTTTL defaults, the problems of the last read, and for each note its
// text in each notation, its pitch in hertz and its length (null where the
// note has none) and its problem when it has one. Written to `out` in pieces
// as it is made, never whole.
void WriteNotesJson(const CNotes& ringtone, std::ostream& out);
// The same with the ringtone's ErrorLines made already, so that a caller that
// reports them too makes them once.
void WriteNotesJson(const CNotes& ringtone, const std::vector<std::string>& errorLines, std::ostream& out);

}  // namespace tw

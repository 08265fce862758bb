#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "engine/notation.h"
#include "engine/size_limits.h"

// Preparing ringtone text as it arrives from files and pasted text.
namespace tw {

class CNotes;

// Throws EngineError (TooLong, with the size and the limit) for a text
// longer than MaxRingtoneText, that the program would write but could not
// read again. The line end written after it is within what the readers of a
// ringtone file take (MaxRingtoneTextFile).
void CheckWritable(std::string_view text);

// Throws EngineError (TooLong, with the size and the limit) for a text
// given to be read that is longer than MaxRingtoneText.
void CheckReadable(std::string_view text);

// Reads `stream` to its end; nothing once more than `limit` bytes have come,
// so an input that would be refused is never held whole. Whether the stream
// failed is left to the caller (stream.bad()).
std::optional<std::string> ReadUpTo(std::istream& stream, std::size_t limit);

// A note separator that the note reader finds again: not empty, holding one
// of "," "|" "/" "\" or a space, and no ":" (it would end the header) and no
// control character.
bool IsUsableSeparator(std::string_view separator);

// Trims spaces, drops every line break (lines are joined directly), trims
// again and drops one final comma.
std::string CleanRingtoneText(std::string_view text);

// A text file's lines joined with nothing between them; CR LF, LF and a lone
// CR all end a line.
std::string JoinLines(std::string_view fileText);

// Reads a whole ringtone as a person gives it, in a file or pasted: a
// keypress text is first split into one token per note (PrepareKeypresses).
// Throws as CNotes::SetFull does; the limit applies to the text as given
// (CheckReadable).
void ReadGivenRingtone(CNotes& ringtone, Notation from, std::string_view text);

// Splits a keypress text into one token per note: keeps the header up to the
// last colon, drops spaces and commas from the keys and puts a comma before
// every note key, so "Tune:Tempo=125:5 (1) #7" becomes "Tune:Tempo=125:5,(1)#,7".
std::string PrepareKeypresses(std::string_view sourceText);

}  // namespace tw

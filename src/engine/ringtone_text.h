#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "engine/notation.h"

// Preparing ringtone text as it arrives from files and pasted text.
namespace tw {

class CNotes;

// The longest ringtone text the program reads or writes, in bytes: a text
// given (a file, a paste, standard input), a list entry, a converted text.
// One limit for both, so that whatever the program writes, it reads again; a
// text that would be written longer is refused.
inline constexpr std::size_t MaxRingtoneText = std::size_t{4} << 20;

// Throws EngineError (TooLong) for a text longer than MaxRingtoneText, that
// the program would write but could not read again.
void CheckWritable(std::string_view text);

// Reads `stream` to its end; nothing once more than MaxRingtoneText bytes
// have come, so a text the engine would refuse is never held whole. Whether
// the stream failed is left to the caller (stream.bad()).
std::optional<std::string> ReadRingtoneText(std::istream& stream);

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
// Throws as CNotes::SetFull does; the limit applies to the text as given.
void ReadGivenRingtone(CNotes& ringtone, Notation from, std::string_view text);

// Splits a keypress text into one token per note: keeps the header up to the
// last colon, drops spaces and commas from the keys and puts a comma before
// every note key, so "Tune:Tempo=125:5 (1) #7" becomes "Tune:Tempo=125:5,(1)#,7".
std::string PrepareKeypresses(std::string_view sourceText);

}  // namespace tw

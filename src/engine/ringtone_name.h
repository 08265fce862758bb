#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a ringtone's name may hold. A name is written in front of the notes in
// every notation ("Name:d=4,o=5,b=125:", "Name:Tempo=125:"), as one line of a
// collection, as the section header of its list entry ("[Name]"), as the
// NAME line of an iMelody file and as the title of a ringing tone, and each
// of them must give it back as it was:
//
// - no ":": the first colon ends the name in every notation, and what follows
//   would be read as the header ("Synth: B3 Lead" has the tempo b3);
// - no control character (C0, DEL, and C1 in UTF-8): a line break ends the
//   list's section header and iMelody's NAME line, and the readers drop
//   control characters;
// - no "#", ";" or "//" at the start: a collection takes such a line for a
//   comment and skips it;
// - no spaces or tabs at either end: every reader trims them.
//
// Anything else stays, UTF-8 and older single-byte names alike; the list
// file takes any name without a line break (its section name runs from the
// first "[" to the last "]"), and iMelody's NAME line anything but a line
// break.
namespace tw {

struct FittedName {
    std::string name;
    // One line for each kind of character that was replaced, saying by what
    // ("name \"A-b\": \":\" replaced by \"-\" ..."); empty when the name was fit.
    std::vector<std::string> changes;
};

// The name made fit for every notation and file:
// - ":" becomes "-". A look-alike beyond ASCII (U+A789, U+2236) would become
//   "?" in a ringing tone's ISO-8859-1 title, show as two odd characters
//   where an old list is read as Windows-1252, and could not be typed to
//   find the ringtone again (`list get`); "-" reads back the same through
//   every writer;
// - a control character becomes a space;
// - spaces and tabs at either end go;
// - a name that then starts with "#", ";" or "//" gets "_" in front, so that
//   it keeps its own characters and reads as they do.
// Applying it twice changes nothing more. An empty name stays empty: each
// caller has its own word for a ringtone without a name.
FittedName FitRingtoneName(std::string_view given);

}  // namespace tw

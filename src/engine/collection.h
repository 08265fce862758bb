#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Collections: one text holding many ringtones, as they are published.
namespace tw {

// One ringtone of a collection: its text, the lines of a wrapped ringtone
// joined with nothing between them, and the line (from 1) it starts on.
struct CollectedRingtone {
    std::size_t line = 0;
    std::string text;
};

// Whether a line starts a ringtone: a name and a colon followed by a control
// part ("d=4,o=5,b=125", "b=63", "Tempo=120") or an empty part ("Name::c,d"),
// or a name with "(Tempo 120)" or "Tempo=120".
bool StartsRingtone(std::string_view line);

// The ringtones of a collection, one a line: a line that starts no ringtone
// continues the one before it; lines before the first ringtone (a heading),
// blank lines and lines starting with "#", ";" or "//" are skipped. CR LF,
// LF and a lone CR all end a line.
std::vector<CollectedRingtone> SplitCollection(std::string_view text);

}  // namespace tw

#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

// `tunewright from-midi FILE.mid [--track N] [--name NAME] [--fit] [--to F]
// [-o OUT]`: one track of a MIDI file as a ringtone in the notation F (RTTTL
// when not given), with what was lost and the ringtone's problems on
// standard error. A file that cannot be read, or holds no notes, ends the
// command with exit code 2.
int FromMidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// What of a MIDI file a command reads: the track (`--track N`, the first
// with notes when none), the ringtone's name and whether it is fitted.
struct MidiReadRequest {
    std::string input;  // a path, or "-" for standard input
    std::optional<std::string> track;
    std::string name;
    bool fit = false;
};

// Reads the melody of the MIDI file into `notes` as from-midi does, with
// what was lost on `err`; gives whether the ringtone's name had to change.
// A file that cannot be read ends the command with exit code 2.
bool ReadMidiRingtone(const MidiReadRequest& request, std::istream& in, CNotes& notes, std::ostream& err);

}  // namespace tw

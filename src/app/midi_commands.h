#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// `tunewright from-midi FILE.mid [--track N] [--name NAME] [--fit] [--to F]
// [-o OUT]`: one track of a MIDI file as a ringtone in the notation F (RTTTL
// when not given), with what was lost and the ringtone's problems on
// standard error. A file that cannot be read, or holds no notes, ends the
// command with exit code 2.
int FromMidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tw

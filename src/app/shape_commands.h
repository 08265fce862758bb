#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli_options.h"

namespace tw {

// `tunewright transpose --semitones N | --octaves N | --fit [--from F |
// --from midi [--track N]] [--to T] [--separator S] [--notes-only] [-o OUT]
// [FILE|-]`: reads a ringtone (RTTTL unless --from says otherwise; a MIDI
// file's track as from-midi reads it, written as RTTTL unless --to says
// otherwise), moves every note and
// writes it in --to (the format read when not given), as convert does. What
// the move could not do goes to standard error before the ringtone's own
// problems, and makes the exit status 1.
int TransposeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// `tunewright list transpose LIST NAME --semitones N | --octaves N | --fit`:
// the same move of the stored ringtone NAME, stored in its place in one
// replacement of the list file with the lists' lock held. `args` are the
// parsed words after "list" (the first is "transpose"). Prints the name it is
// stored under.
int ListTransposeCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

// The options of the move, for the list command's parser.
inline constexpr std::string_view ShapeValueOptions[] = {"semitones", "octaves"};
inline constexpr std::string_view ShapeFlagOptions[] = {"fit"};

}  // namespace tw

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// Runs `tunewright list SUBCOMMAND ...`; `args` are the words after "list".
// The lists live in the program directory ($TUNEWRIGHT_HOME, else
// $XDG_DATA_HOME/Tunewright). Throws UsageError and CommandFailure as the
// other subcommands do.
int RunListCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tw

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// Runs `tunewright web SUBCOMMAND ...`; `args` are the words after "web":
//   menus [local]   fetches menu.dat as the program does at start (silently),
//                   updates the cached copy and prints the two web menus
//   check [local]   the version check of the Help menu: prints the message
//                   the window would show
//   open ADDRESS    opens a web page in the browser as the menus do
// The site is $TUNEWRIGHT_BASE_URL, or the local test server for "local";
// the cache is menu.dat in the program directory. Throws UsageError and
// CommandFailure as the other subcommands do.
int RunWebCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tw

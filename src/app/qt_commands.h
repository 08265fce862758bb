#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

// Runs a command that needs Qt, one of QtCommandWords (app/command_split.h):
// play on the desktop's sound server (Qt Multimedia), web on Qt Network and
// settings in QSettings. Throws UsageError for any other word, and
// UsageError and CommandFailure as the other commands do.
int RunQtCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

}  // namespace tw

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/file_format.h"

namespace tw {

// Exit codes of the command line.
enum ExitCode : int {
    ExitClean = 0,        // done, nothing to report
    ExitProblems = 1,     // converted, but the ringtone has problems
    ExitNothingRead = 2,  // nothing converted
    ExitSound = 3,        // the sound could not be rendered, written or played
    ExitUsage = 64,       // the command line itself is wrong
    ExitOutput = 74,      // standard output could not be written
    ExitSoftware = 70,    // an error inside the program
};

// What --help prints after the usage; the formats' words come from
// `formats`.
std::string HelpText(FileFormatTable formats = FileFormats());

// Runs one headless command. `args` are the words after the program name.
// `outputIsTerminal` tells whether `out` is a terminal, to which binary
// output (a Smart Messaging file) is not written.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           bool outputIsTerminal = false);

}  // namespace tw

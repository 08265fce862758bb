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

// Runs a command that needs Qt (app/command_split.h): `command` is its first
// word, `args` the words after it. Throws UsageError and CommandFailure as the
// other commands do.
using QtCommandRunner = int (*)(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                                std::ostream& out, std::ostream& err);

// Runs one headless command. `args` are the words after the program name.
// `outputIsTerminal` tells whether `out` is a terminal, to which binary
// output (a Smart Messaging file) is not written. The commands that need Qt
// are run by `qtCommands`; without it they fail as a fault of the program
// (the Qt-free front hands them to the desktop program before it gets here).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           bool outputIsTerminal, QtCommandRunner qtCommands);

// The same with every command run in this process, those that need Qt by
// RunQtCommand: the desktop program's command line and the tests'. Defined
// in app/qt_commands.cpp, in the library that links Qt (tw_cli).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           bool outputIsTerminal = false);

}  // namespace tw

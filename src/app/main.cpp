#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/command_split.h"
#include "app/desktop_program.h"
#include "files/temporary_files.h"

// tunewright: the command line without Qt. It runs the commands that need
// nothing of Qt itself, so that they start in a few milliseconds, and hands
// the window and the commands that need Qt to tunewright-desktop unchanged.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tw::RunsInDesktopProgram(args)) tw::HandToDesktopProgram(argv);
    // As in the desktop program: an interrupted write leaves no temporary
    // file behind, and a reader that goes away makes a write fail with
    // EPIPE, reported as any write error.
    tw::InstallTemporaryFileCleanup();
    ::signal(SIGPIPE, SIG_IGN);
    return tw::RunCli(args, std::cin, std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, nullptr);
}

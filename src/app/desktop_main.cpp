#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/command_split.h"
#include "files/temporary_files.h"
#include "ui/desktop.h"

namespace {

// Ends the process once everything it owns has been closed and its output
// flushed, without running the destructors of static objects. Qt
// Multimedia's PulseAudio engine is such an object, and tearing it down at
// exit races with its own event thread, which can abort the process after
// the work is done.
[[noreturn]] void Finish(int code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

// tunewright-desktop: the window, and every command of the command line in
// this one process. The `tunewright` front (main.cpp) hands it the window and
// the commands that need Qt; it also runs on its own.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // An interrupted write, of the window or of a command, leaves no
    // temporary file behind.
    tw::InstallTemporaryFileCleanup();
    // No arguments, or the single word "local", start the desktop program;
    // the subcommands work without a display.
    if (tw::StartsWindow(args)) {
        if (!tw::HasDisplay()) {
            std::cerr << "error: the desktop window needs a display (DISPLAY or WAYLAND_DISPLAY is not set);"
                         " the subcommands work without one\n";
            tw::RunCli({}, std::cin, std::cerr, std::cerr);  // the usage, on standard error
            return tw::ExitUsage;
        }
        Finish(tw::RunDesktop(argc, argv));
    }
    // A reader that goes away (a pipe to head, a FIFO) makes a write fail
    // with EPIPE, which the command reports as it reports any write error,
    // instead of ending the program silently.
    ::signal(SIGPIPE, SIG_IGN);
    Finish(tw::RunCli(args, std::cin, std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1));
}

#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "desktop.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // No arguments, or the single word "local", start the desktop program;
    // the subcommands work without a display.
    if (args.empty() || (args.size() == 1 && args.front() == "local")) {
        if (!tw::HasDisplay()) {
            std::cerr << "error: the desktop window needs a display (DISPLAY or WAYLAND_DISPLAY is not set);"
                         " the subcommands work without one\n";
            tw::RunCli({}, std::cin, std::cerr, std::cerr);  // the usage, on standard error
            return tw::ExitUsage;
        }
        return tw::RunDesktop(argc, argv);
    }
    return tw::RunCli(args, std::cin, std::cout, std::cerr);
}

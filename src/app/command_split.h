#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Which program runs a command line. `tunewright` is a small program without
// Qt: it runs every command that needs nothing of Qt itself and hands the
// window and the commands that need Qt (the sound server, the network, the
// settings kept by QSettings) to the desktop program, tunewright-desktop,
// which runs every command.
namespace tw {

// The commands that need Qt, by their first word. A new command that uses a
// Qt library (directly or through a library's qt/ part) is added here and
// dispatched in RunQtCommand (app/qt_commands.cpp); every other command runs
// in both programs from RunCli (app/cli.cpp).
inline constexpr std::array<std::string_view, 3> QtCommandWords = {"play", "web", "settings"};

// Whether the command `word` needs Qt.
bool NeedsQt(std::string_view word);

// Whether the words after the program name start the window: none, or the
// single word "local".
bool StartsWindow(const std::vector<std::string>& args);

// Whether the words after the program name are for the desktop program: the
// window or a command that needs Qt.
bool RunsInDesktopProgram(const std::vector<std::string>& args);

}  // namespace tw

#pragma once

#include <filesystem>

// Finding and starting the desktop program, tunewright-desktop, from the
// Qt-free front. It is installed at TW_DESKTOP_PROGRAM, a path relative to
// the folder of the front (../libexec/tunewright/tunewright-desktop beside
// bin/tunewright); the build tree keeps the same layout.
namespace tw {

// The desktop program that belongs to the running front. Throws
// std::filesystem::filesystem_error when the front's own path cannot be read.
std::filesystem::path DesktopProgramPath();

// Replaces this process with the desktop program, given `argv` as it is:
// the same words, the same standard input, output and error, the same
// environment, the same process, so its exit status is the command's. When it
// cannot be started, says why on standard error and ends with ExitSoftware.
[[noreturn]] void HandToDesktopProgram(char** argv);

}  // namespace tw

#include "app/desktop_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/cli.h"

namespace tw {

namespace {

// Ends the process with `message`: nothing else has been written, so it goes
// out as it is, unbuffered.
[[noreturn]] void Fail(const std::string& message) {
    const std::string line = "error: " + message + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
    ::_exit(ExitSoftware);
}

}  // namespace

std::filesystem::path DesktopProgramPath() {
    // The front as it is on disk, with symbolic links to it followed.
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path() / TW_DESKTOP_PROGRAM).lexically_normal();
}

void HandToDesktopProgram(char** argv) {
    std::filesystem::path program;
    try {
        program = DesktopProgramPath();
    } catch (const std::filesystem::filesystem_error& e) {
        Fail(std::string("the desktop program cannot be found: ") + e.what());
    }
    ::execv(program.c_str(), argv);
    Fail("the desktop program " + program.string() + " could not be started: " + std::strerror(errno));
}

}  // namespace tw

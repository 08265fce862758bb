#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_files.h"

extern char** environ;

namespace tw::test {

// How a program run as its own process ended: its exit status, or 128 and
// the signal that ended it, as a shell says; and what it wrote on standard
// error.
struct ProgramRun {
    int status = -1;
    std::string err;
};

// Starts `program` with `args`, standard input from the file `input`,
// standard output to the descriptor `out` and standard error into `errFile`,
// and the signals at their defaults (SIGPIPE ends it unless it says
// otherwise), as from a shell. Gives the process id.
inline pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::filesystem::path& input, int out, const std::filesystem::path& errFile) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigfillset(&defaults);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program.c_str(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) throw std::runtime_error("posix_spawn failed");
    return pid;
}

// Waits for a process that StartProgram started.
inline ProgramRun FinishProgram(pid_t pid, const std::filesystem::path& errFile) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadBytes(errFile)};
}

}  // namespace tw::test

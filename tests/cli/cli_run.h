#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"

namespace tw::test {

// What one run of the command line gave.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// Runs `tunewright args...` in-process with `input` on standard input.
inline CliRun RunTunewright(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace tw::test

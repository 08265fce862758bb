#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli.h"
#include "support/temp_files.h"

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

// A test whose runs keep their lists and settings in a fresh temporary
// folder: `home`/lists and `home`/config.
class FreshHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TUNEWRIGHT_HOME", (home / "lists").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("TUNEWRIGHT_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
    }
    TempDir home;
};

// One `tunewright convert` run and all it should give.
struct ConvertCase {
    std::vector<std::string> args;  // after "convert"
    std::string input;
    int code;
    std::string out, err;
};

// Runs each case and checks its exit code, output and errors.
inline void ExpectConverts(const std::vector<ConvertCase>& cases) {
    for (const ConvertCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.input.substr(0, 40));
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "convert");
        const CliRun run = RunTunewright(args, c.input);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace tw::test

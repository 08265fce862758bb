// Several programs changing the lists of one program directory at once: each
// change waits for the others, so none is lost.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "files/file_lock.h"
#include "files/safe_file.h"
#include "support/temp_files.h"

namespace {

using tw::test::RunTunewright;

std::vector<std::string> Names(const std::string& list) {
    std::vector<std::string> names;
    std::istringstream out(RunTunewright({"list", "show", list}).out);
    for (std::string line; std::getline(out, line);) names.push_back(line);
    return names;
}

// Runs each job in a process of its own; the number of jobs that failed.
int RunAtOnce(const std::vector<std::function<bool()>>& jobs) {
    std::vector<pid_t> children;
    for (const auto& job : jobs) {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(job() ? 0 : 1);
        children.push_back(child);
    }
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
    }
    return failed;
}

class ConcurrentTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("TUNEWRIGHT_HOME"); }
    tw::test::TempDir home;
};

bool Add(const std::string& list, const std::string& name) {
    return RunTunewright({"list", "add", list, "--from", "rtttl"}, name + ":d=4,o=5,b=125:c,d").code == 0;
}

TEST_F(ConcurrentTest, AddsRemovesAndRenamesLoseNothing) {
    constexpr int Each = 30;
    for (int i = 0; i < Each; ++i) ASSERT_TRUE(Add("Race", "old " + std::to_string(i)));
    ASSERT_TRUE(Add("Moving", "Kept"));
    const auto adder = [](const std::string& prefix) {
        return [prefix] {
            for (int i = 0; i < Each; ++i)
                if (!Add("Race", prefix + std::to_string(i))) return false;
            return true;
        };
    };
    const auto remover = [] {
        for (int i = 0; i < Each; ++i)
            if (RunTunewright({"list", "remove", "Race", "old " + std::to_string(i)}).code != 0) return false;
        return true;
    };
    const auto renamer = [] {
        for (int i = 0; i < Each / 2; ++i)
            if (RunTunewright({"list", "rename", "Moving", "Moved"}).code != 0 ||
                RunTunewright({"list", "rename", "Moved", "Moving"}).code != 0)
                return false;
        return true;
    };
    EXPECT_EQ(RunAtOnce({adder("a "), adder("b "), adder("c "), remover, renamer}), 0);

    const std::vector<std::string> names = Names("Race");
    EXPECT_EQ(names.size(), std::size_t{3 * Each});
    for (const char* prefix : {"a ", "b ", "c "})
        for (int i = 0; i < Each; ++i)
            EXPECT_NE(std::find(names.begin(), names.end(), prefix + std::to_string(i)), names.end());
    EXPECT_EQ(Names("Moving"), std::vector<std::string>{"Kept"});
    EXPECT_EQ(RunTunewright({"list", "lists"}).out, "Moving\nRace\n");
}

// A lock held elsewhere is waited for, then given up with a reason.
TEST_F(ConcurrentTest, ALockHeldTooLongIsAnError) {
    const std::filesystem::path lockFile = home / "held.lock";
    tw::FileLock held(lockFile);
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            tw::FileLock again(lockFile, std::chrono::milliseconds(100));
            ::_exit(0);
        } catch (const tw::FileError& e) {
            const std::string text = e.what();
            ::_exit(text.find("another program kept it locked for 0.1 seconds") != std::string::npos ? 3 : 4);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

}  // namespace

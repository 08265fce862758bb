// Lists under stress: several programs changing the lists of one program
// directory at once (each change waits for the others, so none is lost), and
// lists too big for memory or for the cap.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "files/file_lock.h"
#include "files/safe_file.h"
#include "lists/ringtone_list.h"
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

class ListStressTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("TUNEWRIGHT_HOME"); }
    tw::test::TempDir home;
};

bool Add(const std::string& list, const std::string& name) {
    return RunTunewright({"list", "add", list, "--from", "rtttl"}, name + ":d=4,o=5,b=125:c,d").code == 0;
}

TEST_F(ListStressTest, AddsRemovesAndRenamesLoseNothing) {
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
TEST_F(ListStressTest, ALockHeldTooLongIsAnError) {
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

// A list too big for the memory the process may have is an error message
// and an exit status, never an abort; a list file over the cap is refused
// unread.
TEST_F(ListStressTest, BigListsAreErrorsNotCrashes) {
    std::string list;
    for (int i = 0; i < 300000; ++i)
        list += "[T" + std::to_string(i) + "]\r\nRTTTL=T:d=4,o=5,b=125:c, d, e, f, g, a, b, c, d, e\r\n";
    tw::test::WriteBytes(home / "Big.dat", list);
    const pid_t child = ::fork();
    if (child == 0) {
        // Room for 24 MB more than the process has now: less than the list needs.
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (24 << 20);
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        const tw::test::CliRun run = RunTunewright({"list", "show", "Big"});
        ::_exit(run.code == 70 && run.err == "error: out of memory\n" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::filesystem::resize_file(home / "Big.dat", tw::MaxListFileSize + 1);
    const tw::test::CliRun run = RunTunewright({"list", "show", "Big"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("is 67108865 bytes, more than the 67108864 bytes"), std::string::npos) << run.err;
}

}  // namespace

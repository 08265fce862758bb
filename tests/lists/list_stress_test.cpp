// Lists under stress: several programs changing the lists of one program
// directory at once (each change waits for the others, so none is lost), and
// lists too big for memory or for the cap. The lock itself, its file removed
// or replaced while held and its patience, is tested in tests/files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "files/file_lock.h"
#include "files/safe_file.h"
#include "lists/ringtone_list.h"
#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::RunTunewright;

std::vector<std::string> Names(const std::string& list) {
    std::vector<std::string> names;
    std::istringstream out(RunTunewright({"list", "show", list}).out);
    for (std::string line; std::getline(out, line);) names.push_back(line);
    return names;
}

// Starts each job in a process of its own.
std::vector<pid_t> StartAll(const std::vector<std::function<bool()>>& jobs) {
    std::vector<pid_t> children;
    for (const auto& job : jobs) {
        const pid_t child = ::fork();
        if (child == 0) ::_exit(job() ? 0 : 1);
        children.push_back(child);
    }
    return children;
}

// Waits for the jobs StartAll started; the number of them that failed.
int WaitAll(const std::vector<pid_t>& children) {
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failed;
    }
    return failed;
}

int RunAtOnce(const std::vector<std::function<bool()>>& jobs) { return WaitAll(StartAll(jobs)); }

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

// A command that changes the lists, and what it reads on standard input.
struct ListChange {
    std::vector<std::string> args;
    std::string input;
};

// Every file of the program folder but the lock file, with its content.
std::map<std::string, std::string> Contents(const tw::test::TempDir& home) {
    std::map<std::string, std::string> files;
    for (const std::string& name : tw::test::FilesIn(home.path())) files[name] = tw::test::ReadBytes(home / name);
    return files;
}

// While another program holds the lists' lock, no command changes a list
// file; each does once the lock is let go.
TEST_F(ListStressTest, EveryListChangeWaitsForTheLock) {
    for (const char* list : {"Old", "Gone", "Full", "Some"}) ASSERT_TRUE(Add(list, "Tune"));
    const std::string tune = "New:d=4,o=5,b=125:c";
    const std::vector<ListChange> changes = {
        {{"new", "Made"}, ""},
        {{"rename", "Old", "Renamed"}, ""},
        {{"delete", "Gone"}, ""},
        {{"clear", "Full"}, ""},
        {{"remove", "Some", "Tune"}, ""},
        {{"add", "Added", "--from", "rtttl"}, tune},
        {{"import", "Many", "--from", "rtttl"}, tune},
    };
    std::map<std::string, std::string> expected = Contents(home);
    const std::string stored = "[New]\r\nRTTTL=" + tune + "\r\n";
    expected["Renamed.dat"] = expected["Old.dat"];
    for (const char* gone : {"Old.dat", "Gone.dat"}) expected.erase(gone);
    for (const char* empty : {"Made.dat", "Full.dat", "Some.dat"}) expected[empty] = "";
    for (const char* added : {"Added.dat", "Many.dat"}) expected[added] = stored;

    // Each command starts once the lock is held: when the pipe closes.
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<std::function<bool()>> jobs;
    for (const ListChange& change : changes)
        jobs.push_back([&start, change] {
            ::close(start[1]);
            char byte;
            if (::read(start[0], &byte, 1) != 0) return false;
            std::vector<std::string> args = change.args;
            args.insert(args.begin(), "list");
            return RunTunewright(args, change.input).code == 0;
        });
    const std::vector<pid_t> children = StartAll(jobs);
    ::close(start[0]);
    const std::map<std::string, std::string> before = Contents(home);
    std::optional<tw::FileLock> held;
    held.emplace(home / ".lists.lock");
    ::close(start[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // room to change a file wrongly
    EXPECT_EQ(Contents(home), before);
    held.reset();
    EXPECT_EQ(WaitAll(children), 0);
    EXPECT_EQ(Contents(home), expected);
}

// A list too big for the memory the process may have is an error message
// and an exit status, never an abort; a list file over the cap is refused
// unread.
TEST_F(ListStressTest, BigListsAreErrorsNotCrashes) {
    std::string list;
    for (int i = 0; i < 300000; ++i)
        list += "[T" + std::to_string(i) + "]\r\nRTTTL=T:d=4,o=5,b=125:c, d, e, f, g, a, b, c, d, e\r\n";
    tw::test::WriteBytes(home / "Big.dat", list);
    // In a process of its own, started afresh: free room that tests before
    // this one left in the heap would count as room too.
    const auto showWithLittleRoom = [] {
        // Room for 24 MB more than the process has now: less than the list needs.
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (24 << 20);
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        const tw::test::CliRun run = RunTunewright({"list", "show", "Big"});
        std::fputs(run.err.c_str(), stderr);
        std::_Exit(run.code);
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(showWithLittleRoom(), ::testing::ExitedWithCode(70), "^error: out of memory\n$");

    std::filesystem::resize_file(home / "Big.dat", tw::MaxListFileSize + 1);
    const tw::test::CliRun run = RunTunewright({"list", "show", "Big"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("is 67108865 bytes, more than the 67108864 bytes"), std::string::npos) << run.err;
}

}  // namespace

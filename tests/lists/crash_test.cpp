// A process killed while it stores or deletes a ringtone must leave the list
// file whole: holding exactly its old content or exactly its new content.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "list_files.h"
#include "list_test_support.h"
#include "ringtone_list.h"

namespace {

using tw::test::ReadBytes;
using tw::test::WriteBytes;

constexpr int Tones = 300;
constexpr int Rounds = 150;

std::string ToneText(int number, int version) {
    return "Tone" + std::to_string(number) + ":d=4,o=5,b=" + std::to_string(100 + version % 100) +
           ":c,8d#,e.,16f,g6,a,b,32p,c6,2d6,8e6";
}

// One change to the list, done the same way in the child and for the
// expected result.
struct Change {
    bool store;
    int tone;
    int version;

    void Apply(const std::filesystem::path& folder) const {
        tw::CNotes ringtone;
        ringtone.SetOutputSeparator(",");
        tw::CRingtoneList list(ringtone, folder);
        list.SetListName("Favtones");
        if (store) {
            ringtone.SetFull_RTTTL(ToneText(tone, version));
            list.SaveToFile();
        } else {
            ringtone.SetName("TONE" + std::to_string(tone));  // deleting matches without regard to case
            list.DeleteFromFile();
        }
    }
};

// Runs the change in a child process and kills it `delay` after the child
// is about to start it; without a delay the child runs to its end. Gives the
// time from the start of the change to the end of the child.
std::chrono::microseconds ApplyAndKill(const Change& change, const std::filesystem::path& folder,
                                       std::optional<std::chrono::microseconds> delay) {
    std::chrono::microseconds took{0};
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    EXPECT_GE(child, 0);
    if (child < 0) return took;
    if (child == 0) {
        ::close(ready[0]);
        const char go = 'g';
        if (::write(ready[1], &go, 1) != 1) ::_exit(2);
        try {
            change.Apply(folder);
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    char go = 0;
    EXPECT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    const auto started = std::chrono::steady_clock::now();
    if (delay) {
        std::this_thread::sleep_for(*delay);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    if (WIFEXITED(status)) EXPECT_EQ(WEXITSTATUS(status), 0) << "the change failed in the child";
    return took;
}

TEST(ListCrash, KilledWritersLeaveTheOldOrTheNewList) {
    tw::test::TempDir live, scratch;
    const std::filesystem::path liveFile = live / "Favtones.dat";
    const std::filesystem::path scratchFile = scratch / "Favtones.dat";
    for (int tone = 0; tone < Tones; ++tone) Change{true, tone, 0}.Apply(live.path());

    // How long a child takes to make one change, to spread the kills over it.
    const auto took = ApplyAndKill(Change{true, 0, 1}, live.path(), std::nullopt);
    ASSERT_FALSE(HasFailure());

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pickTone(0, Tones + 20);
    std::uniform_int_distribution<long> pickDelay(0, took.count() * 3 / 2 + 100);

    int keptOld = 0, tookNew = 0;
    for (int round = 1; round <= Rounds; ++round) {
        const Change change{round % 3 != 0, pickTone(random), round};
        const std::string before = ReadBytes(liveFile);
        WriteBytes(scratchFile, before);
        change.Apply(scratch.path());
        const std::string expected = ReadBytes(scratchFile);

        ApplyAndKill(change, live.path(), std::chrono::microseconds(pickDelay(random)));
        if (HasFailure()) return;

        const std::string after = ReadBytes(liveFile);
        ASSERT_TRUE(after == before || after == expected) << "round " << round << ": the list was torn";
        (after == expected && after != before ? tookNew : keptOld)++;
        tw::SortedNameList names;
        tw::CNotes ringtone;
        tw::CRingtoneList list(ringtone, live.path());
        list.SetListName("Favtones");
        ASSERT_NO_THROW(list.LoadList(names));
    }
    std::cout << "kept the old list " << keptOld << " times, the new one " << tookNew << " times\n";

    // Leftover temporary files never pass for lists.
    tw::SortedNameList lists;
    tw::ScanListFiles(lists, live.path());
    EXPECT_EQ(lists.Items(), std::vector<std::string>{"Favtones"});
    for (const std::string& name : tw::test::FilesIn(live.path()))
        if (name != "Favtones.dat") EXPECT_NE(name.substr(name.size() - 4), ".dat") << name;
}

}  // namespace

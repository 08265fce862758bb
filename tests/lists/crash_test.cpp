// A process killed while it stores or deletes a ringtone must leave the list
// file whole: holding exactly its old content or exactly its new content.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "lists/ringtone_list.h"
#include "support/temp_files.h"

namespace {

using tw::test::ReadBytes;

// Stores version `version` of tone `tone` or, when `version` is negative,
// deletes the tone, naming it in another letter case.
void Change(const std::filesystem::path& folder, int tone, int version) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(",");
    tw::RingtoneListFile list(ringtone, folder);
    list.SetListName("Favtones");
    if (version < 0) {
        ringtone.SetName("TONE" + std::to_string(tone));
        list.DeleteFromFile();
        return;
    }
    ringtone.SetFull_RTTTL("Tone" + std::to_string(tone) + ":d=4,o=5,b=" + std::to_string(100 + version % 100) +
                           ":c,8d#,e.,16f,g6,a,b,32p,c6,2d6,8e6");
    list.SaveToFile();
}

TEST(ListCrash, KilledWritersLeaveTheOldOrTheNewList) {
    tw::test::TempDir live, scratch;
    for (int tone = 0; tone < 300; ++tone) Change(live.path(), tone, 0);
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 1; round <= 100; ++round) {
        const int tone = std::uniform_int_distribution<int>(0, 320)(random), version = round % 3 ? round : -1;
        // The expected list, and how long the change takes, from a copy; then the same
        // change in a child process killed at some moment up to twice that.
        const std::string before = ReadBytes(live / "Favtones.dat");
        tw::test::WriteBytes(scratch / "Favtones.dat", before);
        const auto started = std::chrono::steady_clock::now();
        Change(scratch.path(), tone, version);
        const auto took = std::chrono::steady_clock::now() - started;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Change(live.path(), tone, version);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 2)(random) * took);
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        const std::string after = ReadBytes(live / "Favtones.dat");
        ASSERT_TRUE(after == before || after == ReadBytes(scratch / "Favtones.dat")) << "round " << round << ": torn";
    }
}

}  // namespace

// The temporary files of ReplaceFile: none is left by a process stopped by a
// signal, a write past the file size limit fails with its reason, and those
// of processes that are gone are removed by the next write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "files/safe_file.h"
#include "files/temporary_files.h"
#include "support/temp_files.h"

namespace {

using tw::test::FilesIn;
using tw::test::TempDir;
using Names = std::set<std::string>;

int WaitFor(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST(TemporaryFiles, AWriterEndedBySigtermLeavesNoTemporaryFileAndAWholeFile) {
    const TempDir folder;
    const auto target = folder / "Favtones.dat";
    tw::test::WriteBytes(target, "old");
    const std::string big(std::size_t{32} << 20, 'n');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        tw::InstallTemporaryFileCleanup();
        for (;;) try {
                tw::ReplaceFile(target, big);
            } catch (...) {
                ::_exit(3);
            }
    }
    // The signal comes while a temporary file is there (the wait is bounded,
    // not timed: the child writes until it is stopped).
    bool writing = false;
    for (int i = 0; i < 1000000 && !writing; ++i) {
        writing = FilesIn(folder.path()).size() > 1;
        if (!writing) ::usleep(20);
    }
    ::kill(child, SIGTERM);
    const int status = WaitFor(child);
    EXPECT_TRUE(writing);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "wait status " << status;
    EXPECT_EQ(FilesIn(folder.path()), Names{"Favtones.dat"});
    const std::string content = tw::test::ReadBytes(target);
    EXPECT_TRUE(content == "old" || content == big) << content.size() << " bytes";
}

TEST(TemporaryFiles, AWritePastTheFileSizeLimitFailsWithItsReason) {
    const TempDir folder;
    const auto target = folder / "tone.wav";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        tw::InstallTemporaryFileCleanup();
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            tw::ReplaceFile(target, std::string(100000, 'x'));
        } catch (const tw::FileError& e) {
            ::_exit(std::string(e.what()) == "could not write " + target.string() + ": File too large" ? 0 : 2);
        }
        ::_exit(1);
    }
    const int status = WaitFor(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(FilesIn(folder.path()), Names{});
}

TEST(TemporaryFiles, TheNextWriteIntoTheFolderRemovesThoseOfProcessesThatAreGone) {
    const TempDir folder;
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    WaitFor(gone);
    const std::string dead = std::to_string(gone), alive = std::to_string(::getppid());
    const struct {
        std::string name;
        bool stays;
    } files[] = {
        {".Rock.dat." + dead + "-3.tmp", false}, {".tonelist.txt." + dead + "-0.tmp", false},
        {".Rock.dat." + alive + "-3.tmp", true},  // its process still runs
        {"Rock.dat." + dead + "-3.tmp", true},    // not a name of ours
        {".Rock.dat." + dead + ".tmp", true},    {"." + dead + "-3.tmp", true},
    };
    Names expected{"Pop.dat"};
    for (const auto& file : files) {
        tw::test::WriteBytes(folder / file.name, "left");
        if (file.stays) expected.insert(file.name);
    }
    tw::ReplaceFile(folder / "Pop.dat", "new");
    EXPECT_EQ(FilesIn(folder.path()), expected);
}

TEST(TemporaryFiles, NamesFitInNameMaxAtAWholeCharacter) {
    std::string accented;
    for (int i = 0; i < 127; ++i) accented += "\xC3\xA9";  // é
    for (const std::string& name : {std::string(255, 'a'), std::string(243, 'b'), accented + "c", accented}) {
        const std::string temporary =
            tw::TemporaryPathFor("/lists" / std::filesystem::path(name), 4000000000U).filename().string();
        EXPECT_LE(temporary.size(), 255U) << name.size();
        EXPECT_EQ(temporary.substr(temporary.size() - 15), "-4000000000.tmp");
        const std::string stem = temporary.substr(0, temporary.rfind('.', temporary.size() - 16));
        EXPECT_EQ(stem, "." + name.substr(0, stem.size() - 1)) << name.size();
        if (name[0] == '\xC3') EXPECT_EQ((stem.size() - 1) % 2, 0U) << "a character was cut";
    }
}

}  // namespace

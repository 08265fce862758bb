// The file layer where the system shows through: devices named for output,
// writers stopped by a signal or dead before, the longest names, root.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <tuple>

#include "files/safe_file.h"
#include "files/temporary_files.h"
#include "support/temp_files.h"

namespace {

using tw::test::FilesIn;
using tw::test::TempDir;
using Names = std::set<std::string>;

TEST(WriteOutputFile, DevicesAreWrittenToAndStayDevices) {
    const TempDir folder;
    for (const auto& [name, minor, error] : {std::tuple{"null", 3U, ""}, {"full", 7U, ": No space left on device"}}) {
        const auto device = folder / name;
        if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) GTEST_SKIP() << "mknod is not permitted";
        const int probe = ::open(device.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) GTEST_SKIP() << "devices cannot be opened in " << folder.path();
        ::close(probe);
        std::string message;
        try {
            tw::WriteOutputFile(device, "Tune");
        } catch (const tw::FileError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, *error ? "could not write " + device.string() + error : "");
        EXPECT_TRUE(std::filesystem::is_character_file(device)) << name;
    }
}

TEST(TemporaryFiles, AWriterEndedBySigtermLeavesNoTemporaryFileAndAWholeFile) {
    const TempDir folder;
    const auto target = folder / "Favtones.dat";
    tw::test::WriteBytes(target, "old");
    const std::string big(std::size_t{32} << 20, 'n');
    const pid_t child = ::fork();
    if (child == 0) {
        tw::InstallTemporaryFileCleanup();
        try {
            for (;;) tw::ReplaceFile(target, big);  // until stopped
        } catch (...) {
            ::_exit(3);
        }
    }
    bool writing = false;  // the wait for a temporary file is bounded, not timed
    for (int i = 0; i < 1000000 && !writing; ++i) {
        writing = FilesIn(folder.path()).size() > 1;
        ::usleep(20);
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(writing);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "wait status " << status;
    EXPECT_EQ(FilesIn(folder.path()), Names{"Favtones.dat"});
    const std::string content = tw::test::ReadBytes(target);
    EXPECT_TRUE(content == "old" || content == big) << content.size() << " bytes";
}

TEST(TemporaryFiles, TheNextWriteOfTheirTargetRemovesThoseOfProcessesThatAreGone) {
    const TempDir folder;
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone), alive = std::to_string(::getppid());
    const Names kept{".Rock.dat." + alive + "-3.tmp", "Rock.dat." + dead + "-3.tmp", ".Rock.dat." + dead + ".tmp"};
    for (const std::string& name : kept) tw::test::WriteBytes(folder / name, "");
    const std::string stale = ".Rock.dat." + dead + "-3.tmp";
    tw::test::WriteBytes(folder / stale, "");
    tw::ReplaceFile(folder / "Pop.dat", "new");
    Names expected = kept;
    expected.insert({"Pop.dat", stale});
    EXPECT_EQ(FilesIn(folder.path()), expected);
    tw::ReplaceFile(folder / "Rock.dat", "new");
    expected.erase(stale);
    expected.insert("Rock.dat");
    EXPECT_EQ(FilesIn(folder.path()), expected);
}

TEST(ReplaceFile, NamesOfUpTo255BytesCanBeWrittenAndReplaced) {
    std::string accented;
    for (int i = 0; i < 127; ++i) accented += "\xC3\xA9";  // é, never cut in two
    for (const std::string& name : {std::string(255, 'a'), std::string(243, 'b'), accented + "c"}) {
        const TempDir folder;
        tw::ReplaceFile(folder / name, "first");
        tw::ReplaceFile(folder / name, "second");
        EXPECT_EQ(tw::test::ReadBytes(folder / name), "second") << name.size();
        EXPECT_LE(tw::TemporaryPathFor(folder / name, 4000000000U).filename().string().size(), 255U);
    }
}

TEST(ReplaceFile, RootKeepsTheOwnerAndModeOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to someone else";
    const TempDir folder;
    const auto file = folder / "Favtones.dat";
    tw::test::WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456) + ::chmod(file.c_str(), 0640), 0);
    tw::ReplaceFile(file, "new");
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777), std::tuple(12345U, 23456U, 0640U));
}

}  // namespace

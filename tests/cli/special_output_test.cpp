// Output that cannot be taken: a FIFO or a device named by -o is written to
// and stays what it is, and a full standard output or disk is an error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "cli_run.h"
#include "support/fifo.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

const std::string Tune = "Tune:d=4,o=5,b=125:c";

class SpecialOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TUNEWRIGHT_HOME", (folder / "home").c_str(), 1);
        ASSERT_EQ(RunTunewright({"list", "add", "Rock", "--from", "rtttl"}, Tune).code, 0);
    }
    void TearDown() override { ::unsetenv("TUNEWRIGHT_HOME"); }

    // A character device like /dev/full, in the test's folder; nothing when
    // devices cannot be made or opened here.
    std::optional<std::filesystem::path> FullDevice() const {
        const auto device = folder / "full";
        if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) return std::nullopt;
        const int fd = ::open(device.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return std::nullopt;
        ::close(fd);
        return device;
    }

    tw::test::TempDir folder;
};

TEST_F(SpecialOutputTest, EveryDashOGoesIntoAFifoAndLeavesItThere) {
    const auto fifo = folder / "out";
    tw::test::MakeFifo(fifo);
    const struct {
        std::vector<std::string> args;
        std::string begins;
    } cases[] = {
        {{"convert", "--from", "rtttl", "--to", "composer", "-o", fifo}, "Tune:Tempo=125:4c1\r\n"},
        {{"wav", "--from", "rtttl", "-o", fifo}, "RIFF"},
        {{"list", "export", "Rock", "--types", "rtttl", "-o", fifo}, "-"},
    };
    for (const auto& c : cases) {
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(reader, 0);
        const CliRun run = RunTunewright(c.args, Tune);
        std::string got(65536, '\0');
        got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
        ::close(reader);
        EXPECT_EQ(run.code, 0) << c.args[0] << ": " << run.err;
        EXPECT_EQ(got.substr(0, c.begins.size()), c.begins) << c.args[0];
        EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << c.args[0];
    }
}

TEST_F(SpecialOutputTest, AFullDeviceBehindDashOIsAnError) {
    const auto device = FullDevice();
    if (!device) GTEST_SKIP() << "devices cannot be made here";
    const CliRun run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", *device}, Tune);
    EXPECT_EQ(run.code, tw::ExitNothingRead);
    EXPECT_EQ(run.err, "error: could not write " + device->string() + ": No space left on device\n");
    EXPECT_TRUE(std::filesystem::is_character_file(*device));
}

TEST_F(SpecialOutputTest, AStandardOutputThatCannotBeWrittenEndsWithExit74) {
    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const std::vector<std::string> commands[] = {
        {"convert", "--from", "rtttl", "--to", "composer"},
        {"notes", "--from", "rtttl"},
        {"list", "show", "Rock"},
        {"list", "get", "Rock", "Tune", "--to", "rtttl"},
        {"list", "lists"},
        {"list", "export", "Rock", "-o", "-"},
        {"--help"},
    };
    for (const auto& args : commands) {
        std::ofstream full("/dev/full", std::ios::binary);
        std::istringstream in(Tune);
        std::ostringstream err;
        EXPECT_EQ(tw::RunCli(args, in, full, err), tw::ExitOutput) << args[0];
        EXPECT_EQ(err.str(), "error: could not write to standard output: No space left on device\n") << args[0];
    }
}

TEST_F(SpecialOutputTest, WavAllSaysWhyAFolderCannotTakeTheFiles) {
    const auto file = folder / "a file";
    tw::test::WriteBytes(file, "");
    const CliRun run = RunTunewright({"list", "wav-all", "Rock", "-o", file});
    EXPECT_EQ(run.code, tw::ExitSound);
    EXPECT_EQ(run.err, "error: could not write the WAV files in " + file.string() + ": Not a directory\n");
    if (::geteuid() == 0) return;  // root writes into any folder
    const auto locked = folder / "locked";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(RunTunewright({"list", "wav-all", "Rock", "-o", locked}).err,
              "error: could not write the WAV files in " + locked.string() + ": Permission denied\n");
}

}  // namespace

// Output that is not a regular file: -o into a FIFO leaves the FIFO, and a
// standard output or folder that cannot be written is an error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/cli_run.h"
#include "support/fifo.h"
#include "support/program_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::RunTunewright;

const std::string Tune = "Tune:d=4,o=5,b=125:c";

class OutputTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TUNEWRIGHT_HOME", (folder / "home").c_str(), 1);
        ASSERT_EQ(RunTunewright({"list", "add", "Rock", "--from", "rtttl"}, Tune).code, 0);
    }
    void TearDown() override { ::unsetenv("TUNEWRIGHT_HOME"); }

    tw::test::TempDir folder;
};

TEST_F(OutputTargetTest, EveryDashOWritesIntoAFifoAndLeavesItThere) {
    const auto fifo = folder / "out";
    tw::test::MakeFifo(fifo);
    const std::string out = fifo;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"convert", "--from=rtttl", "--to=rtttl", "-o", out}, "Tune:d=4,o=5,b=125:c\r\n"},
        {{"wav", "--from=rtttl", "-o", out}, "RIFF"},
        {{"list", "export", "Rock", "-o", out}, "-"},
    };
    for (const auto& [args, begins] : cases) {
        const int reader = ::open(out.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // the writer need not wait
        const int code = RunTunewright(args, Tune).code;
        std::string got(65536, '\0');
        got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
        ::close(reader);
        EXPECT_EQ(code, 0) << args[0];
        EXPECT_EQ(got.rfind(begins, 0), 0U) << args[0];
        EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << args[0];
    }
}

TEST_F(OutputTargetTest, AStandardOutputThatCannotBeWrittenEndsWithExit74) {
    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"convert", "--from=rtttl", "--to=rtttl"},
                                                 {"notes", "--from=rtttl"},
                                                 {"wav", "--from=rtttl", "-o", "-"},
                                                 {"midi", "--from=rtttl", "-o", "-"},
                                                 {"list", "show", "Rock"},
                                                 {"list", "export", "Rock", "-o", "-"},
                                                 {"--help"}}) {
        std::ofstream full("/dev/full", std::ios::binary);
        std::istringstream in(Tune);
        std::ostringstream err;
        EXPECT_EQ(tw::RunCli(args, in, full, err), tw::ExitOutput) << args[0];
        EXPECT_EQ(err.str(), "error: could not write to standard output: No space left on device\n") << args[0];
    }
}

TEST_F(OutputTargetTest, WavAllSaysWhyTheFolderCannotTakeTheFiles) {
    tw::test::WriteBytes(folder / "file", "");
    EXPECT_EQ(RunTunewright({"list", "wav-all", "Rock", "-o", folder / "file"}).err,
              "error: could not write the WAV files in " + (folder / "file").string() + ": Not a directory\n");
}

// A reader that goes away is a write error like any other, never a silent
// end by SIGPIPE: standard output whose reader has gone ends with exit 74
// and the reason, as a full disk does; -o into a FIFO whose reader goes away
// midway ends as a file that cannot be written (exit 3 for a sound).
TEST_F(OutputTargetTest, AReaderThatGoesAwayIsAWriteErrorWithItsReason) {
    const auto fifo = folder / "pipe";
    tw::test::MakeFifo(fifo);
    const auto input = folder / "tune.txt";
    const auto errors = folder / "err.txt";

    tw::test::WriteBytes(input, Tune);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    ::close(reader);
    const pid_t convert =
        tw::test::StartProgram(TW_TUNEWRIGHT, {"convert", "--from=rtttl", "--to=rtttl"}, input, writer, errors);
    ::close(writer);
    const tw::test::ProgramRun gone = tw::test::FinishProgram(convert, errors);
    EXPECT_EQ(gone.status, tw::ExitOutput);
    EXPECT_EQ(gone.err, "error: could not write to standard output: Broken pipe\n");

    // Four whole notes of four seconds: more sound than the FIFO holds.
    tw::test::WriteBytes(input, "Long:d=1,o=5,b=60:c,d,e,f");
    const int partReader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t wav =
        tw::test::StartProgram(TW_TUNEWRIGHT, {"wav", "--from=rtttl", "-o", fifo}, input, nowhere, errors);
    ::close(nowhere);
    pollfd ready{partReader, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 20000), 1);
    char some[4096];
    EXPECT_GT(::read(partReader, some, sizeof some), 0);
    ::close(partReader);
    const tw::test::ProgramRun midway = tw::test::FinishProgram(wav, errors);
    EXPECT_EQ(midway.status, tw::ExitSound);
    EXPECT_EQ(midway.err, "error: could not write " + fifo.string() + ": Broken pipe\n");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

}  // namespace

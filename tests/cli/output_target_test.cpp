// Output that is not a regular file: -o into a FIFO leaves the FIFO, and a
// standard output or folder that cannot be written is an error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
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

}  // namespace

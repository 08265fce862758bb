#include "cli.h"
#include "cli_run.h"
#include "render.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

const std::string Song = "Song:d=8,o=5,b=140:c,e,g,4p,c6";

Bytes ImageOf(const std::string& rtttl) {
    tw::CNotes notes;
    notes.SetOutputSeparator(", ");
    notes.SetFull_RTTTL(rtttl);
    return tw::RenderWave(notes);
}

TEST(WavCommand, WritesTheImageToStandardOutputOrAFileAndReportsTheProblems) {
    CliRun run = RunTunewright({"wav", "--from", "rtttl", "-o", "-"}, Song);
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Bytes(run.out.begin(), run.out.end()), ImageOf(Song));
    // A ringtone with problems is still rendered.
    TempDir folder;
    run = RunTunewright({"wav", "--from=rtttl", "--output", folder / "x.wav"}, "d=4,o=5,b=120:c,d");
    EXPECT_EQ(run.code, tw::ExitProblems);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Ringtone name is invalid.\n");
    EXPECT_EQ(FileBytes(folder / "x.wav"), ImageOf("d=4,o=5,b=120:c,d"));
    EXPECT_EQ(FileBytes(folder / "x.wav").size(), 44u + 2 * (1 + 4008 + 36 + 4007 + 36));
}

TEST(SoundCommands, FailuresWriteNothingToStandardOutputOrDisk) {
    const std::vector<std::string> wav = {"wav", "--from", "rtttl", "-o", "OUT"};
    const struct {
        std::vector<std::string> args;  // OUT stands for a file in an empty folder
        std::string input;
        int code;
        std::string err;  // how the error output begins
    } cases[] = {
        {wav, "T:d=4,o=5,b=0:c,d", tw::ExitSound, "error: the tempo must be above 0, not 0\n"},
        {wav, "T:d=4,o=5,b=90:c,c99", tw::ExitSound,
         "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n"
         "error: note 2: "},
        {wav, "  ", tw::ExitNothingRead, "error: no ringtone text\n"},
        {{"wav", "--from", "rtttl"}, Song, tw::ExitUsage, "error: wav needs --from and -o\n"},
        {{"play"}, Song, tw::ExitUsage, "error: play needs --from\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.input);
        TempDir folder;
        std::vector<std::string> args = c.args;
        for (std::string& arg : args)
            if (arg == "OUT") arg = folder / "out.wav";
        const CliRun run = RunTunewright(args, c.input);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_TRUE(FilesIn(folder.path()).empty());
    }
}

}  // namespace
}  // namespace twtest

#include <tuple>

#include "app/cli.h"
#include "cli_run.h"
#include "sound/midi_file.h"
#include "sound/render.h"
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
}

TEST(MidiCommand, WritesTheFileToStandardOutputOrAFile) {
    tw::CNotes notes;
    notes.SetFull_RTTTL(Song);
    const Bytes expected = tw::WriteMidi(notes);
    CliRun run = RunTunewright({"midi", "--from", "rtttl", "-o", "-"}, Song);
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(Bytes(run.out.begin(), run.out.end()), expected);
    TempDir folder;
    EXPECT_EQ(RunTunewright({"midi", "--from", "rtttl", "-o", folder / "song.mid"}, Song).code, tw::ExitClean);
    EXPECT_EQ(FileBytes(folder / "song.mid"), expected);
    run = RunTunewright({"midi", "--from", "rtttl", "-o", "-"}, "Slow:d=4,o=5,b=2:c");
    EXPECT_EQ(run.code, tw::ExitSound);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(RunTunewright({"midi", "--from", "rtttl"}, Song).code, tw::ExitUsage);
}

TEST(SoundCommands, FailuresWriteNothingToStandardOutputOrDisk) {
    const std::tuple<std::string, int, std::string> cases[] = {
        // input, exit code, how the error output begins
        {"T:d=4,o=5,b=90:c,0c", tw::ExitSound,
         "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n"
         "note 2, 0c: a duration of 0, which has no length\nerror: note 2: "},
        {"  ", tw::ExitNothingRead, "error: no ringtone text\n"}};
    for (const auto& [input, code, err] : cases) {
        TempDir folder;
        const CliRun run = RunTunewright({"wav", "--from", "rtttl", "-o", folder / "out.wav"}, input);
        EXPECT_EQ(run.code, code);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, err.size()), err);
        EXPECT_TRUE(FilesIn(folder.path()).empty());
    }
    const CliRun run = RunTunewright({"wav", "--from", "rtttl"}, Song);
    EXPECT_EQ(run.code, tw::ExitUsage);
    EXPECT_EQ(run.err.rfind("error: wav needs --from and -o\n", 0), 0u);
}

}  // namespace
}  // namespace twtest

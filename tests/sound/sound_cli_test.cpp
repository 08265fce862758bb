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

using namespace std::string_literals;

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

// A ringtone written as MIDI comes back in the notation asked for, named by
// --name, the track or the file; a broken file is exit 2 with nothing out.
TEST(FromMidiCommand, ReadsTheRingtoneBackAndReportsWhatItCannotHold) {
    TempDir folder;
    const std::string song = folder / "My Song.mid";
    ASSERT_EQ(RunTunewright({"midi", "--from", "rtttl", "-o", song}, "Low:d=4,o=4,b=140:c,8e,g.").code,
              tw::ExitProblems);
    CliRun run = RunTunewright({"from-midi", song, "--to", "composer"});
    EXPECT_EQ(run.code, tw::ExitProblems);  // octave 4 is below the composer's
    EXPECT_EQ(run.out, "Low:Tempo=140:4c1, 8e1, 4.g1\n");
    run = RunTunewright({"from-midi", song, "--fit", "--name", "Fitted", "-o", folder / "out.txt"});
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(run.err, "The melody was moved 1 octave up to fit the composer's octaves.\n");
    EXPECT_EQ(tw::test::ReadBytes(folder / "out.txt"), "Fitted:d=4,o=5,b=140:c, 8e, g.\r\n");

    // One track without a name: c5 for a quarter note.
    const std::string unnamed = "MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0\0\x0D\0\x90\x48\x64\x83\x60\x80\x48\0\0\xFF\x2F\0"s;
    EXPECT_EQ(RunTunewright({"from-midi", "-"}, unnamed).out, "MIDI:d=4,o=5,b=120:c\n");

    run = RunTunewright({"from-midi", "-"}, unnamed.substr(0, 20));
    EXPECT_EQ(run.code, tw::ExitNothingRead);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("error: not a MIDI file that can be read: ", 0), 0u) << run.err;
    EXPECT_EQ(RunTunewright({"from-midi", song, "--track", "0"}).code, tw::ExitUsage);
    EXPECT_EQ(RunTunewright({"from-midi", song, "--track", "2"}).code, tw::ExitNothingRead);
}

TEST(SoundCommands, FailuresWriteNothingToStandardOutputOrDisk) {
    const std::tuple<std::string, int, std::string> cases[] = {
        // input, exit code, how the error output begins
        {"T:d=4,o=5,b=90:c,0c", tw::ExitSound,
         "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n"
         "note 2, 0c: a note without a length\nerror: note 2, 0c: a note without a length\n"},
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

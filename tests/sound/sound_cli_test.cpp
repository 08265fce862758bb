#include <tuple>

#include "app/cli.h"
#include "engine/size_limits.h"
#include "sound/midi_file.h"
#include "sound/render.h"
#include "sound_test_support.h"
#include "support/cli_run.h"
#include "support/midi_bytes.h"

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
    EXPECT_EQ(run.err,
              "The ringtone is named \"Fitted\" as given.\n"
              "The melody was moved 1 octave up to fit the composer's octaves.\n");
    EXPECT_EQ(tw::test::ReadBytes(folder / "out.txt"), "Fitted:d=4,o=5,b=140:c, 8e, g.\r\n");

    // One track without a name: c5 for a quarter note.
    const std::string unnamed = "MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0\0\x0D\0\x90\x48\x64\x83\x60\x80\x48\0\0\xFF\x2F\0"s;
    EXPECT_EQ(RunTunewright({"from-midi", "-"}, unnamed).out, "MIDI:d=4,o=5,b=120:c\n");
    EXPECT_EQ(RunTunewright({"from-midi", song, "--track", "0"}).code, tw::ExitUsage);
    EXPECT_EQ(RunTunewright({"from-midi", song, "--track", "2"}).code, tw::ExitNothingRead);
}

// The ringtone is named after the song, not the instrument of its track, and
// says where its name came from; a file broken only outside its notes is
// read with what was skipped on standard error, one broken in a note is not.
struct FromMidiRow {
    const char* name;
    std::string file, path, given, out, err;
    int code = tw::ExitClean;
};
void PrintTo(const FromMidiRow& row, std::ostream* out) { *out << row.name; }

class FromMidiRows : public ::testing::TestWithParam<FromMidiRow> {};

TEST_P(FromMidiRows, NamesAndReadsAsTheSong) {
    const FromMidiRow& row = GetParam();
    TempDir folder;
    std::vector<std::string> args{"from-midi", row.path == "-" ? "-" : (folder / row.path).string()};
    if (row.path != "-") tw::test::WriteBytes(folder / row.path, row.file);
    if (!row.given.empty()) args.insert(args.end(), {"--name", row.given});
    const CliRun run = RunTunewright(args, row.file);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err);
    EXPECT_EQ(run.code, row.code);
}

using namespace tw::test::midi;
const std::string Conducted = File(1, {Name("Song") + Tempo(0, 500'000), Name("Steel Guitar") + Note(72, 480)});
const std::string Untitled = File(1, {Tempo(0, 500'000), Name("Steel Guitar") + Note(72, 480)});

INSTANTIATE_TEST_SUITE_P(
    Cases, FromMidiRows,
    ::testing::Values(FromMidiRow{"the conductor's name", Conducted, "x.mid", "", "Song:d=4,o=5,b=120:c\n",
                                  "The ringtone is named \"Song\" after the song's title.\n"},
                      FromMidiRow{"the file's name", Untitled, "Tune.mid", "", "Tune:d=4,o=5,b=120:c\n",
                                  "The ringtone is named \"Tune\" after the file, as the song has no title.\n"},
                      FromMidiRow{"the track's name, the only one", Untitled, "-", "", "Steel Guitar:d=4,o=5,b=120:c\n",
                                  "The ringtone is named \"Steel Guitar\" after its track, the only name there is.\n"},
                      FromMidiRow{"controller values above 127",
                                  File(0, {Name("Arabic") + Event(0, {0xB0, 0x5D, 0xFF}) + Note(72, 480)}), "a.mid", "",
                                  "Arabic:d=4,o=5,b=120:c\n",
                                  "The ringtone is named \"Arabic\" after the song's title.\n"
                                  "Read leniently: skipped 1 broken controller event; no note was at stake.\n"},
                      FromMidiRow{"a note value above 127", File(0, {Name("Arabic") + Event(0, {0x90, 72, 0xFF})}),
                                  "a.mid", "", "",
                                  "error: not a MIDI file that can be read: a note event value above 127\n",
                                  tw::ExitNothingRead}));

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

// `count` quarter notes c and d in turn, given with "," between them, which
// midi and from-midi give back as they are.
std::string Notes(const char* name, int count) {
    std::string text = std::string(name) + ":d=4,o=5,b=125:";
    for (int i = 0; i < count; ++i) text += i % 2 == 0 ? "c," : "d,";
    text.back() = '\n';
    return text;
}

// What midi writes, from-midi reads: 500,000 notes make a MIDI file larger
// than one ringtone's text, which reads back note for note. A ringtone that
// would come back as a longer text than a ringtone may be is refused before
// anything is written, with the size and the limit; so is a MIDI file larger
// than one may be, by its size.
TEST(MidiCommand, WhatItWritesReadsBack) {
    TempDir folder;
    const std::string big = folder / "big.mid";
    const std::string given = Notes("Big", 500000);
    ASSERT_EQ(RunTunewright({"midi", "--from", "rtttl", "-o", big}, given).code, tw::ExitProblems);
    ASSERT_GT(std::filesystem::file_size(big), tw::MaxRingtoneText);
    CliRun run = RunTunewright({"from-midi", big, "--separator", ","});
    EXPECT_EQ(run.code, tw::ExitProblems) << run.err;  // more than 50 notes
    EXPECT_TRUE(run.out == given);

    const std::string longer = folder / "longer.mid";
    run = RunTunewright({"midi", "--from", "rtttl", "-o", longer}, Notes("Longer", 1100000));
    EXPECT_EQ(run.code, tw::ExitSound);
    EXPECT_NE(run.err.find("error: the MIDI file would not read back as a ringtone: the melody's notes would be a "
                           "ringtone text of 4399999 bytes, more than the 4194185 bytes the notes of a ringtone "
                           "text may be\n"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(longer));

    std::filesystem::resize_file(big, tw::MaxMidiFile + 1);
    run = RunTunewright({"from-midi", big});
    EXPECT_EQ(run.code, tw::ExitNothingRead);
    EXPECT_EQ(run.err, "error: the file " + big +
                           " is 67108865 bytes, more than the 64 MiB (67108864 bytes) a MIDI file may be\n");
}

}  // namespace
}  // namespace twtest

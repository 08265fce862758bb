// tunewright transpose and list transpose: each option and notation reaches
// the engine's moves (whose own tables hold the octave wraps, the fit and the
// notes pushed out of range), and the stored ringtone changes in its list.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

const std::string Handset = "Some notes cannot be entered on the handset as written.\n";

// A MIDI file of one track at 96 ticks a quarter and the default tempo
// (120): a quarter of `first` then an eighth of `second`, MIDI note numbers
// (72 is RTTTL's c5).
std::string MidiOf(char first, char second) {
    // Delta time, then the event: on at velocity 100, off after 96 or 48 ticks.
    const std::string track = std::string{0, '\x90', first, 100, 0x60, '\x80', first, 0} +
                              std::string{0, '\x90', second, 100, 0x30, '\x80', second, 0} +
                              std::string("\0\xFF\x2F\0", 4);
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0", 21) + static_cast<char>(track.size()) + track;
}

const std::string Unnamed = "The ringtone is named \"MIDI\": the song has no name.\n";

struct TransposeRow {
    const char* what;
    std::vector<std::string> args;  // after "transpose"
    std::string input;
    int code;
    std::string out, err;
};

void PrintTo(const TransposeRow& row, std::ostream* out) { *out << row.what; }

class TransposeCli : public ::testing::TestWithParam<TransposeRow> {};

TEST_P(TransposeCli, WritesTheMovedRingtoneAndReports) {
    const TransposeRow& row = GetParam();
    std::vector<std::string> args = row.args;
    args.insert(args.begin(), "transpose");
    const CliRun run = RunTunewright(args, row.input);
    EXPECT_EQ(run.code, row.code);
    EXPECT_EQ(run.out, row.out);
    // A usage error is followed by the usage.
    EXPECT_EQ(run.err.substr(0, run.err.find("Usage:")), row.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, TransposeCli,
    ::testing::ValuesIn(std::vector<TransposeRow>{
        {"sharps become naturals and b wraps to c",
         {"--semitones", "1"},
         "T:d=4,o=5,b=125:c#,b,e,8p",
         0,
         "T:d=4,o=5,b=125:d, c6, f, 8p\n",
         ""},
        {"fit, written in the composer notation",
         {"--fit", "--to", "composer"},
         "T:d=4,o=5,b=125:c3,8d#3",
         0,
         "T:Tempo=125:4c1, 8#d1\n",
         "The melody was moved 2 octaves up to fit the composer's octaves.\n"},
        {"read as composer text, written as RTTTL",
         {"--semitones", "2", "--from", "composer", "--to", "rtttl"},
         "T:Tempo=90:4c1, 8#a2, 16-",
         0,
         "T:d=4,o=5,b=90:d, 8c7, 16p\n",
         ""},
        {"the notes alone with another separator",
         {"--semitones", "+3", "--notes-only", "--separator", "|"},
         "T:d=4,o=5,b=125:e,f#",
         0,
         "g|a\n",
         ""},
        {"written as an iMelody file",
         {"--octaves", "1", "--to", "imelody"},
         "T:d=4,o=5,b=125:c,8a#",
         0,
         "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:T\r\nBEAT:125\r\nMELODY:*5c2*5#a3\r\nEND:IMELODY\r\n",
         ""},
        {"read from an iMelody file",
         {"--semitones", "2", "--from", "imelody", "--to", "rtttl"},
         "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:T\r\nBEAT:125\r\nMELODY:*5c2*5#a3\r\nEND:IMELODY\r\n",
         0,
         "T:d=4,o=5,b=125:d6, 8c7\n",
         ""},
        {"read from a MIDI file, written as RTTTL",
         {"--semitones", "1", "--from", "midi"},
         MidiOf(72, 76),
         0,
         "MIDI:d=4,o=5,b=120:c#, 8f\n",
         Unnamed},
        {"a MIDI file's track fitted, written in the composer notation",
         {"--fit", "--from=midi", "--track", "1", "--to", "composer", "-"},
         MidiOf(48, 52),
         0,
         "MIDI:Tempo=120:4c1, 8e1\n",
         Unnamed + "The melody was moved 2 octaves up to fit the composer's octaves.\n"},
        {"a track the MIDI file lacks",
         {"--fit", "--from", "midi", "--track", "2"},
         MidiOf(72, 76),
         2,
         "",
         "error: there is no track 2; the file has 1\n"},
        {"a track of a text",
         {"--octaves", "1", "--track", "1"},
         "T:d=4,o=5,b=125:c",
         64,
         "",
         "error: --track goes with --from midi\n"},
        {"no move asked",
         {},
         "T:d=4,o=5,b=125:c",
         64,
         "",
         "error: transpose needs one of --semitones N, --octaves N or --fit\n"},
        {"two moves asked",
         {"--fit", "--octaves", "1"},
         "T:d=4,o=5,b=125:c",
         64,
         "",
         "error: transpose needs one of --semitones N, --octaves N or --fit\n"},
        {"a move that is no number",
         {"--semitones", "up"},
         "T:d=4,o=5,b=125:c",
         64,
         "",
         "error: --semitones takes a whole number from -120 to 120, not 'up'\n"},
        {"a move beyond ten octaves",
         {"--octaves", "11"},
         "T:d=4,o=5,b=125:c",
         64,
         "",
         "error: --octaves takes a whole number from -10 to 10, not '11'\n"},
    }));

// The usage follows a usage error; only its first line is compared.
TEST(TransposeCliUsage, UsageErrorsShowTheUsage) {
    const CliRun run = RunTunewright({"transpose", "--fit", "--each"}, "T:d=4,o=5,b=125:c");
    EXPECT_EQ(run.code, 64);
    EXPECT_NE(run.err.find("Usage: tunewright"), std::string::npos);
}

class ListTransposeCli : public tw::test::FreshHomeTest {
protected:
    std::string ListFile() const { return tw::test::ReadBytes(home / "lists" / "Fav.dat"); }
};

// The stored ringtone is moved in place; the other entries stay as they were.
TEST_F(ListTransposeCli, MovesTheStoredRingtone) {
    ASSERT_EQ(RunTunewright({"list", "add", "Fav", "--from", "rtttl"}, "Low:d=4,o=5,b=90:c3,8d#3").code, 1);
    ASSERT_EQ(RunTunewright({"list", "add", "Fav", "--from", "rtttl"}, "Other:d=4,o=5,b=90:e").code, 0);
    CliRun run = RunTunewright({"list", "transpose", "Fav", "low", "--fit"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Low\n");
    EXPECT_EQ(run.err, "The melody was moved 2 octaves up to fit the composer's octaves.\n");
    EXPECT_EQ(ListFile(), "[Other]\r\nRTTTL=Other:d=4,o=5,b=90:e\r\n[Low]\r\nRTTTL=Low:d=4,o=5,b=90:c, 8d#\r\n");

    run = RunTunewright({"list", "transpose", "Fav", "Low", "--semitones", "-1"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Handset + "note 1, b4: below the composer's octaves\n");
    run = RunTunewright({"list", "get", "Fav", "Low", "--to", "rtttl"});
    EXPECT_EQ(run.out, "Low:d=4,o=5,b=90:b4, 8d\n");
}

// A move that changes no note leaves the list file as it is, unwritten.
TEST_F(ListTransposeCli, WritesNothingWhenNothingMoves) {
    std::filesystem::create_directories(home / "lists");
    const std::string list = "[A]\r\nRTTTL=A:d=4,o=5,b=90:c,d\r\n[B]\r\nRTTTL=B:d=4,o=5,b=90:e\r\n";
    tw::test::WriteBytes(home / "lists" / "Fav.dat", list);
    const CliRun run = RunTunewright({"list", "transpose", "Fav", "A", "--fit"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "A\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ListFile(), list);
}

TEST_F(ListTransposeCli, RefusesWhatItCannotMove) {
    ASSERT_EQ(RunTunewright({"list", "add", "Fav", "--from", "rtttl"}, "A:d=4,o=5,b=90:c").code, 0);
    const std::string before = ListFile();
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } rows[] = {
        {{"Fav", "Nope", "--fit"},
         2,
         "error: there is no ringtone 'Nope' in the list 'Fav' (" + (home / "lists" / "Fav.dat").string() + ")\n"},
        {{"None", "A", "--fit"}, 2, ""},
        {{"Fav", "A"}, 64, "error: list transpose needs one of --semitones N, --octaves N or --fit\n"},
        {{"Fav", "A", "--fit", "--to", "rtttl"}, 64, "error: list transpose takes no option --to\n"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), {"list", "transpose"});
        const CliRun run = RunTunewright(args);
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(run.code, row.code);
        if (!row.err.empty()) EXPECT_EQ(run.err.substr(0, run.err.find("Usage:")), row.err);
        EXPECT_EQ(ListFile(), before);
    }
}

}  // namespace

// The command line with the handset and device files. iMelody and Smart
// Messaging: read from a file or standard input byte for byte, written to -o
// or standard output (never a binary file to a terminal), stored in a list as
// RTTTL and got back. Flipper Music Format: --to fmf and --from fmf, a file
// named after its file, fmf-all. Arduino sketches: written on the pin given,
// never read, and --pin refused where it means nothing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::ExpectConverts;
using tw::test::RunTunewright;

const std::string Rtttl = "Hi:d=4,o=5,b=125:8c5,4a#.6,16p";
const std::string IMelody =
    "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:Hi\r\nBEAT:125\r\nMELODY:*4c3*5#a2.r4\r\nEND:IMELODY\r\n";
// A prefix where the octave changes: *5 for every note, or for the c alone.
const std::string Prefixed = "BEGIN:IMELODY\r\nBEAT:125\r\nMELODY:*5c3d3\r\nEND:IMELODY\r\n";
// Rtttl as a ringing tone (the engine tests lay out its bits).
const std::string Ott("\x02\x4A\x3A\x49\x21\xA4\x04\x00\x0E\xC8\xE4\x91\x62\x8D\xA4\x84\x00\x00", 18);
// "B\xA9" "CA" in ISO-8859-1, tempo 63, c5: its bits make a line feed (byte
// 5) and a carriage return (byte 7), which a text reader would drop.
const std::string OttWithLineBreaks("\x02\x4A\x3A\x51\x0A\xA5\x0D\x04\x04\x00\x02\x45\x00\x00", 14);
const std::string NameWithLineBreaks =
    "B\xC2\xA9"
    "CA";

using HandsetFilesCli = tw::test::FreshHomeTest;

TEST_F(HandsetFilesCli, ConvertGivesExactOutputAndExitCode) {
    ExpectConverts({
        {{"--from", "rtttl", "--to", "imelody"}, Rtttl, 0, IMelody, ""},
        {{"--from", "rtttl", "--to", "ott"}, Rtttl, 0, Ott, ""},
        {{"--from", "imelody", "--to", "rtttl", "--separator", ","}, IMelody, 0, "Hi:d=4,o=5,b=125:8c,a#.6,16p\n", ""},
        {{"--from", "ott", "--to", "rtttl", "--separator", ","}, Ott, 0, "Hi:d=4,o=5,b=125:8c,a#.6,16p\n", ""},
        {{"--from", "ott", "--to", "rtttl"}, OttWithLineBreaks, 0, NameWithLineBreaks + ":d=4,o=5,b=63:c\n", ""},
        {{"--from", "IMELODY", "--to", "OTT"}, IMelody, 0, Ott, ""},
        {{"--from", "rtttl", "--to", "ott"},
         "T:d=4,o=5,b=120:c",
         1,
         std::string("\x02\x4A\x3A\x45\x50\x04\x00\x08\xC8\xE4\x91\x40\x00", 13),
         "the tempo 120 is not one a ringing tone has, written as 125\n"},
        {{"--from", "imelody", "--to", "rtttl"},
         "BEGIN:IMELODY\nMELODY:c2(d2\nEND:IMELODY\n",
         2,
         "",
         "error: The iMelody file cannot be read: a repeat opened with '(' is never closed.\n"},
        {{"--from", "ott", "--to", "rtttl"},
         Ott.substr(0, 12),
         2,
         "",
         "error: The Smart Messaging ringing tone cannot be read: the data ends inside instruction 4 of pattern 1.\n"},
        {{"--from", "ott", "--to", "rtttl"}, "", 2, "", "error: no ringtone file\n"},
        {{"--from", "imelody", "--to", "rtttl"}, Prefixed, 0, "No name:d=4,o=5,b=125:8c6, 8d6\n", ""},
        {{"--from", "imelody", "--imelody-prefix", "until-next", "--to", "rtttl"},
         Prefixed,
         0,
         "No name:d=4,o=5,b=125:8c6, 8d6\n",
         ""},
        {{"--from", "imelody", "--imelody-prefix=one-note", "--to", "rtttl"},
         Prefixed,
         0,
         "No name:d=4,o=5,b=125:8c6, 8d\n",
         ""},
    });
}

TEST_F(HandsetFilesCli, RefusesWhatDoesNotFit) {
    const std::vector<std::vector<std::string>> refused = {
        {"convert", "--from", "rtttl", "--to", "ott", "--notes-only"},
        {"convert", "--from", "rtttl", "--to", "imelody", "--each"},
        {"convert", "--from", "ott", "--to", "rtttl", "--each"},
        {"list", "import", "L", "--from", "imelody"},
        {"convert", "--from", "rtttl", "--to", "midi"},
        {"convert", "--from", "rtttl", "--imelody-prefix", "one-note", "--to", "composer"},
        {"convert", "--from", "imelody", "--imelody-prefix", "one", "--to", "composer"},
        {"list", "add", "L", "--from", "ott", "--imelody-prefix", "one-note"},
        {"list", "get", "L", "Hi", "--to", "imelody", "--imelody-prefix", "one-note"},
        {"from-midi", "-", "--imelody-prefix", "one-note"},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(RunTunewright(args, Rtttl).code, tw::ExitUsage);
    }
}

// A ringtone with no note to write is refused as nothing converted, and no
// file is made: a file of it would not read again.
TEST_F(HandsetFilesCli, NothingToWriteIsRefusedBeforeWriting) {
    const std::string noNote = "None:d=4,o=5,b=125:x,y";
    const std::string pausesAlone = "Quiet:d=4,o=5,b=125:p,8p";
    const struct {
        std::vector<std::string> args;
        std::string input, message;
    } cases[] = {
        {{"convert", "--from", "rtttl", "--to", "imelody"}, noNote, "no note that could be read"},
        {{"convert", "--from", "rtttl", "--to", "ott"}, noNote, "no note that could be read"},
        {{"midi", "--from", "rtttl"}, noNote, "no note with a pitch"},
        {{"midi", "--from", "rtttl"}, pausesAlone, "no note with a pitch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.input);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", (home / "out").string()});
        const CliRun run = RunTunewright(args, c.input);
        EXPECT_EQ(run.code, tw::ExitNothingRead);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("error: The ringtone holds " + c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(home / "out"));
    }
}

// Binary output goes to a terminal only never; to a file or pipe it goes as it is.
TEST_F(HandsetFilesCli, BinaryOutputIsNotWrittenToATerminal) {
    std::istringstream in(Rtttl);
    std::ostringstream out, err;
    const std::vector<std::string> args = {"convert", "--from", "rtttl", "--to", "ott"};
    EXPECT_EQ(tw::RunCli(args, in, out, err, true), tw::ExitUsage);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("error: ott output is binary: give -o FILE"), std::string::npos) << err.str();

    std::istringstream again(Rtttl);
    std::vector<std::string> toFile = args;
    toFile.insert(toFile.end(), {"-o", (home / "hi.ott").string()});
    EXPECT_EQ(tw::RunCli(toFile, again, out, err, true), tw::ExitClean);
    EXPECT_EQ(tw::test::ReadBytes(home / "hi.ott"), Ott);
}

// A list stores the RTTTL text, as for any ringtone; get writes either file.
TEST_F(HandsetFilesCli, ListsStoreRtttlAndGiveTheFilesBack) {
    EXPECT_EQ(RunTunewright({"list", "add", "L", "--from", "ott", "--separator", ","}, Ott).out, "Hi\n");
    EXPECT_EQ(tw::test::ReadBytes(home / "lists" / "L.dat"), "[Hi]\r\nRTTTL=Hi:d=4,o=5,b=125:8c,a#.6,16p\r\n");
    EXPECT_EQ(RunTunewright({"list", "add", "L", "--from", "imelody"}, "BEGIN:IMELODY\nEND:IMELODY\n").code,
              tw::ExitNothingRead);
    EXPECT_EQ(RunTunewright({"list", "add", "L", "--from", "imelody", "--imelody-prefix", "one-note"}, Prefixed).out,
              "No name\n");
    EXPECT_EQ(RunTunewright({"list", "get", "L", "No name", "--to", "rtttl"}).out, "No name:d=4,o=5,b=125:8c6, 8d\n");
    const CliRun imy = RunTunewright({"list", "get", "L", "Hi", "--to", "imelody"});
    EXPECT_EQ(imy.code, tw::ExitClean);
    EXPECT_EQ(imy.out, IMelody);
    EXPECT_EQ(RunTunewright({"list", "get", "L", "Hi", "--to", "ott", "-o", (home / "hi.ott").string()}).code,
              tw::ExitClean);
    EXPECT_EQ(tw::test::ReadBytes(home / "hi.ott"), Ott);
}

// An iMelody file of 700,000 notes, larger than most ringtone texts, reads
// back note for note. The writer holds the notes to what the reader takes,
// measured as the reader measures them: one note more than that is refused
// before anything is written, with the size and the limit.
TEST_F(HandsetFilesCli, WhatIsWrittenReadsBack) {
    const auto notes = [](int count) {
        std::string text = "Big:d=4,o=5,b=125:";
        for (int i = 0; i < count; ++i) text += i % 2 == 0 ? "c," : "d,";
        text.back() = '\n';
        return text;
    };
    const std::string file = home / "big.imy";
    const std::string given = notes(700000);
    CliRun run = RunTunewright({"convert", "--from", "rtttl", "--to", "imelody", "-o", file}, given);
    ASSERT_EQ(run.code, 1) << run.err;  // more than 50 notes
    run = RunTunewright({"convert", "--from", "imelody", "--to", "rtttl", "--separator", ",", file});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_TRUE(run.out == given);

    // The longest: 18 bytes of header and 1,048,571 notes of four ("4c5,").
    run = RunTunewright({"convert", "--from", "rtttl", "--to", "imelody", "-o", file}, notes(1048571));
    ASSERT_EQ(run.code, 1) << run.err;
    EXPECT_EQ(RunTunewright({"convert", "--from", "imelody", "--to", "rtttl", file}).code, 1);
    std::filesystem::remove(file);
    run = RunTunewright({"convert", "--from", "rtttl", "--to", "imelody", "-o", file}, notes(1048572));
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("error: The iMelody file would read back as a ringtone text of 4194306 bytes, more than "
                           "the 4 MiB (4194304 bytes) a ringtone text may be.\n"),
              std::string::npos)
        << run.err.substr(0, 300);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Flipper Music Format files.
const std::string FmfRtttl = "Hi:d=4,o=5,b=125:8c5,4a#.6,16p,32e6";
const std::string Fmf =
    "Filetype: Flipper Music Format\nVersion: 0\nBPM: 125\nDuration: 4\nOctave: 5\nNotes: 8C, 4A#6., 16P, 32E6\n";

using FmfCli = tw::test::FreshHomeTest;

TEST_F(FmfCli, ConvertGivesExactOutputAndExitCode) {
    ExpectConverts({
        {{"--from", "rtttl", "--to", "fmf"}, FmfRtttl, 0, Fmf, ""},
        {{"--from", "fmf", "--to", "rtttl", "--separator", ","},
         Fmf,
         0,
         "No name:d=4,o=5,b=125:8c,a#.6,16p,32e6\n",
         ""},
        {{"--from", "FMF", "--to", "imelody"},
         Fmf,
         0,
         "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:No name\r\nBEAT:125\r\n"
         "MELODY:*4c3*5#a2.r4*5e5\r\nEND:IMELODY\r\n",
         ""},
        {{"--from", "fmf", "--to", "rtttl"},
         "Filetype: Flipper Music Format\nVersion: 0\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: 4C, 4H\n",
         2,
         "",
         "error: The Flipper Music Format file cannot be read: no note letter A to G or P (note 2, \"4H\").\n"},
    });
}

TEST_F(FmfCli, AFileIsNamedAfterItsFileAndListsGiveItBack) {
    const std::string file = (home / "Airwolf.fmf").string();
    ASSERT_EQ(RunTunewright({"convert", "--from", "rtttl", "--to", "fmf", "-o", file}, FmfRtttl).code, tw::ExitClean);
    EXPECT_EQ(tw::test::ReadBytes(home / "Airwolf.fmf"), Fmf);
    EXPECT_EQ(RunTunewright({"convert", "--from", "fmf", "--to", "rtttl", "--separator", ",", file}).out,
              "Airwolf:d=4,o=5,b=125:8c,a#.6,16p,32e6\n");
    EXPECT_EQ(RunTunewright({"list", "add", "L", "--from", "fmf", file}).out, "Airwolf\n");
    const CliRun back = RunTunewright({"list", "get", "L", "Airwolf", "--to", "fmf"});
    EXPECT_EQ(back.code, tw::ExitClean);
    EXPECT_EQ(back.out, Fmf);
}

// fmf-all writes one NAME.fmf per ringtone, reports under the ringtone's
// name what a file cannot hold, and skips what it cannot write.
TEST_F(FmfCli, FmfAllWritesOneFilePerRingtone) {
    ASSERT_EQ(RunTunewright({"list", "add", "L", "--from", "rtttl"}, FmfRtttl).code, tw::ExitClean);
    RunTunewright({"list", "add", "L", "--from", "rtttl"}, "High:d=4,o=5,b=120:c17");
    RunTunewright({"list", "add", "L", "--from", "rtttl"}, "Empty:d=4,o=5,b=120:x");
    const CliRun run = RunTunewright({"list", "fmf-all", "L", "-o", (home / "out").string()});
    EXPECT_EQ(run.code, tw::ExitProblems);
    EXPECT_EQ(tw::test::ReadBytes(home / "out" / "Hi.fmf"), Fmf);
    EXPECT_EQ(tw::test::ReadBytes(home / "out" / "High.fmf"),
              "Filetype: Flipper Music Format\nVersion: 0\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: 4C16\n");
    EXPECT_FALSE(std::filesystem::exists(home / "out" / "Empty.fmf"));
    EXPECT_NE(run.err.find("High: note 1, c17: above the Flipper Music Format's octaves, written in octave 16\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Empty.fmf. [The ringtone holds no note that could be read"), std::string::npos) << run.err;
}

// Arduino sketches.
using ArduinoCli = tw::test::FreshHomeTest;

struct Refused {
    std::vector<std::string> args;
    std::string error;
};
void PrintTo(const Refused& r, std::ostream* out) { *out << testing::PrintToString(r.args); }

TEST_F(ArduinoCli, RefusesUsagesThatMeanNothing) {
    const std::vector<Refused> refused = {
        {{"convert", "--from", "arduino", "--to", "rtttl"},
         "error: --from takes rtttl, composer, keypresses, imelody, ott or fmf, not 'arduino': Arduino Sketch files "
         "are "
         "written, not read\n"},
        {{"notes", "--from", "ARDUINO"}, "Arduino Sketch files are written, not read"},
        {{"list", "add", "L", "--from", "arduino"}, "Arduino Sketch files are written, not read"},
        {{"convert", "--from", "rtttl", "--to", "rtttl", "--pin", "3"},
         "error: --pin is the buzzer's pin of an Arduino sketch: give --to arduino\n"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "256"},
         "error: --pin takes a pin number 0 to 255, not '256'\n"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "-1"}, "--pin takes a pin number 0 to 255"},
        {{"convert", "--from", "rtttl", "--to", "arduino", "--pin", "x"}, "--pin takes a pin number 0 to 255"},
        {{"list", "get", "L", "Hi", "--to", "imelody", "--pin", "3"}, "give --to arduino"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(testing::PrintToString(r));
        const tw::test::CliRun run = RunTunewright(r.args, Rtttl);
        EXPECT_EQ(run.code, tw::ExitUsage);
        EXPECT_NE(run.err.find(r.error), std::string::npos) << run.err;
    }
}

TEST_F(ArduinoCli, ConvertAndListGetWriteTheSketchForThePin) {
    const tw::test::CliRun converted =
        RunTunewright({"convert", "--from", "rtttl", "--to", "arduino", "--pin=3"}, Rtttl);
    EXPECT_EQ(converted.code, 0);
    EXPECT_NE(converted.out.find("const uint8_t buzzerPin = 3;\n"), std::string::npos);

    ASSERT_EQ(RunTunewright({"list", "add", "L", "--from", "rtttl"}, Rtttl).code, 0);
    const tw::test::CliRun got = RunTunewright({"list", "get", "L", "Hi", "--to", "arduino", "--pin", "12"});
    EXPECT_EQ(got.code, 0);
    EXPECT_NE(got.out.find("const uint8_t buzzerPin = 12;\n"), std::string::npos);
    const tw::test::CliRun defaulted = RunTunewright({"list", "get", "L", "Hi", "--to", "arduino"});
    EXPECT_NE(defaulted.out.find("const uint8_t buzzerPin = 8;\n"), std::string::npos);
}

}  // namespace

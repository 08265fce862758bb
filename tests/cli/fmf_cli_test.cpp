// The command line with Flipper Music Format files: --to fmf and --from fmf
// on convert, a file named after its file, and a list's ringtone got back as
// one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/cli.h"
#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::ExpectConverts;
using tw::test::RunTunewright;

const std::string Rtttl = "Hi:d=4,o=5,b=125:8c5,4a#.6,16p,32e6";
const std::string Fmf =
    "Filetype: Flipper Music Format\nVersion: 0\nBPM: 125\nDuration: 4\nOctave: 5\nNotes: 8C, 4A#6., 16P, 32E6\n";

using FmfCli = tw::test::FreshHomeTest;

TEST_F(FmfCli, ConvertGivesExactOutputAndExitCode) {
    ExpectConverts({
        {{"--from", "rtttl", "--to", "fmf"}, Rtttl, 0, Fmf, ""},
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
        {{"--from", "rtttl", "--to", "fmf"},
         "T:d=4,o=5,b=120:c17",
         1,
         "Filetype: Flipper Music Format\nVersion: 0\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: 4C16\n",
         "Some notes cannot be entered on the handset as written.\n"
         "note 1, c17: above the composer's octaves; too high for the sound, plays as silence\n"
         "note 1, c17: above the Flipper Music Format's octaves, written in octave 16\n"},
        {{"--from", "fmf", "--to", "rtttl"},
         "Filetype: Flipper Music Format\nVersion: 0\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: 4C, 4H\n",
         2,
         "",
         "error: The Flipper Music Format file cannot be read: no note letter A to G or P (note 2, \"4H\").\n"},
    });
}

TEST_F(FmfCli, AFileIsNamedAfterItsFileAndListsGiveItBack) {
    const std::string file = (home / "Airwolf.fmf").string();
    ASSERT_EQ(RunTunewright({"convert", "--from", "rtttl", "--to", "fmf", "-o", file}, Rtttl).code, tw::ExitClean);
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
    ASSERT_EQ(RunTunewright({"list", "add", "L", "--from", "rtttl"}, Rtttl).code, tw::ExitClean);
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

}  // namespace

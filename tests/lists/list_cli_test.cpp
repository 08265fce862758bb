// The list commands of the command line: their output, error output and exit
// codes, in a program directory of the test's own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "engine/ringtone_text.h"
#include "engine/size_limits.h"
#include "support/cli_run.h"
#include "support/fifo.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::FilesIn;
using tw::test::ReadBytes;
using Files = std::set<std::string>;

class ListCliTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("TUNEWRIGHT_HOME"); }

    CliRun List(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), "list");
        return tw::test::RunTunewright(args, input);
    }
    std::string At(const std::string& name) const { return (home / name).string(); }

    tw::test::TempDir home;
};

TEST_F(ListCliTest, CommandsChangeTheListFilesOneAfterTheOther) {
    std::filesystem::create_directory(home / "Odd.dat");  // a list file that cannot be written
    const std::string tone = "A:d=4,o=5,b=125:c,d";
    const struct {
        std::vector<std::string> args;  // in these and in the output, "@" stands for the program directory
        std::string input;
        int code;
        std::string out;
        std::string err;  // a part of the error output
    } steps[] = {
        {{"add", "Favtones", "--from", "composer", "-"}, "Test:Tempo=125:4c1 8d1", 0, "Test\n", ""},
        {{"add", "Rock", "--from", "rtttl"}, "beta:d=4,o=5,b=125:c,d", 0, "beta\n", ""},
        {{"add", "Rock", "--from", "rtttl"}, "Alpha:d=8,o=6,b=90:c,4e", 0, "Alpha\n", ""},
        {{"show", "Rock"}, "", 0, "Alpha\nbeta\n", ""},
        {{"get", "Rock", "ALPHA", "--to=composer", "--separator", " ", "--notes-only"}, "", 0, "8c2 4e2\n", ""},
        {{"remove", "Rock", "BETA"}, "", 0, "", ""},
        {{"get", "Rock", "beta", "--to", "rtttl"}, "", 2, "", "@/Rock.dat"},
        {{"add", "Odd", "--from", "rtttl"}, tone, 2, "", "was not stored"},
        {{"new", "Dance"}, "", 0, "", ""},
        {{"new", "Rock"}, "", 0, "the list 'Rock' exists already; its ringtones are kept\n", ""},
        {{"rename", "Rock", "Pop"}, "", 0, "", ""},
        {{"lists"}, "", 0, "Dance\nFavtones\nPop\n", ""},
        {{"delete", "Pop"}, "", 0, "", ""},
        {{"delete", "Pop"}, "", 2, "", "@/Pop.dat"},
        {{"export", "Favtones"}, "", 0, "@/tonelist.txt\n", ""},
        {{"export", "Favtones", "--types", "composer,rtttl", "--raw", "--show-type", "-o", "@/raw.txt"},
         "",
         0,
         "@/raw.txt\n",
         ""},
        {{"export", "Favtones", "-o", "@/missing/t.txt"}, "", 2, "", "error: could not "},
        // Stored with its problems, which go to the error output; a text that reads as nothing is not stored.
        {{"add", "Favtones", "--from", "rtttl"}, "test:d=4,o=5,b=90:c,zz", 1, "test\n", "note format"},
        {{"add", "Favtones", "--from", "rtttl"}, "   ", 2, "", "error: "},
        {{"import", "Mine", "--from", "rtttl"}, "# nothing\n", 2, "", "error: "},
        // Names that cannot be lists and unusable command lines are usage errors.
        {{"new", "menu"}, "", 64, "", "error: "},
        {{"show"}, "", 64, "", "error: "},
        {{"get", "A", "B"}, "", 64, "", "error: "},
        {{"export", "A", "--types", "midi"}, "", 64, "", "error: "},
        {{}, "", 64, "", "error: "},
    };
    const auto here = [&](std::string text) {
        return text.starts_with("@") ? home.path().string() + text.substr(1) : text;
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::PrintToString(step.args));
        std::vector<std::string> args;
        for (const std::string& arg : step.args) args.push_back(here(arg));
        const CliRun run = List(args, step.input);
        EXPECT_EQ(run.code, step.code);
        EXPECT_EQ(run.out, here(step.out));
        if (step.err.empty()) EXPECT_EQ(run.err, "");
        else EXPECT_NE(run.err.find(here(step.err)), std::string::npos) << run.err;
    }
    // Stored in place of "Test", under the name as it was given last.
    EXPECT_EQ(ReadBytes(home / "Favtones.dat"), "[test]\r\nRTTTL=test:d=4,o=5,b=90:c, z\r\n");
    EXPECT_EQ(FilesIn(home.path()), (Files{"Dance.dat", "Favtones.dat", "Odd.dat", "raw.txt", "tonelist.txt"}));
    EXPECT_TRUE(ReadBytes(home / "raw.txt")
                    .ends_with("-\r\n\r\nRTTTL = Test:d=4,o=5,b=125:c, 8d\r\n"
                               "Composer = Test:Tempo=125:4c1, 8d1\r\n"));  // no keypresses
    EXPECT_TRUE(List({"export", "Favtones", "-o", "-"}).out.ends_with("\r\ntest (Tempo 90)\r\n1, 0\r\n\r\n"));
}

TEST_F(ListCliTest, WavAllAndMidiAllWriteOneFilePerRingtoneInsideTheFolder) {
    for (const char* tone : {"Test:d=4,o=5,b=125:c,8d", "up/out:d=4,o=5,b=125:c,d", "Silent:d=4,o=5,b=0:c,d"})
        List({"add", "Favtones", "--from", "rtttl"}, tone);
    // An entry edited by hand: the file is named after the ringtone, as the window names it.
    std::ofstream(home / "Favtones.dat", std::ios::app | std::ios::binary) << "[Hand]\r\nRTTTL=Own:d=4,o=5,b=125:c\r\n";
    const std::tuple<std::string, std::string, std::string> rows[] = {{"wav-all", ".wav", "RIFF"},
                                                                      {"midi-all", ".mid", "MThd"}};
    for (const auto& [command, extension, start] : rows) {
        SCOPED_TRACE(command);
        const std::string folder = At("new/" + command);
        const CliRun run = List({command, "Favtones", "-o", folder});  // a missing folder is made
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(FilesIn(folder), (Files{"Own" + extension, "Test" + extension}));
        EXPECT_EQ(ReadBytes(folder + "/Test" + extension).substr(0, 4), start);
        for (const std::string& part : {"Generating 'Test" + extension + "'...\n", std::string("'up/out' was skipped"),
                                        "An error occurred trying to create " + folder + "/Silent" + extension})
            EXPECT_NE(run.err.find(part), std::string::npos) << part;
        EXPECT_EQ(List({command, "Favtones", "-o", At("Favtones.dat")}).code, 3);  // a file is no folder
    }
    EXPECT_EQ(FilesIn(home.path()), (Files{"Favtones.dat", "new"}));
}

TEST_F(ListCliTest, AListFileThatIsAFifoIsRefusedWithoutWaitingForAWriter) {
    const auto fifo = home / "Rock.dat";
    tw::test::MakeFifo(fifo);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"add", "Rock", "--from", "rtttl"},
                                                 {"show", "Rock"},
                                                 {"get", "Rock", "T", "--to", "rtttl"}}) {
        CliRun run;
        EXPECT_TRUE(tw::test::FinishesWithoutWriter(fifo, [&] { run = List(args, "T:d=4,o=5,b=125:c"); }));
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find(fifo.string() + ": it is a FIFO, not a regular file\n"), std::string::npos) << run.err;
    }
}

// Whatever add stores, get reads back, and whatever convert writes, convert
// reads again; a text that would be written beyond what can be read is
// refused with the reason, and nothing is stored.
TEST_F(ListCliTest, WhatIsWrittenReadsBack) {
    std::string notes;
    for (int i = 0; i < 20000; ++i) notes += "c,";
    const struct {
        const char* from;
        std::string text;
    } rows[] = {
        {"rtttl", "Big:d=4,o=5,b=125:" + notes},
        {"keypresses", "Big:Tempo=125:" + std::string(40000, '1')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.from);
        // Exit 1: read and stored, with more notes than a handset holds.
        ASSERT_EQ(List({"add", "Long", "--from", row.from}, row.text).code, 1);
        for (const char* to : {"rtttl", "composer", "keypresses"}) {
            const CliRun got = List({"get", "Long", "Big", "--to", to});
            ASSERT_EQ(got.code, 1) << got.err;
            EXPECT_EQ(tw::test::RunTunewright({"convert", "--from", to, "--to", "rtttl"}, got.out).out,
                      List({"get", "Long", "Big", "--to", "rtttl"}).out);
        }
    }
    const std::string before = ReadBytes(home / "Long.dat");
    const std::string wide = "," + std::string(300, ' ');  // 20,000 notes: over 4 MiB
    for (const char* command : {"convert", "add"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {command, "--from", "rtttl", "--to", "rtttl", "--separator", wide};
        if (*command == 'a') args = {"list", "add", "Long", "--from", "rtttl", "--separator", wide};
        const CliRun run = tw::test::RunTunewright(args, rows[0].text);
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find("a ringtone text may be, so it could not be read again"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadBytes(home / "Long.dat"), before);
}

// Storing "song" into a list that holds "Song" replaces that entry where it
// stands, and the list names it as the ringtone now does.
TEST_F(ListCliTest, AStoredNameTakesTheNewLetterCaseWhereItStands) {
    for (const char* tone : {"Song:d=4,o=5,b=90:c", "Tune:d=4,o=5,b=90:d", "song:d=4,o=5,b=90:e"})
        ASSERT_EQ(List({"add", "Mine", "--from", "rtttl"}, tone).code, 0) << tone;
    EXPECT_EQ(ReadBytes(home / "Mine.dat"),
              "[song]\r\nRTTTL=song:d=4,o=5,b=90:e\r\n[Tune]\r\nRTTTL=Tune:d=4,o=5,b=90:d\r\n");
    EXPECT_EQ(List({"show", "Mine"}).out, "song\nTune\n");
    EXPECT_EQ(List({"get", "Mine", "SONG", "--to", "rtttl"}).out, "song:d=4,o=5,b=90:e\n");
}

// A store whose report cannot be written on standard output says on standard
// error that the list changed all the same, and ends with exit 74; running it
// again stores nothing twice.
TEST_F(ListCliTest, AStoreWhoseReportIsLostSaysTheListChangedAndCanBeRunAgain) {
    if (!std::filesystem::is_character_file("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const struct {
        std::vector<std::string> args;
        std::string input;
        std::string note;   // on standard error, before the error
        std::string again;  // the report of the same command run again
    } rows[] = {
        {{"list", "add", "Mine", "--from", "rtttl"},
         "Song:d=4,o=5,b=90:c",
         "note: the ringtone 'Song' is stored in the list 'Mine' all the same; adding it again stores it in its "
         "place\n",
         "Song\n"},
        {{"list", "import", "Mine", "--from", "rtttl"},
         "A:d=8,o=6,b=140:c,d\nA:b=63:g\nB:d=4,o=5,b=90:e\n",
         "note: the list 'Mine' was changed all the same (imported 3, skipped 0); importing the same ringtones again "
         "leaves out those already in it\n",
         "imported 0, skipped 0, 3 already in the list\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[1]);
        std::ofstream full("/dev/full", std::ios::binary);
        std::istringstream in(row.input);
        std::ostringstream err;
        EXPECT_EQ(tw::RunCli(row.args, in, full, err), tw::ExitOutput);
        EXPECT_EQ(err.str(), row.note + "error: could not write to standard output: No space left on device\n");
        const std::string stored = ReadBytes(home / "Mine.dat");
        const CliRun again = tw::test::RunTunewright(row.args, row.input);
        EXPECT_EQ(again.code, 0);
        EXPECT_EQ(again.out, row.again);
        EXPECT_EQ(ReadBytes(home / "Mine.dat"), stored);
    }
    EXPECT_EQ(List({"show", "Mine"}).out, "A\nA (2)\nB\nSong\n");
}

// A list may hold far more than one ringtone's text, and so may its export:
// 200,000 ringtones export to about 6 MB, which imports back whole. A
// collection larger than a list may hold is refused by its size, unread.
TEST_F(ListCliTest, AnExportOfABigListImportsBackWhole) {
    std::string collection;
    for (int i = 0; i < 200000; ++i) collection += "T" + std::to_string(i) + ":d=4,o=5,b=125:c,d,e\n";
    tw::test::WriteBytes(home / "tones.txt", collection);
    EXPECT_EQ(List({"import", "Big", "--from", "rtttl", At("tones.txt")}).out, "imported 200000, skipped 0\n");
    ASSERT_EQ(List({"export", "Big", "--raw", "--types", "rtttl", "-o", At("raw.txt")}).code, 0);
    ASSERT_GT(std::filesystem::file_size(home / "raw.txt"), tw::MaxRingtoneText);
    const CliRun again = List({"import", "Again", "--from", "rtttl", At("raw.txt")});
    EXPECT_EQ(again.out, "imported 200000, skipped 0\n") << again.err.substr(0, 300);
    EXPECT_EQ(List({"export", "Again", "--raw", "--types", "rtttl", "-o", At("again.txt")}).code, 0);
    const auto ringtones = [&](const char* file) {
        const std::string text = ReadBytes(home / file);
        return text.substr(text.find("\r\nT0:"));  // after the dated header
    };
    EXPECT_TRUE(ringtones("again.txt") == ringtones("raw.txt"));

    std::filesystem::resize_file(home / "tones.txt", tw::MaxCollectionText + 1);
    const CliRun big = List({"import", "Big", "--from", "rtttl", At("tones.txt")});
    EXPECT_EQ(big.code, 2);
    EXPECT_EQ(big.err, "error: the file " + At("tones.txt") +
                           " is 67108865 bytes, more than the 64 MiB (67108864 bytes) a collection may be\n");
}

// A ringtone whose line in the export would be longer than a ringtone text
// may be refuses the whole export before anything is written, as list get
// refuses to write that text; the other notations still export.
TEST_F(ListCliTest, AnExportLineLongerThanARingtoneTextIsRefused) {
    std::string notes;
    for (int i = 0; i < 1000000; ++i) notes += "c,";
    ASSERT_EQ(List({"add", "Long", "--from", "rtttl"}, "Big:d=4,o=5,b=125:" + notes).code, 1);
    const std::string tooLong = "more than the 4 MiB (4194304 bytes) a ringtone text may be";
    const CliRun run = List({"export", "Long", "--raw", "--types", "rtttl,composer", "-o", At("out.txt")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "error: the Composer line of 'Big' would be 5000012 bytes, " + tooLong + "\n");
    EXPECT_FALSE(std::filesystem::exists(home / "out.txt"));
    const CliRun get = List({"get", "Long", "Big", "--to", "composer"});
    EXPECT_EQ(get.code, 2);
    EXPECT_NE(get.err.find(tooLong), std::string::npos) << get.err;
    EXPECT_EQ(List({"export", "Long", "--raw", "--types", "rtttl", "-o", At("out.txt")}).code, 1);
    const CliRun back = List({"import", "Again", "--from", "rtttl", At("out.txt")});
    EXPECT_EQ(back.out, "imported 1, skipped 0\n");
}

}  // namespace

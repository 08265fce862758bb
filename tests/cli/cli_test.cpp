#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

struct ConvertCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int code;
    std::string out;
    std::string err;
};

void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }

class ConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, GivesExactOutputAndExitCode) {
    const ConvertCase& c = GetParam();
    const CliRun run = RunTunewright(c.args, c.input);
    EXPECT_EQ(run.code, c.code);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
}

const std::string InvalidNotes =
    "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n";

INSTANTIATE_TEST_SUITE_P(
    Cli, ConvertTest,
    ::testing::Values(
        ConvertCase{"ComposerToRtttl",
                    {"convert", "--from", "composer", "--to", "rtttl", "--separator", ","},
                    "Song:Tempo=100:8c2 8d2 4e2", 0, "Song:d=4,o=5,b=100:8c6,8d6,e6\n", ""},
        ConvertCase{"RtttlToKeypresses",
                    {"convert", "--from=rtttl", "--to=keypresses"},
                    "Song:d=8,o=6,b=100:c,d,4e", 0, "Song:Tempo=100:18*, 2, 39\n", ""},
        ConvertCase{"KeypressesReadBack",
                    {"convert", "--from", "keypresses", "--to", "composer", "--notes-only"},
                    "X:Tempo=125:(hold 1)*# 08 2", 0, "4.#c2, 8-2, 4d2\n", ""},
        ConvertCase{"FileLinesJoinedWithNothingBetween",
                    {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ","},
                    "Tune:d=4,o=5,b=125:\r\nc,d,\re\n", 0, "Tune:d=4,o=5,b=125:c,d,e\n", ""},
        ConvertCase{"KeypressesWithoutHeaderArePrepared",
                    {"convert", "--from", "keypresses", "--to", "keypresses"},
                    "1 2 3", 0, "No name:Tempo=125:1, 2, 3\n", ""},
        ConvertCase{"ProblemsGoToStderrOneALine",
                    {"convert", "--from", "composer", "--to", "composer"},
                    "4c1 8d1", 1, "No name:Tempo=125:4c1, 8d1\n",
                    "Ringtone name is invalid.\nThe tempo is invalid.\n"},
        ConvertCase{"LostTextIsReported",
                    {"convert", "--from", "rtttl", "--to", "rtttl"},
                    "A:d=4,o=5,b=125:8c, 8d 8f", 1, "A:d=4,o=5,b=125:8c, 8d\n", InvalidNotes},
        ConvertCase{"DotAfterOctave",
                    {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ","},
                    "A:d=4,o=5,b=125:8c6.,8c.6", 0, "A:d=4,o=5,b=125:8c.6,8c.6\n", ""},
        ConvertCase{"HeaderOrderFails",
                    {"convert", "--from", "rtttl", "--to", "composer"},
                    "Song:o=5,d=4,b=125:c", 2, "", "error: the ringtone header could not be read\n"},
        ConvertCase{"BlankInput",
                    {"convert", "--from", "rtttl", "--to", "composer", "-"},
                    "  \r\n ", 2, "", "error: no ringtone text\n"},
        ConvertCase{"TooLong",
                    {"convert", "--from", "rtttl", "--to", "composer"},
                    std::string((1 << 20) + 1, 'c'), 2, "", "error: the ringtone text is too long\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliUsage, RefusesBadCommandLinesWithCode64AndNoOutput) {
    const std::vector<std::vector<std::string>> bad = {
        {"convert", "--from", "rtttl"},
        {"convert", "--from", "midi", "--to", "rtttl"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ""},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ";"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ":,"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ",\n"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "a.txt", "b.txt"},
        {"convert", "--from", "rtttl", "--to"},
        {"convert", "--bogus"},
        {"notes", "--to", "rtttl"},
        {"frobnicate"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = RunTunewright(args, "A:d=4,o=5,b=125:c,d");
        EXPECT_EQ(run.code, tw::ExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    }
}

TEST(CliUsage, AcceptsEverySeparatorTheReaderFindsAgain) {
    for (const std::string separator : {" ", ",", ", ", " | ", "/", "\\"}) {
        SCOPED_TRACE(separator);
        const CliRun run = RunTunewright({"convert", "--from", "composer", "--to", "composer", "--separator", separator},
                               "S:Tempo=90:4c1 8d2");
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.out, "S:Tempo=90:4c1" + separator + "8d2\n");
    }
}

TEST(CliFiles, MissingFileIsNothingRead) {
    const CliRun run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "/nonexistent/tunewright/x.txt"});
    EXPECT_EQ(run.code, tw::ExitNothingRead);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("/nonexistent/tunewright/x.txt"), std::string::npos);
}

TEST(CliHelp, HelpAndVersionGoToStdout) {
    EXPECT_EQ(RunTunewright({"--version"}).out.rfind("tunewright 3.3", 0), 0u);
    const CliRun help = RunTunewright({"convert", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--notes-only"), std::string::npos);
}

TEST(CliNotes, DescribesEachNote) {
    const CliRun run = RunTunewright({"notes", "--from", "composer"}, "Song:Tempo=120:4.#c2 8- 4C1");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "{\n"
              "  \"name\": \"Song\",\n"
              "  \"tempo\": \"120\",\n"
              "  \"default_duration\": \"4\",\n"
              "  \"default_octave\": \"5\",\n"
              "  \"errors\": [],\n"
              "  \"notes\": [\n"
              "    {\"rtttl\": \"c#.6\", \"composer\": \"4.#c2\", \"keypresses\": \"(hold 1)*#\", "
              "\"frequency_hz\": 1108, \"length\": 0.375},\n"
              "    {\"rtttl\": \"8p\", \"composer\": \"8-\", \"keypresses\": \"08\", "
              "\"frequency_hz\": 0, \"length\": 0.125},\n"
              "    {\"rtttl\": \"c\", \"composer\": \"4c1\", \"keypresses\": \"1**\", "
              "\"frequency_hz\": 523, \"length\": 0.25}\n"
              "  ]\n"
              "}\n");
}

TEST(CliNotes, FailingMembersAreNullAndProblemsListed) {
    const CliRun run = RunTunewright({"notes", "--from", "composer"}, "4c 0c1");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"composer\": \"4c\", \"keypresses\": \"\", \"frequency_hz\": null, \"length\": 0.25"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"frequency_hz\": 523, \"length\": null"), std::string::npos);
    EXPECT_NE(run.out.find("\"errors\": [\"Ringtone name is invalid.\", \"The tempo is invalid.\", "
                           "\"The ringtone note format seems to be invalid."),
              std::string::npos);
}

TEST(CliNotes, EmptyRingtoneHasEmptyNoteArray) {
    const CliRun run = RunTunewright({"notes", "--from", "rtttl"}, "A:d=4,o=5,b=125:c");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"notes\": []\n}"), std::string::npos);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli.h"
#include "engine/ringtone_text.h"
#include "support/cli_run.h"

namespace {

using tw::test::CliRun;
using tw::test::ExpectConverts;
using tw::test::RunTunewright;

// What the convert command itself adds to the engine: the default separator,
// joined file lines, prepared keypresses, problems on stderr and exit codes.
TEST(CliConvert, GivesExactOutputAndExitCode) {
    const std::vector<std::string> rtttl = {"--from", "rtttl", "--to", "composer"};
    ExpectConverts({
        {{"--from=rtttl", "--to=keypresses"}, "Song:d=8,o=6,b=100:c,d,4e", 0, "Song:Tempo=100:18*, 2, 39\n", ""},
        {{"--from", "rtttl", "--to", "rtttl", "--separator", ","},
         "Tune:d=4,o=5,b=125:\r\nc,d,\re\n",
         0,
         "Tune:d=4,o=5,b=125:c,d,e\n",
         ""},
        {{"--from", "keypresses", "--to", "keypresses"}, "1 2 3", 0, "No name:Tempo=125:1, 2, 3\n", ""},
        {rtttl, "My tune:d=4,o=5,b=125:8c, 8d 8f", 1, "My tune:Tempo=125:8c1, 8d1\n",
         "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n"
         "note 2, 8d8f: not a note\n"},
        {rtttl, "Song:d=4,o=5,b=125 c,d", 2, "", "error: the ringtone header could not be read\n"},
        {{"--from", "rtttl", "--to", "composer", "-"}, "  \r\n ", 2, "", "error: no ringtone text\n"},
        {rtttl, std::string(tw::MaxRingtoneText + 1, 'c'), 2, "",
         "error: The ringtone text is 4194305 bytes, more than the 4 MiB (4194304 bytes) a ringtone text may be.\n"},
        {{"--from", "rtttl", "--to", "rtttl", "/nonexistent/tw/x.txt"},
         "",
         tw::ExitNothingRead,
         "",
         "error: could not open file /nonexistent/tw/x.txt: No such file or directory\n"},
        // "--" ends the options: what follows is the input file.
        {{"--from", "rtttl", "--to", "rtttl", "--", "-gone.txt"},
         "",
         tw::ExitNothingRead,
         "",
         "error: could not open file -gone.txt: No such file or directory\n"},
    });
}

TEST(CliUsage, RefusesBadCommandLinesWithCode64AndNoOutput) {
    const std::vector<std::vector<std::string>> bad = {
        {"convert", "--from", "rtttl"},
        {"convert", "--from", "midi", "--to", "rtttl"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ";"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "--separator", ":,"},
        {"convert", "--from", "rtttl", "--to", "rtttl", "a.txt", "b.txt"},
        {"convert", "--from", "rtttl", "--to"},
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
    for (const std::string separator : {" ", ", ", " | ", "/", "\\"}) {  // every one the reader finds again
        const CliRun run = RunTunewright(
            {"convert", "--from", "composer", "--to", "composer", "--separator", separator}, "S:Tempo=90:4c1 8d2");
        EXPECT_EQ(run.out, "S:Tempo=90:4c1" + separator + "8d2\n") << separator;
    }
    EXPECT_EQ(RunTunewright({"--version"}).out.rfind("tunewright 3.3", 0), 0u);
    const CliRun help = RunTunewright({"convert", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--notes-only"), std::string::npos);
}

TEST(CliNotes, DescribesEachNote) {
    const CliRun run = RunTunewright({"notes", "--from", "composer"}, "Song:Tempo=120:4.#c2 8- 4C1");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out,
              "{\n  \"name\": \"Song\",\n  \"tempo\": \"120\",\n  \"default_duration\": \"4\",\n"
              "  \"default_octave\": \"5\",\n  \"errors\": [],\n  \"notes\": [\n"
              "    {\"rtttl\": \"c#.6\", \"composer\": \"4.#c2\", \"keypresses\": \"(hold 1)*#\", "
              "\"frequency_hz\": 1108, \"length\": 0.375},\n"
              "    {\"rtttl\": \"8p\", \"composer\": \"8-\", \"keypresses\": \"08\", "
              "\"frequency_hz\": 0, \"length\": 0.125},\n"
              "    {\"rtttl\": \"c\", \"composer\": \"4c1\", \"keypresses\": \"1**\", "
              "\"frequency_hz\": 523, \"length\": 0.25}\n  ]\n}\n");
}

TEST(CliNotes, FailingMembersAreNullAndProblemsListed) {
    CliRun run = RunTunewright({"notes", "--from", "composer"}, "4c 0c1");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"composer\": \"4c\", \"keypresses\": \"1\", \"frequency_hz\": null, \"length\": 0.25"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"frequency_hz\": 523, \"length\": null"), std::string::npos);
    EXPECT_NE(run.out.find("\"errors\": [\"Ringtone name is invalid.\", \"The tempo is invalid.\", "
                           "\"The ringtone note format seems to be invalid."),
              std::string::npos);
    run = RunTunewright({"notes", "--from", "rtttl"}, "A:d=4,o=5,b=125:");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"notes\": []\n}"), std::string::npos);
    // A note with a problem says which; a pitch below the handset's is not a whole number.
    run = RunTunewright({"notes", "--from", "rtttl"}, "A:d=4,o=4,b=125:c,c5");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"frequency_hz\": 261.5, \"length\": 0.25, \"problem\": \"below the composer's octaves\"}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"frequency_hz\": 523, \"length\": 0.25}"), std::string::npos);
}

// convert --each: a line a ringtone in the order given, problems after
// their line numbers; exit 2 only when no ringtone could be read.
TEST(CliConvert, EachRingtoneOfACollection) {
    const CliRun run = tw::test::RunTunewright({"convert", "--each", "--from", "rtttl", "--to", "composer"},
                                               "# mine\nA:d=4,o=5,b=125:c,\n d\n\nB:d=4,o=5,b=125:4c4\n");
    EXPECT_EQ(run.out, "A:Tempo=125:4c1, 4d1\nB:Tempo=125:4c1\n");
    EXPECT_EQ(run.err,
              "5: Some notes cannot be entered on the handset as written.\n"
              "5: note 1, 4c4: below the composer's octaves\n");
    EXPECT_EQ(run.code, 1);
    const CliRun none =
        tw::test::RunTunewright({"convert", "--each", "--from", "rtttl", "--to", "rtttl"}, "just words\n");
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.err, "error: no ringtone text\n");
}

// The limit holds for the text as given: keypresses as long as that are read
// (though the comma put before each key doubles them), and refused only when
// what would be written could not be read again.
TEST(CliConvert, KeypressesUpToTheLimitAreRead) {
    const std::string keys = "Long:Tempo=125:" + std::string(tw::MaxRingtoneText * 3 / 4, '1');
    const CliRun run = RunTunewright({"convert", "--from", "keypresses", "--to", "rtttl"}, keys);
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("more than the 4 MiB (4194304 bytes) a ringtone text may be, so it could not be read again"),
              std::string::npos)
        << run.err.substr(0, 200);
}

}  // namespace

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

// What the convert command itself adds to the engine that the golden outputs
// do not show: joined file lines, errors and their exit codes.
TEST(CliConvert, GivesExactOutputAndExitCode) {
    const std::vector<std::string> rtttl = {"--from", "rtttl", "--to", "composer"};
    ExpectConverts({
        {{"--from", "rtttl", "--to", "rtttl", "--separator", ","},
         "Tune:d=4,o=5,b=125:\r\nc,d,\re\n",
         0,
         "Tune:d=4,o=5,b=125:c,d,e\n",
         ""},
        {rtttl, "Song:d=4,o=5,b=125 c,d", 2, "", "error: the ringtone header could not be read\n"},
        {{"--from", "rtttl", "--to", "composer", "-"}, "  \r\n ", 2, "", "error: no ringtone text\n"},
        // A collection without a ringtone (the golden outputs show --each with them).
        {{"--each", "--from", "rtttl", "--to", "rtttl"}, "just words\n", 2, "", "error: no ringtone text\n"},
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

// The notes of a ringtone without notes: an empty list (the golden outputs
// pin every other notes output).
TEST(CliNotes, NoNotesAreAnEmptyList) {
    const CliRun run = RunTunewright({"notes", "--from", "rtttl"}, "A:d=4,o=5,b=125:");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("\"notes\": []\n}"), std::string::npos);
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

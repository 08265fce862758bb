// `tunewright convert -o FILE`: the converted text written to a file as the
// window's save commands write it, one line ending in CR LF.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/size_limits.h"
#include "support/cli_run.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

TEST(ConvertOutput, WritesOneLineEndingInCrLfReplacingTheFile) {
    const tw::test::TempDir folder;
    const std::string target = folder / "old";
    const struct {
        std::vector<std::string> args;
        std::string input;
        int code;
        std::string file, err;  // the file is also what "-o -" writes to standard output
    } cases[] = {
        {{"--from", "rtttl", "--to", "composer"}, "Tune:d=4,o=5,b=125:c,8d", 0, "Tune:Tempo=125:4c1, 8d1\r\n", ""},
        {{"--from", "rtttl", "--to", "composer", "--notes-only"}, "Tune:d=4,o=5,b=125:c,8d", 0, "4c1, 8d1\r\n", ""},
        {{"--from", "composer", "--to", "composer"},
         "4c1 8d1",
         1,
         "No name:Tempo=125:4c1, 8d1\r\n",
         "Ringtone name is invalid.\nThe tempo is invalid.\n"},
    };
    for (const auto& c : cases) {
        tw::test::WriteBytes(target, std::string(1000, 'x'));
        for (const std::string& output : {target, std::string("-")}) {
            std::vector<std::string> args{"convert"};
            args.insert(args.end(), c.args.begin(), c.args.end());
            args.insert(args.end(), {"-o", output});
            SCOPED_TRACE(testing::PrintToString(args));
            const CliRun run = RunTunewright(args, c.input);
            EXPECT_EQ(run.code, c.code);
            EXPECT_EQ(run.out, output == "-" ? c.file : "");
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_EQ(tw::test::ReadBytes(target), c.file);
    }
    // A file that cannot be written: exit 2, and what was in the way stays.
    std::filesystem::create_directories(folder / "folder" / "inside");
    for (const std::string bad : {folder / "missing" / "t.txt", folder / "folder"}) {
        const CliRun run =
            RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", bad}, "T:d=4,o=5,b=125:c,d");
        EXPECT_EQ(run.code + run.out.size(), 2u);
        EXPECT_EQ(run.err.rfind("error: could not ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder" / "inside"));
    EXPECT_EQ(RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", ""}, "T:d=4,o=5,b=125:c,d").code, 64);
}

// "NAME:d=4,o=5,b=125:c, c, ... c" of exactly `size` bytes, which convert
// writes as it is given.
std::string WrittenAsGiven(std::size_t size) {
    std::string text = "Long";
    while ((size - text.size() - 16) % 3 != 0) text += 'g';
    text += ":d=4,o=5,b=125:";
    while (text.size() + 1 < size) text += "c, ";
    return text + 'c';
}

// The longest text that can be written, a ringtone text of exactly 4 MiB
// (from a shorter one, its notes given with "," between them), is written
// with its CR LF and reads back as it was; one note more is refused before
// anything is written, with the size and the limit.
TEST(ConvertOutput, TheLongestTextWrittenReadsBack) {
    const tw::test::TempDir folder;
    const std::string target = folder / "long.txt";
    const std::string longest = WrittenAsGiven(tw::MaxRingtoneText);
    std::string given = longest;
    std::erase(given, ' ');
    CliRun run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", target}, given);
    ASSERT_EQ(run.code, 1) << run.err;  // more than 50 notes
    EXPECT_TRUE(tw::test::ReadBytes(target) == longest + "\r\n");
    run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", target});
    EXPECT_EQ(run.code, 1) << run.err.substr(0, 300);
    EXPECT_TRUE(run.out == longest + "\n");

    std::filesystem::remove(target);
    run = RunTunewright({"convert", "--from", "rtttl", "--to", "rtttl", "-o", target}, given + ",c");
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err,
              "error: The ringtone text would be 4194307 bytes, more than the 4 MiB (4194304 bytes) a ringtone text "
              "may be, so it could not be read again.\n");
    EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace

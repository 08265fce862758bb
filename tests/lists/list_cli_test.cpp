#include <gtest/gtest.h>

#include <stdlib.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "list_test_support.h"

namespace {

using tw::test::FilesIn;
using tw::test::ReadBytes;
using tw::test::WriteBytes;

using tw::test::CliRun;

// Every test works in a program directory of its own.
class ListCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* before = ::getenv("TUNEWRIGHT_HOME")) saved = before;
        ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1);
    }
    void TearDown() override {
        if (saved) ::setenv("TUNEWRIGHT_HOME", saved->c_str(), 1);
        else ::unsetenv("TUNEWRIGHT_HOME");
    }

    CliRun Tunewright(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), "list");
        return tw::test::RunTunewright(args, input);
    }
    void Add(const std::string& list, const std::string& rtttl) {
        const CliRun run = Tunewright({"add", list, "--from", "rtttl"}, rtttl);
        ASSERT_EQ(run.code, 0) << run.err;
    }

    tw::test::TempDir home;
    std::optional<std::string> saved;
};

TEST_F(ListCliTest, AddStoresAsTheGetCommandDoes) {
    CliRun run = Tunewright({"add", "Favtones", "--from", "composer", "-"}, "Test:Tempo=125:4c1 8d1");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Test\n");
    EXPECT_EQ(ReadBytes(home / "Favtones.dat"), "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n");

    run = Tunewright({"add", "Favtones", "--from", "rtttl"}, "test:d=4,o=5,b=90:c,zz");
    EXPECT_EQ(run.code, 1);  // stored with its problems, which go to standard error
    EXPECT_NE(run.err, "");
    EXPECT_EQ(ReadBytes(home / "Favtones.dat"), "[Test]\r\nRTTTL=test:d=4,o=5,b=90:c, z\r\n");
}

TEST_F(ListCliTest, ShowGetAndRemove) {
    Add("Rock", "beta:d=4,o=5,b=125:c,d");
    Add("Rock", "Alpha:d=8,o=6,b=90:c,4e");
    EXPECT_EQ(Tunewright({"show", "Rock"}).out, "Alpha\nbeta\n");
    EXPECT_EQ(Tunewright({"lists"}).out, "Rock\n");

    CliRun run = Tunewright({"get", "Rock", "ALPHA", "--to", "keypresses"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Alpha:Tempo=90:18*, 39\n");
    run = Tunewright({"get", "Rock", "Alpha", "--to=composer", "--separator", " ", "--notes-only"});
    EXPECT_EQ(run.out, "8c2 4e2\n");

    EXPECT_EQ(Tunewright({"remove", "Rock", "BETA"}).code, 0);
    EXPECT_EQ(Tunewright({"show", "Rock"}).out, "Alpha\n");

    for (const std::vector<std::string>& args : {std::vector<std::string>{"get", "Rock", "beta", "--to", "rtttl"},
                                                 {"remove", "Rock", "beta"},
                                                 {"show", "Pop"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        run = Tunewright(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find((home / (args[1] + ".dat")).string()), std::string::npos) << run.err;
    }
}

TEST_F(ListCliTest, NewRenameClearDelete) {
    EXPECT_EQ(Tunewright({"new", "Dance"}).code, 0);
    Add("Rock", "A:d=4,o=5,b=125:c,d");
    const CliRun again = Tunewright({"new", "Rock"});
    EXPECT_EQ(again.code, 0);
    EXPECT_NE(again.out.find("exists already"), std::string::npos);
    EXPECT_EQ(Tunewright({"show", "Rock"}).out, "A\n");

    EXPECT_EQ(Tunewright({"rename", "Rock", "Dance"}).code, 2);
    EXPECT_EQ(Tunewright({"rename", "Rock", "Pop"}).code, 0);
    EXPECT_EQ(Tunewright({"lists"}).out, "Dance\nPop\n");
    EXPECT_EQ(Tunewright({"show", "Pop"}).out, "A\n");

    EXPECT_EQ(Tunewright({"clear", "Pop"}).code, 0);
    EXPECT_EQ(ReadBytes(home / "Pop.dat"), "");
    EXPECT_EQ(Tunewright({"delete", "Pop"}).code, 0);
    EXPECT_EQ(Tunewright({"delete", "Pop"}).code, 2);
    EXPECT_EQ(FilesIn(home.path()), (std::set<std::string>{"Dance.dat"}));
}

TEST_F(ListCliTest, BadNamesAndCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"new", "menu"},       {"new", "../escape"},   {"new", ".hidden"},        {"new", "  "},
        {"rename", "A", "~B"}, {"add", "a/b", "--from", "rtttl"}, {"show"},        {"show", "A", "B"},
        {"frobnicate"},        {"show", "A", "--raw"}, {"get", "A", "B"},          {"export", "A", "--types", "midi"},
        {},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = Tunewright(args, "A:d=4,o=5,b=125:c,d");
        EXPECT_EQ(run.code, 64);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    }
    EXPECT_TRUE(FilesIn(home.path()).empty());
}

TEST_F(ListCliTest, AddThatReadsNothingStoresNothing) {
    const CliRun run = Tunewright({"add", "Favtones", "--from", "rtttl"}, "   ");
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(home / "Favtones.dat"));
}

TEST_F(ListCliTest, AStoreThatFailsIsReported) {
    std::filesystem::create_directory(home / "Favtones.dat");
    const CliRun run = Tunewright({"add", "Favtones", "--from", "rtttl"}, "A:d=4,o=5,b=125:c,d");
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("was not stored"), std::string::npos);
    EXPECT_NE(run.err.find((home / "Favtones.dat").string()), std::string::npos);
}

TEST_F(ListCliTest, ExportWritesToneListTxtOrStandardOutput) {
    Add("Favtones", "Test:d=4,o=5,b=125:c,8d");
    CliRun run = Tunewright({"export", "Favtones"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, (home / "tonelist.txt").string() + "\n");
    const std::string file = ReadBytes(home / "tonelist.txt");
    EXPECT_NE(file.find("\r\n- Nokia Keypresses\r\n"), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 29), "\r\nTest (Tempo 125)\r\n1, 28\r\n\r\n");

    run = Tunewright({"export", "Favtones", "--types", "composer,rtttl", "--raw", "--show-type", "-o", "-"});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("- RTTTL/Chimekit Tones\r\n- Nokia Composer Tones\r\n"), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.find("\r\n\r\n") + 4),
              "RTTTL = Test:d=4,o=5,b=125:c, 8d\r\nComposer = Test:Tempo=125:4c1, 8d1\r\n");
}

TEST_F(ListCliTest, ExportThatCannotBeWrittenIsReported) {
    Add("Favtones", "Test:d=4,o=5,b=125:c,8d");
    std::filesystem::create_directories(home / "tonelist.txt" / "inside");
    for (const std::string& target : {std::string(), (home / "missing" / "t.txt").string()}) {
        SCOPED_TRACE(target);
        std::vector<std::string> args{"export", "Favtones"};
        if (!target.empty()) args.insert(args.end(), {"-o", target});
        const CliRun run = Tunewright(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: could not ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(home / "tonelist.txt" / "inside"));
}

TEST_F(ListCliTest, WavAllWritesOneFilePerRingtoneInsideTheFolder) {
    Add("Favtones", "Test:d=4,o=5,b=125:c,8d");
    Add("Favtones", "up/out:d=4,o=5,b=125:c,d");
    Add("Favtones", "..:d=4,o=5,b=125:c,d");
    Add("Favtones", "Silent:d=4,o=5,b=0:c,d");
    const std::filesystem::path folder = home / "wav";
    std::filesystem::create_directory(folder);

    const CliRun run = Tunewright({"wav-all", "Favtones", "-o", folder.string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"Test.wav"}));
    EXPECT_EQ(ReadBytes(folder / "Test.wav").substr(0, 4), "RIFF");
    EXPECT_NE(run.err.find("Generating 'Test.wav'...\n"), std::string::npos);
    EXPECT_NE(run.err.find("'up/out' was skipped"), std::string::npos);
    EXPECT_NE(run.err.find("'..' was skipped"), std::string::npos);
    EXPECT_NE(run.err.find("An error occurred trying to create " + (folder / "Silent.wav").string()), std::string::npos);
    EXPECT_EQ(FilesIn(home.path()), (std::set<std::string>{"Favtones.dat", "wav"}));

    // A missing folder is made; a file where the folder should be is refused.
    EXPECT_EQ(Tunewright({"wav-all", "Favtones", "-o", (home / "new" / "wav").string()}).code, 1);
    EXPECT_EQ(FilesIn(home / "new" / "wav"), (std::set<std::string>{"Test.wav"}));
    EXPECT_EQ(Tunewright({"wav-all", "Favtones", "-o", (home / "Favtones.dat").string()}).code, 3);
}

}  // namespace

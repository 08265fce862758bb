#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_run.h"
#include "list_test_support.h"

namespace {

using tw::test::CliRun;
using tw::test::FilesIn;
using tw::test::ReadBytes;
using Files = std::set<std::string>;

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

    CliRun List(std::vector<std::string> args, const std::string& input = {}) {
        args.insert(args.begin(), "list");
        return tw::test::RunTunewright(args, input);
    }
    std::string At(const std::string& name) const { return (home / name).string(); }

    tw::test::TempDir home;
    std::optional<std::string> saved;
};

TEST_F(ListCliTest, CommandsChangeTheListFilesOneAfterTheOther) {
    const struct {
        std::vector<std::string> args;
        std::string input;
        int code;
        const char* out;
        std::string err;  // a part of the error output; "@" stands for the program directory
    } steps[] = {
        {{"add", "Favtones", "--from", "composer", "-"}, "Test:Tempo=125:4c1 8d1", 0, "Test\n", ""},
        {{"get", "Favtones", "Test", "--to", "rtttl"}, "", 0, "Test:d=4,o=5,b=125:c, 8d\n", ""},
        {{"add", "Rock", "--from", "rtttl"}, "beta:d=4,o=5,b=125:c,d", 0, "beta\n", ""},
        {{"add", "Rock", "--from", "rtttl"}, "Alpha:d=8,o=6,b=90:c,4e", 0, "Alpha\n", ""},
        {{"show", "Rock"}, "", 0, "Alpha\nbeta\n", ""},
        {{"get", "Rock", "ALPHA", "--to", "keypresses"}, "", 0, "Alpha:Tempo=90:18*, 39\n", ""},
        {{"get", "Rock", "Alpha", "--to=composer", "--separator", " ", "--notes-only"}, "", 0, "8c2 4e2\n", ""},
        {{"remove", "Rock", "BETA"}, "", 0, "", ""},
        {{"show", "Rock"}, "", 0, "Alpha\n", ""},
        {{"get", "Rock", "beta", "--to", "rtttl"}, "", 2, "", "@/Rock.dat"},
        {{"remove", "Rock", "beta"}, "", 2, "", "@/Rock.dat"},
        {{"show", "Pop"}, "", 2, "", "@/Pop.dat"},
        {{"new", "Dance"}, "", 0, "", ""},
        {{"new", "Rock"}, "", 0, "the list 'Rock' exists already; its ringtones are kept\n", ""},
        {{"show", "Rock"}, "", 0, "Alpha\n", ""},
        {{"rename", "Rock", "Dance"}, "", 2, "", "error: "},
        {{"rename", "Rock", "Pop"}, "", 0, "", ""},
        {{"lists"}, "", 0, "Dance\nFavtones\nPop\n", ""},
        {{"show", "Pop"}, "", 0, "Alpha\n", ""},
        {{"clear", "Pop"}, "", 0, "", ""},
        {{"show", "Pop"}, "", 0, "", ""},
        {{"delete", "Pop"}, "", 0, "", ""},
        {{"delete", "Pop"}, "", 2, "", "@/Pop.dat"},
        // Stored with its problems, which go to the error output; a text that reads as nothing is not stored.
        {{"add", "Favtones", "--from", "rtttl"}, "test:d=4,o=5,b=90:c,zz", 1, "test\n", "note format"},
        {{"add", "Favtones", "--from", "rtttl"}, "   ", 2, "", "error: "},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::PrintToString(step.args));
        const CliRun run = List(step.args, step.input);
        EXPECT_EQ(run.code, step.code);
        EXPECT_EQ(run.out, step.out);
        const std::string err = step.err.empty() || step.err[0] != '@' ? step.err : home.path().string() + step.err.substr(1);
        if (err.empty()) EXPECT_EQ(run.err, "");
        else EXPECT_NE(run.err.find(err), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadBytes(home / "Favtones.dat"), "[Test]\r\nRTTTL=test:d=4,o=5,b=90:c, z\r\n");
    EXPECT_EQ(FilesIn(home.path()), (Files{"Dance.dat", "Favtones.dat"}));
}

TEST_F(ListCliTest, BadNamesAndCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"new", "menu"}, {"new", "../escape"}, {"new", ".hidden"}, {"new", "  "}, {"rename", "A", "~B"},
        {"add", "a/b", "--from", "rtttl"}, {"show"}, {"show", "A", "B"}, {"frobnicate"}, {"show", "A", "--raw"},
        {"get", "A", "B"}, {"export", "A", "--types", "midi"}, {}};
    for (const auto& args : bad) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = List(args, "A:d=4,o=5,b=125:c,d");
        EXPECT_EQ(run.code, 64);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: ", 0), 0u);
    }
    EXPECT_TRUE(FilesIn(home.path()).empty());
    // A store that fails is reported.
    std::filesystem::create_directory(home / "Favtones.dat");
    const CliRun run = List({"add", "Favtones", "--from", "rtttl"}, "A:d=4,o=5,b=125:c,d");
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("was not stored"), std::string::npos);
    EXPECT_NE(run.err.find(At("Favtones.dat")), std::string::npos);
}

TEST_F(ListCliTest, ExportWritesToneListTxtOrStandardOutputOrReportsWhyItCannot) {
    List({"add", "Favtones", "--from", "rtttl"}, "Test:d=4,o=5,b=125:c,8d");
    CliRun run = List({"export", "Favtones"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, At("tonelist.txt") + "\n");
    const std::string file = ReadBytes(home / "tonelist.txt");
    EXPECT_NE(file.find("\r\n- Nokia Keypresses\r\n"), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 29), "\r\nTest (Tempo 125)\r\n1, 28\r\n\r\n");
    run = List({"export", "Favtones", "--types", "composer,rtttl", "--raw", "--show-type", "-o", "-"});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("- RTTTL/Chimekit Tones\r\n- Nokia Composer Tones\r\n"), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.find("\r\n\r\n") + 4),
              "RTTTL = Test:d=4,o=5,b=125:c, 8d\r\nComposer = Test:Tempo=125:4c1, 8d1\r\n");

    std::filesystem::remove(home / "tonelist.txt");
    std::filesystem::create_directories(home / "tonelist.txt" / "inside");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"export", "Favtones"},
                                                 {"export", "Favtones", "-o", At("missing/t.txt")}}) {
        run = List(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: could not ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_directory(home / "tonelist.txt" / "inside"));
}

TEST_F(ListCliTest, WavAllWritesOneFilePerRingtoneInsideTheFolder) {
    for (const char* tone : {"Test:d=4,o=5,b=125:c,8d", "up/out:d=4,o=5,b=125:c,d", "..:d=4,o=5,b=125:c,d",
                             "Silent:d=4,o=5,b=0:c,d"})
        List({"add", "Favtones", "--from", "rtttl"}, tone);
    std::filesystem::create_directory(home / "wav");
    const CliRun run = List({"wav-all", "Favtones", "-o", At("wav")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FilesIn(home / "wav"), Files{"Test.wav"});
    EXPECT_EQ(ReadBytes(home / "wav" / "Test.wav").substr(0, 4), "RIFF");
    for (const std::string& part : {std::string("Generating 'Test.wav'...\n"), std::string("'up/out' was skipped"),
                                    std::string("'..' was skipped"),
                                    "An error occurred trying to create " + At("wav/Silent.wav")})
        EXPECT_NE(run.err.find(part), std::string::npos) << part;
    EXPECT_EQ(FilesIn(home.path()), (Files{"Favtones.dat", "wav"}));
    // A missing folder is made; a file where the folder should be is refused.
    EXPECT_EQ(List({"wav-all", "Favtones", "-o", At("new/wav")}).code, 1);
    EXPECT_EQ(FilesIn(home / "new" / "wav"), Files{"Test.wav"});
    EXPECT_EQ(List({"wav-all", "Favtones", "-o", At("Favtones.dat")}).code, 3);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "qt_settings_store.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;

class SettingsCliTest : public ::testing::Test {
protected:
    void SetUp() override { tw::QtSettingsStore().DeleteSettings(); }
    void TearDown() override { tw::QtSettingsStore().DeleteSettings(); }
};

TEST_F(SettingsCliTest, ShowPrintsTheSettingsOfAFirstStart) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"settings"}, {"settings", "show"}}) {
        const CliRun run = RunTunewright(args);
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.out,
                  "Top=centred on the screen\nLeft=centred on the screen\nWidth=10155\nHeight=6840\nMaximized=0\n"
                  "RingToneDirectory=\nSourceType=0\nFromFile=False\nShowType=2\nOutputSep=\", \"\n"
                  "CurrentList=Favtones\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(SettingsCliTest, ShowPrintsSavedValuesAndTellsTheUnusableOnes) {
    tw::QtSettingsStore store;
    store.SaveSetting("Top", "900");
    store.SaveSetting("Left", "-15.5");
    store.SaveSetting("FromFile", "true");
    store.SaveSetting("OutputSep", ";");
    store.SaveSetting("CurrentList", "Rock");
    store.SaveSetting("RingToneDirectory", "/home/ann/");
    const CliRun run = RunTunewright({"settings", "show"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("Top=900\nLeft=-15.5\n"), std::string::npos);
    EXPECT_NE(run.out.find("RingToneDirectory=/home/ann\n"), std::string::npos);
    EXPECT_NE(run.out.find("FromFile=unchanged\n"), std::string::npos);
    EXPECT_NE(run.out.find("OutputSep=\", \"\n"), std::string::npos);
    EXPECT_NE(run.out.find("CurrentList=Rock\n"), std::string::npos);
    EXPECT_EQ(run.err,
              "error: FromFile: 'true' is neither True nor False; the source options stay as they are\n"
              "error: OutputSep: ';' cannot separate notes (it needs one of \",\" \"|\" \"/\" \"\\\" or a space, and "
              "no \":\")\n");
}

TEST_F(SettingsCliTest, ResetMakesTheNextStartAFirstStart) {
    tw::QtSettingsStore().SaveSetting("RingToneDirectory", "/home/ann");
    const CliRun run = RunTunewright({"settings", "reset"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(tw::QtSettingsStore().Setting("RingToneDirectory"), std::nullopt);
    EXPECT_NE(RunTunewright({"settings"}).out.find("RingToneDirectory=\n"), std::string::npos);
}

TEST_F(SettingsCliTest, UnknownWordsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"settings", "clear"}, {"settings", "show", "extra"}}) {
        const CliRun run = RunTunewright(args);
        EXPECT_EQ(run.code, 64);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("error: ", 0), 0U);
    }
}

}  // namespace

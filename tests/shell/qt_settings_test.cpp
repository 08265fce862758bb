// The QSettings store and the settings command, with the settings and data in
// one temporary folder, set before the first QSettings is made (QSettings
// reads XDG_CONFIG_HOME once).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/qt/qt_settings_store.h"
#include "shell/saved_settings.h"
#include "shell/setting_values.h"
#include "support/cli_run.h"
#include "support/fifo.h"
#include "support/temp_files.h"

namespace {

using tw::QtSettingsStore;
using tw::SavedSettings;
using tw::test::CliRun;
using tw::test::RunTunewright;

constexpr tw::TwipSize Screen{28800, 16200};

// Removed with all it holds when the test program ends.
const tw::test::TempDir folder;
[[maybe_unused]] const bool pointed = ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1) +
                                          ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1) +
                                          ::setenv("TUNEWRIGHT_HOME", (folder / "home").c_str(), 1) ==
                                      0;

std::filesystem::path ConfigFile() {
    return std::filesystem::path(::getenv("XDG_CONFIG_HOME")) / "Tunewright" / "Tunewright.conf";
}

// Each store stands for one run of the program.
class QtSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { QtSettingsStore().DeleteSettings(); }
    void TearDown() override { QtSettingsStore().DeleteSettings(); }
    tw::SettingsReading Start() const { return tw::ReadSettings(QtSettingsStore(), Screen); }
    std::vector<std::string> Shutdown(const SavedSettings& settings) const {
        QtSettingsStore store;
        return tw::WriteSettings(store, settings);
    }
};

TEST_F(QtSettingsTest, ShutdownAndRestartKeepEverySettingAndAMaximizedCloseKeepsTheNormalPlace) {
    EXPECT_EQ(QtSettingsStore().FileName(), ConfigFile().string());  // in the user's config folder
    SavedSettings closed{.Top = 1234.5F,
                         .Left = -300,
                         .Width = 12000,
                         .Height = 7500,
                         .RingToneDirectory = "/home/ann/my tones, old",
                         .SourceType = 2,
                         .FromFile = true,
                         .ShowType = 1,
                         .CurrentList = "Dance = Fun; [new]"};
    EXPECT_TRUE(Shutdown(closed).empty());
    for (const char* separator : {" ", ", ", " / "}) {  // blanks at either end survive the file
        QtSettingsStore store;
        tw::SaveOutputSeparator(store, separator);
        closed.OutputSep = separator;
        EXPECT_EQ(Start().Settings, closed) << "'" << separator << "'";
    }
    SavedSettings maximized = closed;
    maximized.Maximized = 2;
    maximized.Width = 28800;
    Shutdown(maximized);
    closed.Maximized = 2;
    EXPECT_EQ(Start().Settings, closed);
}

TEST_F(QtSettingsTest, HandEditedValuesFallBackOneByOne) {
    std::filesystem::create_directories(ConfigFile().parent_path());
    tw::test::WriteBytes(ConfigFile(), "[Settings]\nOutputSep=\" | \"\nLeft=1500\nWidth=11000,5\n");
    const tw::SettingsReading reading = Start();
    // Quoted, and one the dialog does not offer; an unquoted comma makes the width a list of texts.
    EXPECT_EQ(reading.Settings, (SavedSettings{.Top = (16200 - 6840) / 2.0F, .Left = 1500, .OutputSep = " | "}));
    ASSERT_EQ(reading.Problems.size(), 1U);
    EXPECT_EQ(reading.Problems[0].Key, "Width");
}

TEST_F(QtSettingsTest, AFileThatCannotBeWrittenIsReported) {
    QtSettingsStore store;
    store.SaveSetting("CurrentList", "Rock");
    std::filesystem::remove(ConfigFile());
    std::filesystem::create_directory(ConfigFile());  // a folder can be neither replaced nor written
    EXPECT_THROW(store.SaveSetting("CurrentList", "Jazz"), tw::SettingsError);
    std::filesystem::remove(ConfigFile());
}

TEST_F(QtSettingsTest, ASettingsFileThatIsAFifoIsRefusedWithoutWaitingForAWriter) {
    std::filesystem::create_directories(ConfigFile().parent_path());
    std::filesystem::remove(ConfigFile());
    tw::test::MakeFifo(ConfigFile());
    CliRun run;
    const bool finished = tw::test::FinishesWithoutWriter(ConfigFile(), [&] { run = RunTunewright({"settings"}); });
    std::filesystem::remove(ConfigFile());
    EXPECT_TRUE(finished);
    EXPECT_EQ(run.code + run.out.size(), 2U);
    EXPECT_EQ(run.err, "error: could not read " + ConfigFile().string() + ": it is a FIFO, not a regular file\n");
}

TEST_F(QtSettingsTest, TheSettingsCommandShowsAndResets) {
    const std::string firstStart =
        "Top=centred on the screen\nLeft=centred on the screen\nWidth=10155\nHeight=6840\nMaximized=0\n"
        "RingToneDirectory=\nSourceType=0\nFromFile=False\nShowType=2\nOutputSep=\", \"\nCurrentList=Favtones\n"
        "IMelodyPrefix=until-next\nPlayVoice=beep\n";
    CliRun run = RunTunewright({"settings"});  // a first start finds nothing
    EXPECT_EQ(run.code + run.err.size(), 0U);
    EXPECT_EQ(run.out, firstStart);
    QtSettingsStore store;
    for (const auto& [key, value] : {std::pair{"Top", "900"},
                                     {"Left", "-15.5"},
                                     {"FromFile", "true"},
                                     {"OutputSep", ";"},
                                     {"CurrentList", "Rock"},
                                     {"IMelodyPrefix", "one-note"},
                                     {"RingToneDirectory", "/home/ann/"}})
        store.SaveSetting(key, value);
    run = RunTunewright({"settings", "show"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(
        run.out,
        "Top=900\nLeft=-15.5\nWidth=10155\nHeight=6840\nMaximized=0\nRingToneDirectory=/home/ann\n"
        "SourceType=0\nFromFile=unchanged\nShowType=2\nOutputSep=\", \"\nCurrentList=Rock\nIMelodyPrefix=one-note\n"
        "PlayVoice=beep\n");
    EXPECT_EQ(run.err,
              "error: FromFile: 'true' is neither True nor False; the source options stay as they are\n"
              "error: OutputSep: ';' cannot separate notes (it needs one of \",\" \"|\" \"/\" \"\\\" or a space, and "
              "no \":\")\n");
    EXPECT_EQ(tw::test::ReadBytes(ConfigFile()).rfind("[Settings]\nCurrentList=Rock\n", 0), 0U);
    run = RunTunewright({"settings", "reset"});
    EXPECT_EQ(run.code + run.out.size(), 0U);
    EXPECT_EQ(RunTunewright({"settings"}).out, firstStart);
    run = RunTunewright({"settings", "show", "extra"});
    EXPECT_EQ(run.code + run.out.size(), 64U);
    EXPECT_EQ(run.err.rfind("error: ", 0), 0U);
}

// `settings voice` keeps the voice for Play as the preferences dialog does;
// `settings show` and the next start read it back.
TEST_F(QtSettingsTest, TheSettingsCommandKeepsTheVoiceForPlay) {
    const std::pair<std::string, std::string> rows[] = {
        {"Marimba", "marimba"}, {"74", "74"}, {"1", "piano"}, {"beep", "beep"}};
    for (const auto& [given, kept] : rows) {
        SCOPED_TRACE(given);
        CliRun run = RunTunewright({"settings", "voice", given});
        EXPECT_EQ(run.code + run.out.size() + run.err.size(), 0U) << run.err;
        EXPECT_NE(RunTunewright({"settings"}).out.find("\nPlayVoice=" + kept + "\n"), std::string::npos);
        EXPECT_EQ(tw::FormatPlayVoice(tw::ReadSettings(QtSettingsStore(), Screen).Settings.PlayVoice), kept);
    }
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"settings", "voice", "harp"}, std::vector<std::string>{"settings", "voice"},
          std::vector<std::string>{"settings", "voice", "1", "2"}}) {
        const CliRun run = RunTunewright(wrong);
        EXPECT_EQ(run.code, 64);
        EXPECT_EQ(QtSettingsStore().Setting("PlayVoice"), "beep");  // left as it was
    }
    const std::string err = RunTunewright({"settings", "voice", "harp"}).err;
    EXPECT_EQ(err.substr(0, err.find('\n') + 1),
              "error: settings voice takes beep, piano, music-box, vibraphone, marimba, guitar, or a General MIDI "
              "program 1 to 128, not 'harp'\n");
}

}  // namespace

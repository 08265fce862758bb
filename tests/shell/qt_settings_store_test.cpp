#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "qt_settings_store.h"
#include "saved_settings.h"
#include "shell_test_support.h"

namespace {

using tw::QtSettingsStore;
using tw::SavedSettings;
using tw::SettingsReading;

constexpr tw::TwipSize Screen{28800, 16200};

// Each store stands for one run of the program.
std::vector<std::string> Shutdown(const SavedSettings& settings) {
    QtSettingsStore store;
    return tw::WriteSettings(store, settings);
}

void SaveSeparator(const std::string& separator) {
    QtSettingsStore store;
    tw::SaveOutputSeparator(store, separator);
}

std::filesystem::path ConfigFile() {
    return std::filesystem::path(::getenv("XDG_CONFIG_HOME")) / "Tunewright" / "Tunewright.conf";
}

class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QtSettingsStore().DeleteSettings(); }
    void TearDown() override { QtSettingsStore().DeleteSettings(); }

    // A settings file edited by hand, read by a fresh start.
    void HandEdit(const std::string& lines) {
        QtSettingsStore().DeleteSettings();
        tw::test::WriteBytes(ConfigFile(), "[Settings]\n" + lines);
    }
};

TEST_F(QtSettingsStoreTest, TheSettingsLiveInTheUsersConfigFolder) {
    EXPECT_EQ(QtSettingsStore().FileName(), ConfigFile().string());
    QtSettingsStore().SaveSetting("CurrentList", "Rock");
    const std::string file = tw::test::ReadBytes(ConfigFile());
    EXPECT_NE(file.find("[Settings]"), std::string::npos);
    EXPECT_NE(file.find("CurrentList=Rock"), std::string::npos);
}

TEST_F(QtSettingsStoreTest, FirstStartFindsNothingAndGetsTheDefaults) {
    const QtSettingsStore store;
    EXPECT_EQ(store.Setting("RingToneDirectory"), std::nullopt);
    EXPECT_EQ(store.GetSetting("OutputSep", ", "), ", ");
    const SettingsReading reading = tw::ReadSettings(store, Screen);
    EXPECT_EQ(reading.Settings, tw::DefaultSettings(Screen));
    EXPECT_TRUE(tw::IsFirstRun(reading.Settings));
}

TEST_F(QtSettingsStoreTest, ShutdownAndRestartKeepEverySetting) {
    SavedSettings closed;
    closed.Top = 1234.5F;
    closed.Left = -300;
    closed.Width = 12000;
    closed.Height = 7500;
    closed.RingToneDirectory = "/home/ann/my tones, old";
    closed.SourceType = 2;
    closed.FromFile = true;
    closed.ShowType = 1;
    closed.CurrentList = "Dance = Fun; [new]";
    EXPECT_TRUE(Shutdown(closed).empty());
    for (const char* separator : {" ", ", ", ",", " / "}) {
        SCOPED_TRACE(std::string("'") + separator + "'");
        SaveSeparator(separator);
        closed.OutputSep = separator;
        const SettingsReading reading = tw::ReadSettings(QtSettingsStore(), Screen);
        EXPECT_EQ(reading.Settings, closed);
        EXPECT_TRUE(reading.Problems.empty());
    }
}

TEST_F(QtSettingsStoreTest, AMaximizedCloseKeepsTheNormalPlaceForTheNextStart) {
    SavedSettings normal;
    normal.Top = 600;
    normal.Left = 750;
    normal.Width = 11000;
    normal.Height = 8000;
    normal.RingToneDirectory = "/";
    Shutdown(normal);
    SavedSettings maximized = normal;
    maximized.Maximized = 2;
    maximized.Width = 28800;
    Shutdown(maximized);

    const SavedSettings next = tw::ReadSettings(QtSettingsStore(), Screen).Settings;
    EXPECT_EQ(next.Maximized, 2);
    EXPECT_FLOAT_EQ(next.Width, 11000);
    EXPECT_FLOAT_EQ(next.Top, 600);
    EXPECT_EQ(next.RingToneDirectory, "/");
}

TEST_F(QtSettingsStoreTest, HandEditedValuesFallBackOneByOne) {
    HandEdit("OutputSep=\" | \"\nTop=abc\nLeft=1500\nWidth=11000,5\nFromFile=true\nSourceType=1\nShowType=9\n"
             "CurrentList=Gone\nMaximized=1\n");
    const SettingsReading reading = tw::ReadSettings(QtSettingsStore(), Screen);
    const SavedSettings& s = reading.Settings;
    EXPECT_FLOAT_EQ(s.Top, 4680);
    EXPECT_FLOAT_EQ(s.Left, 1500);
    EXPECT_FLOAT_EQ(s.Width, 10155);  // an unquoted comma makes a list of texts
    EXPECT_EQ(s.FromFile, std::nullopt);
    EXPECT_EQ(s.SourceType, 1);
    EXPECT_EQ(s.ShowType, 2);
    EXPECT_EQ(s.OutputSep, " | ");  // quoted, and one the dialog does not offer
    EXPECT_EQ(s.CurrentList, "Gone");
    EXPECT_EQ(s.Maximized, 0);
    EXPECT_EQ(reading.Problems.size(), 5U);
}

TEST_F(QtSettingsStoreTest, AFileThatCannotBeWrittenIsReported) {
    QtSettingsStore store;
    store.SaveSetting("CurrentList", "Rock");
    // A folder where the settings file should be: it can be neither
    // replaced nor written.
    std::filesystem::remove(ConfigFile());
    std::filesystem::create_directory(ConfigFile());
    EXPECT_THROW(store.SaveSetting("CurrentList", "Jazz"), tw::SettingsError);
    std::filesystem::remove(ConfigFile());
}

}  // namespace

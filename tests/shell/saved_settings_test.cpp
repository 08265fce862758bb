#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "saved_settings.h"
#include "settings_store.h"

namespace {

using tw::MemorySettingsStore;
using tw::ReadSettings;
using tw::SavedSettings;
using tw::SettingsError;
using tw::SettingsReading;
using tw::TwipSize;
using tw::WriteSettings;

// A 1920 x 1080 pixel screen.
constexpr TwipSize Screen{28800, 16200};

// A store that fails to read or write chosen keys and records every write.
class FaultyStore final : public tw::SettingsStore {
public:
    std::optional<std::string> Setting(std::string_view key) const override {
        if (unreadable.count(std::string(key))) throw SettingsError("the value cannot be read");
        return memory.Setting(key);
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        if (unwritable.count(std::string(key))) throw SettingsError("the store is read-only");
        writes.emplace_back(key, value);
        memory.SaveSetting(key, value);
    }
    void DeleteSettings() override { memory.DeleteSettings(); }

    MemorySettingsStore memory;
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    std::vector<std::pair<std::string, std::string>> writes;
};

SettingsReading ReadWith(const std::vector<std::pair<const char*, const char*>>& values) {
    MemorySettingsStore store;
    for (const auto& [key, value] : values) store.SaveSetting(key, value);
    return ReadSettings(store, Screen);
}

TEST(SavedSettings, FirstStartGivesTheDesignWindowCentredByItsDesignSize) {
    const MemorySettingsStore empty;
    const SettingsReading reading = ReadSettings(empty, Screen);
    const SavedSettings& s = reading.Settings;
    EXPECT_FLOAT_EQ(s.Top, (16200 - 6840) / 2.0F);
    EXPECT_FLOAT_EQ(s.Left, (28800 - 10155) / 2.0F);  // 9322.5: halves are kept
    EXPECT_FLOAT_EQ(s.Width, 10155);
    EXPECT_FLOAT_EQ(s.Height, 6840);
    EXPECT_EQ(s.Maximized, 0);
    EXPECT_EQ(s.RingToneDirectory, "");
    EXPECT_TRUE(tw::IsFirstRun(s));
    EXPECT_EQ(s.SourceType, 0);
    EXPECT_EQ(s.FromFile, false);  // "the Web or Clipboard"
    EXPECT_EQ(s.ShowType, 2);
    EXPECT_EQ(s.OutputSep, ", ");
    EXPECT_EQ(s.CurrentList, "Favtones");
    EXPECT_TRUE(reading.Problems.empty());
    EXPECT_EQ(reading.Defaulted.size(), std::size(tw::AllSettingKeys));
    // After the About box the ringtone folder is the home folder; "/" stands
    // for the root and for a missing home.
    EXPECT_EQ(tw::FirstRunRingToneDirectory("/home/ann/"), "/home/ann");
    EXPECT_EQ(tw::FirstRunRingToneDirectory(""), "/");
}

TEST(SavedSettings, ShutdownThenStartGivesTheSameSettings) {
    MemorySettingsStore store;
    SavedSettings closed;
    closed.Top = 1200;
    closed.Left = 1234.5F;
    closed.Width = 12000;
    closed.Height = 7005;
    closed.RingToneDirectory = "/home/ann/tones";
    closed.SourceType = 1;
    closed.FromFile = true;
    closed.ShowType = 0;
    closed.CurrentList = "Rock";
    EXPECT_TRUE(WriteSettings(store, closed).empty());
    tw::SaveOutputSeparator(store, " ");
    closed.OutputSep = " ";

    EXPECT_EQ(store.Values().at("Left"), "1234.5");
    EXPECT_EQ(store.Values().at("FromFile"), "True");
    const SettingsReading reading = ReadSettings(store, Screen);
    EXPECT_EQ(reading.Settings, closed);
    EXPECT_TRUE(reading.Problems.empty());
    EXPECT_TRUE(reading.Defaulted.empty());
}

TEST(SavedSettings, ShutdownWritesInItsOrderSkippingWhatFails) {
    FaultyStore store;
    store.unwritable = {"CurrentList"};
    SavedSettings s;
    s.RingToneDirectory = "/tmp/";
    s.SourceType = 2;
    s.ShowType = 7;      // anything but 0 and 1 is written as 2
    s.FromFile.reset();  // options left as they were: written as False
    s.OutputSep = "|";   // only the separator dialog writes it
    EXPECT_EQ(WriteSettings(store, s), std::vector<std::string>{"CurrentList: the store is read-only"});
    const std::vector<std::pair<std::string, std::string>> expected{
        {"RingToneDirectory", "/tmp"}, {"SourceType", "2"}, {"ShowType", "2"}, {"FromFile", "False"},
        {"Maximized", "0"},            {"Left", "0"},       {"Top", "0"},      {"Width", "10155"},
        {"Height", "6840"},
    };
    EXPECT_EQ(store.writes, expected);
}

TEST(SavedSettings, FromFileInLowerCaseLeavesTheOptionsAsTheyAre) {
    const SettingsReading reading = ReadWith({{"FromFile", "true"}, {"SourceType", "2"}});
    EXPECT_EQ(reading.Settings.FromFile, std::nullopt);
    EXPECT_EQ(reading.Settings.SourceType, 2);
    ASSERT_EQ(reading.Problems.size(), 1U);
    EXPECT_EQ(reading.Problems[0].Key, "FromFile");
}

TEST(SavedSettings, ABadTopSpoilsNothingElse) {
    const SettingsReading reading = ReadWith({{"Top", "abc"},
                                              {"Left", "300"},
                                              {"SourceType", "1"},
                                              {"ShowType", "0"},
                                              {"OutputSep", ","},
                                              {"CurrentList", "Rock"},
                                              {"RingToneDirectory", "/srv/tones"}});
    const SavedSettings& s = reading.Settings;
    EXPECT_FLOAT_EQ(s.Top, (16200 - 6840) / 2.0F);
    EXPECT_FLOAT_EQ(s.Left, 300);
    EXPECT_EQ(s.SourceType, 1);
    EXPECT_EQ(s.ShowType, 0);
    EXPECT_EQ(s.OutputSep, ",");
    EXPECT_EQ(s.CurrentList, "Rock");
    EXPECT_EQ(s.RingToneDirectory, "/srv/tones");
    ASSERT_EQ(reading.Problems.size(), 1U);
    EXPECT_EQ(reading.Problems[0].Reason, "Top: 'abc' is not a number of twips");
    EXPECT_TRUE(reading.WasDefaulted("Top"));
    EXPECT_FALSE(reading.WasDefaulted("Left"));
}

struct BadValueCase {
    const char* key;
    const char* text;
};

TEST(SavedSettings, EveryUnusableValueFallsBackToItsOwnDefault) {
    const BadValueCase cases[] = {
        {"Top", ""},          {"Left", "1,5"},      {"Width", "0"},         {"Height", "1e9"},
        {"Maximized", "1"},   {"Maximized", "yes"}, {"SourceType", "3"},    {"ShowType", "2.6"},
        {"OutputSep", ""},    {"OutputSep", ";"},   {"OutputSep", ", :"},   {"OutputSep", ",\r"},
        {"CurrentList", "  "}, {"CurrentList", "a/b"}, {"CurrentList", "MENU"},
    };
    const MemorySettingsStore empty;
    const SavedSettings defaults = ReadSettings(empty, Screen).Settings;
    for (const BadValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "='" + c.text + "'");
        const SettingsReading reading = ReadWith({{c.key, c.text}});
        EXPECT_EQ(reading.Settings, defaults);
        ASSERT_EQ(reading.Problems.size(), 1U);
        EXPECT_EQ(reading.Problems[0].Key, c.key);
    }
}

TEST(SavedSettings, UsableValuesOutsideTheDialogsChoicesAreKept) {
    EXPECT_EQ(ReadWith({{"OutputSep", "|"}}).Settings.OutputSep, "|");
    EXPECT_EQ(ReadWith({{"OutputSep", " / "}}).Settings.OutputSep, " / ");
    EXPECT_EQ(ReadWith({{"ShowType", "1.5"}}).Settings.ShowType, 2);   // halves to even
    EXPECT_EQ(ReadWith({{"CurrentList", "  Dance  "}}).Settings.CurrentList, "Dance");
    EXPECT_EQ(ReadWith({{"RingToneDirectory", "/"}}).Settings.RingToneDirectory, "/");
}

TEST(SavedSettings, AKeyTheStoreCannotReadTakesItsDefault) {
    FaultyStore store;
    store.memory.SaveSetting("Width", "12000");
    store.memory.SaveSetting("CurrentList", "Rock");
    store.unreadable = {"Width", "OutputSep"};
    const SettingsReading reading = ReadSettings(store, Screen);
    EXPECT_FLOAT_EQ(reading.Settings.Width, 10155);
    EXPECT_EQ(reading.Settings.OutputSep, ", ");
    EXPECT_EQ(reading.Settings.CurrentList, "Rock");
    EXPECT_EQ(reading.Problems.size(), 2U);
}

TEST(SavedSettings, TheCurrentListIsSelectedOrTheFirstList) {
    const std::vector<std::string> lists{"Dance", "Favtones", "Rock"};
    EXPECT_EQ(tw::CurrentListIndex(lists, "Rock"), 2U);
    EXPECT_EQ(tw::CurrentListIndex(lists, "Favtones"), 1U);
    // A list whose file was deleted, and a name in another letter case.
    EXPECT_EQ(tw::CurrentListIndex(lists, "Jazz"), 0U);
    EXPECT_EQ(tw::CurrentListIndex(lists, "rock"), 0U);
    EXPECT_EQ(tw::CurrentListIndex({}, "Rock"), std::nullopt);
    // A missing list is still read as the current list's name.
    EXPECT_EQ(ReadWith({{"CurrentList", "Deleted"}}).Settings.CurrentList, "Deleted");
}

}  // namespace

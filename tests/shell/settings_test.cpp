// The saved settings: their values, how start-up reads them and shutdown
// writes them, and the separator dialog's part.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "saved_settings.h"
#include "separator_choice.h"
#include "setting_values.h"
#include "settings_store.h"

namespace {

using tw::MemorySettingsStore;
using tw::ReadSettings;
using tw::SavedSettings;
using tw::SettingsReading;

constexpr tw::TwipSize Screen{28800, 16200};  // 1920 x 1080 pixels

// A store that fails to read or write chosen keys and records every write.
class FaultyStore final : public tw::SettingsStore {
public:
    std::optional<std::string> Setting(std::string_view key) const override {
        if (unreadable.count(std::string(key))) throw tw::SettingsError("the value cannot be read");
        return memory.Setting(key);
    }
    void SaveSetting(std::string_view key, std::string_view value) override {
        if (unwritable.count(std::string(key))) throw tw::SettingsError("the store is read-only");
        writes.emplace_back(key, value);
        memory.SaveSetting(key, value);
    }
    void DeleteSettings() override { memory.DeleteSettings(); }

    MemorySettingsStore memory;
    std::set<std::string> unreadable, unwritable;
    std::vector<std::pair<std::string, std::string>> writes;
};

SettingsReading ReadWith(const std::vector<std::pair<const char*, const char*>>& values) {
    MemorySettingsStore store;
    for (const auto& [key, value] : values) store.SaveSetting(key, value);
    return ReadSettings(store, Screen);
}

TEST(SettingValues, TwipsReadAsDecimalNumbersAndAreWrittenInTheirShortestForm) {
    const std::pair<const char*, std::optional<float>> cases[] = {
        {"5460", 5460.0F}, {" 1234.5 ", 1234.5F}, {"-120", -120.0F}, {"+75", 75.0F}, {".5", 0.5F}, {"10000000", 1e7F},
        {"", std::nullopt}, {"abc", std::nullopt}, {"1234,5", std::nullopt}, {"1e3", std::nullopt},
        {"inf", std::nullopt}, {"1.2.3", std::nullopt}, {"-", std::nullopt}, {"10000001", std::nullopt},
        {"5-", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(tw::ParseTwips(text), value) << "'" << text << "'";
    const std::pair<float, const char*> written[] = {
        {5460.0F, "5460"}, {1234.5F, "1234.5"}, {-120.0F, "-120"}, {-0.0F, "0"}, {1e7F, "10000000"}};
    for (const auto& [value, text] : written) EXPECT_EQ(tw::FormatTwips(value), text);
    for (const float value : {0.1F, 9322.5F, 333.33F, -4680.25F, 1e7F})
        EXPECT_EQ(tw::ParseTwips(tw::FormatTwips(value)), value) << tw::FormatTwips(value);
    // The ringtone folder loses its final slash but keeps the root.
    const std::pair<const char*, const char*> folders[] = {
        {"/home/ann/tones/", "/home/ann/tones"}, {"/home/ann//", "/home/ann"}, {"/", "/"}, {"///", "/"}, {"", ""}};
    for (const auto& [given, kept] : folders) EXPECT_EQ(tw::RingToneFolder(given), kept) << given;
}

TEST(SavedSettings, FirstStartGivesTheDesignWindowCentredByItsDesignSize) {
    const SettingsReading reading = ReadSettings(MemorySettingsStore(), Screen);
    SavedSettings expected;
    expected.Top = (16200 - 6840) / 2.0F;
    expected.Left = (28800 - 10155) / 2.0F;  // 9322.5: halves are kept
    EXPECT_EQ(reading.Settings, expected);
    EXPECT_EQ(reading.Settings, tw::DefaultSettings(Screen));
    EXPECT_EQ(std::tuple(expected.Width, expected.Height, expected.Maximized, expected.RingToneDirectory,
                         expected.SourceType, expected.FromFile, expected.ShowType, expected.OutputSep,
                         expected.CurrentList),
              std::tuple(10155.0F, 6840.0F, 0, "", 0, std::optional(false), 2, ", ", "Favtones"));
    EXPECT_TRUE(tw::IsFirstRun(reading.Settings));
    EXPECT_TRUE(reading.Problems.empty());
    EXPECT_EQ(reading.Defaulted.size(), std::size(tw::AllSettingKeys));
    // After the About box the ringtone folder is the home folder; "/" stands for the root and a missing home.
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
    closed.OutputSep = " ";
    EXPECT_TRUE(tw::WriteSettings(store, closed).empty());
    tw::SaveOutputSeparator(store, " ");
    EXPECT_EQ(store.Values().at("Left") + store.Values().at("FromFile"), "1234.5True");
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
    EXPECT_EQ(tw::WriteSettings(store, s), std::vector<std::string>{"CurrentList: the store is read-only"});
    EXPECT_EQ(store.writes, (std::vector<std::pair<std::string, std::string>>{
                                {"RingToneDirectory", "/tmp"}, {"SourceType", "2"}, {"ShowType", "2"},
                                {"FromFile", "False"}, {"Maximized", "0"}, {"Left", "0"}, {"Top", "0"},
                                {"Width", "10155"}, {"Height", "6840"}}));
}

TEST(SavedSettings, EveryUnusableValueFallsBackToItsOwnDefaultAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"Top", ""},          {"Top", "abc"},        {"Left", "1,5"},        {"Width", "0"},       {"Height", "1e9"},
        {"Maximized", "1"},   {"Maximized", "yes"},  {"SourceType", "3"},    {"ShowType", "2.6"},  {"OutputSep", ""},
        {"OutputSep", ";"},   {"OutputSep", ", :"},  {"OutputSep", ",\r"},   {"CurrentList", "  "},
        {"CurrentList", "a/b"}, {"CurrentList", "MENU"}};
    const SavedSettings defaults = tw::DefaultSettings(Screen);
    for (const auto& [key, text] : cases) {
        SCOPED_TRACE(std::string(key) + "='" + text + "'");
        const SettingsReading reading = ReadWith({{"SourceType", "1"}, {"RingToneDirectory", "/srv"}, {key, text}});
        SavedSettings expected = defaults;
        expected.SourceType = std::string(key) == "SourceType" ? 0 : 1;
        expected.RingToneDirectory = "/srv";
        EXPECT_EQ(reading.Settings, expected);
        ASSERT_EQ(reading.Problems.size(), 1U);
        EXPECT_EQ(reading.Problems[0].Key, key);
        EXPECT_TRUE(reading.WasDefaulted(key));
        EXPECT_FALSE(reading.WasDefaulted("RingToneDirectory"));
    }
    EXPECT_EQ(ReadWith({{"Top", "abc"}}).Problems[0].Reason, "Top: 'abc' is not a number of twips");
    // FromFile other than True or False leaves the options as they are.
    const SettingsReading lower = ReadWith({{"FromFile", "true"}});
    EXPECT_EQ(lower.Settings.FromFile, std::nullopt);
    EXPECT_EQ(lower.Problems.size(), 1U);
}

TEST(SavedSettings, UsableValuesOutsideTheDialogsChoicesAreKept) {
    EXPECT_EQ(ReadWith({{"OutputSep", "|"}}).Settings.OutputSep, "|");
    EXPECT_EQ(ReadWith({{"OutputSep", " / "}}).Settings.OutputSep, " / ");
    EXPECT_EQ(ReadWith({{"ShowType", "1.5"}}).Settings.ShowType, 2);  // halves to even
    EXPECT_EQ(ReadWith({{"CurrentList", "  Dance  "}}).Settings.CurrentList, "Dance");
    EXPECT_EQ(ReadWith({{"CurrentList", "Deleted"}}).Settings.CurrentList, "Deleted");  // a list that has gone
    EXPECT_EQ(ReadWith({{"RingToneDirectory", "/"}}).Settings.RingToneDirectory, "/");
    FaultyStore store;  // a key the store cannot read takes its default
    store.memory.SaveSetting("Width", "12000");
    store.memory.SaveSetting("CurrentList", "Rock");
    store.unreadable = {"Width", "OutputSep"};
    const SettingsReading reading = ReadSettings(store, Screen);
    EXPECT_EQ(std::tuple(reading.Settings.Width, reading.Settings.OutputSep, reading.Settings.CurrentList),
              std::tuple(10155.0F, ", ", "Rock"));
    EXPECT_EQ(reading.Problems.size(), 2U);
}

TEST(SavedSettings, TheCurrentListIsSelectedOrTheFirstList) {
    const std::vector<std::string> lists{"Dance", "Favtones", "Rock"};
    EXPECT_EQ(tw::CurrentListIndex(lists, "Rock"), 2U);
    EXPECT_EQ(tw::CurrentListIndex(lists, "Favtones"), 1U);
    EXPECT_EQ(tw::CurrentListIndex(lists, "Jazz"), 0U);  // a deleted list
    EXPECT_EQ(tw::CurrentListIndex(lists, "rock"), 0U);  // another letter case
    EXPECT_EQ(tw::CurrentListIndex({}, "Rock"), std::nullopt);
}

TEST(SeparatorChoice, TheDialogSelectsTheSeparatorInForceAndOkWritesItEvenUnchanged) {
    const std::pair<const char*, std::optional<std::size_t>> selected[] = {
        {" ", 0U}, {", ", 1U}, {",", 2U}, {"|", std::nullopt}, {" ,", std::nullopt}, {",  ", std::nullopt},
        {"{space}", std::nullopt}, {",{space}", std::nullopt}, {"", std::nullopt}};  // entries are display texts
    for (const auto& [separator, entry] : selected)
        EXPECT_EQ(tw::SelectedSeparatorChoice(separator), entry) << "'" << separator << "'";
    EXPECT_EQ(tw::SeparatorChoices[0].Entry, "{space}");
    EXPECT_EQ(tw::SeparatorAfterOk(0, ", "), " ");
    EXPECT_EQ(tw::SeparatorAfterOk(2, " "), ",");
    EXPECT_EQ(tw::SeparatorAfterOk(3, " / "), " / ");
    MemorySettingsStore store;
    tw::SaveOutputSeparator(store, tw::SeparatorAfterOk(tw::SelectedSeparatorChoice("|"), "|"));
    EXPECT_EQ(store.Values().at("OutputSep"), "|");
}

}  // namespace

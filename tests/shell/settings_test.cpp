// The saved settings: their values, how start-up reads them and shutdown
// writes them, and the separator dialog's part.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "shell/saved_settings.h"
#include "shell/separator_choice.h"
#include "shell/setting_values.h"
#include "shell/settings_store.h"

namespace {

using tw::MemorySettingsStore;
using tw::ReadSettings;
using tw::SavedSettings;
using tw::SettingsReading;

constexpr tw::TwipSize Screen{28800, 16200};  // 1920 x 1080 pixels

// A store that records every write and refuses those of CurrentList.
class FaultyStore final : public tw::SettingsStore {
public:
    std::optional<std::string> Setting(std::string_view) const override { return std::nullopt; }
    void SaveSetting(std::string_view key, std::string_view value) override {
        if (key == "CurrentList") throw tw::SettingsError("the store is read-only");
        writes.emplace_back(key, value);
    }
    void DeleteSettings() override {}
    std::vector<std::pair<std::string, std::string>> writes;
};

SettingsReading ReadWith(const std::vector<std::pair<const char*, const char*>>& values) {
    MemorySettingsStore store;
    for (const auto& [key, value] : values) store.SaveSetting(key, value);
    return ReadSettings(store, Screen);
}

TEST(SettingValues, TwipsReadAsDecimalNumbersAndAreWrittenInTheirShortestForm) {
    const std::pair<const char*, std::optional<float>> cases[] = {
        {" 1234.5 ", 1234.5F}, {"-120", -120.0F},       {"+75", 75.0F},           {".5", 0.5F},
        {"10000000", 1e7F},    {"", std::nullopt},      {"1234,5", std::nullopt}, {"1e3", std::nullopt},
        {"inf", std::nullopt}, {"1.2.3", std::nullopt}, {"-", std::nullopt},      {"10000001", std::nullopt},
        {"5-", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(tw::ParseTwips(text), value) << "'" << text << "'";
    for (const auto& [value, text] : {std::pair{1234.5F, "1234.5"}, {-0.0F, "0"}, {1e7F, "10000000"}})
        EXPECT_EQ(tw::FormatTwips(value), text);
    for (const float value : {0.1F, 9322.5F, 333.33F, -4680.25F, 1e7F})
        EXPECT_EQ(tw::ParseTwips(tw::FormatTwips(value)), value) << tw::FormatTwips(value);
    // The ringtone folder loses its final slash but keeps the root.
    const std::pair<const char*, const char*> folders[] = {
        {"/home/ann/tones/", "/home/ann/tones"}, {"/home/ann//", "/home/ann"}, {"/", "/"}, {"///", "/"}, {"", ""}};
    for (const auto& [given, kept] : folders) EXPECT_EQ(tw::RingToneFolder(given), kept) << given;
}

TEST(SavedSettings, FirstStartGivesTheDesignWindowCentredByItsDesignSize) {
    const SettingsReading reading = ReadSettings(MemorySettingsStore(), Screen);
    EXPECT_EQ(reading.Settings,
              (SavedSettings{.Top = (16200 - 6840) / 2.0F, .Left = (28800 - 10155) / 2.0F}));  // halves kept
    EXPECT_TRUE(tw::IsFirstRun(reading.Settings));
    EXPECT_TRUE(reading.Problems.empty());
    EXPECT_EQ(reading.Defaulted.size(), std::size(tw::AllSettingKeys));
    // After the About box the ringtone folder is the home folder; "/" stands for the root and a missing home.
    EXPECT_EQ(tw::FirstRunRingToneDirectory("/home/ann/") + "|" + tw::FirstRunRingToneDirectory(""), "/home/ann|/");
}

TEST(SavedSettings, ShutdownWritesInItsOrderSkippingWhatFails) {
    FaultyStore store;
    // ShowType 7 is written as 2, options left as they were as False; only the separator dialog writes OutputSep.
    const SavedSettings s{
        .RingToneDirectory = "/tmp/", .SourceType = 2, .FromFile = std::nullopt, .ShowType = 7, .OutputSep = "|"};
    EXPECT_EQ(tw::WriteSettings(store, s), std::vector<std::string>{"CurrentList: the store is read-only"});
    EXPECT_EQ(store.writes, (std::vector<std::pair<std::string, std::string>>{{"RingToneDirectory", "/tmp"},
                                                                              {"SourceType", "2"},
                                                                              {"ShowType", "2"},
                                                                              {"FromFile", "False"},
                                                                              {"Maximized", "0"},
                                                                              {"Left", "0"},
                                                                              {"Top", "0"},
                                                                              {"Width", "10155"},
                                                                              {"Height", "6840"}}));
}

TEST(SavedSettings, EveryUnusableValueFallsBackToItsOwnDefaultAlone) {
    const std::pair<const char*, const char*> cases[] = {{"Top", ""},
                                                         {"Top", "abc"},
                                                         {"Left", "1,5"},
                                                         {"Width", "0"},
                                                         {"Height", "1e9"},
                                                         {"Maximized", "1"},
                                                         {"Maximized", "yes"},
                                                         {"SourceType", "3"},
                                                         {"ShowType", "2.6"},
                                                         {"OutputSep", ""},
                                                         {"OutputSep", ";"},
                                                         {"OutputSep", ", :"},
                                                         {"OutputSep", ",\r"},
                                                         {"CurrentList", "  "},
                                                         {"CurrentList", "a/b"},
                                                         {"CurrentList", "MENU"},
                                                         {"IMelodyPrefix", "One-Note"},
                                                         {"IMelodyPrefix", ""},
                                                         {"PlayVoice", "harpsichord"},
                                                         {"PlayVoice", "0"},
                                                         {"PlayVoice", "129"},
                                                         {"PlayVoice", "program 13"},
                                                         {"PlayVoice", ""}};
    for (const auto& [key, text] : cases) {
        SCOPED_TRACE(std::string(key) + "='" + text + "'");
        const SettingsReading reading = ReadWith({{"SourceType", "1"}, {"RingToneDirectory", "/srv"}, {key, text}});
        SavedSettings expected = tw::DefaultSettings(Screen);
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
    // Usable values outside the dialogs' choices are kept: ShowType halves to even, a list that has gone stays.
    const SettingsReading kept = ReadWith(
        {{"OutputSep", " / "}, {"ShowType", "1.5"}, {"CurrentList", "  Deleted  "}, {"IMelodyPrefix", "one-note"}});
    EXPECT_EQ(kept.Settings.OutputSep + std::to_string(kept.Settings.ShowType) + kept.Settings.CurrentList,
              " / 2Deleted");
    EXPECT_EQ(kept.Settings.IMelodyPrefix, tw::OctavePrefixes::OneNote);
    EXPECT_TRUE(kept.Problems.empty());
}

struct VoiceRow {
    tw::Voice voice;
    std::string stored;
};
void PrintTo(const VoiceRow& row, std::ostream* out) { *out << row.stored; }

// The voice for Play is written when it is chosen, as its name or its
// program number from 1, and read back as the same voice.
TEST(SavedSettings, ThePlayVoiceIsKeptByNameOrNumber) {
    const VoiceRow rows[] = {
        {tw::Voice{}, "beep"},        {tw::Voice{12}, "marimba"}, {tw::Voice{0}, "piano"},
        {tw::Voice{10}, "music-box"}, {tw::Voice{5}, "6"},        {tw::Voice{127}, "128"},
    };
    for (const VoiceRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row));
        MemorySettingsStore store;
        tw::SavePlayVoice(store, row.voice);
        EXPECT_EQ(store.Values(), (std::map<std::string, std::string, std::less<>>{{"PlayVoice", row.stored}}));
        const SettingsReading reading = ReadSettings(store, Screen);
        EXPECT_EQ(reading.Settings.PlayVoice, row.voice);
        EXPECT_TRUE(reading.Problems.empty());
    }
    EXPECT_EQ(ReadWith({{"PlayVoice", "Marimba"}}).Settings.PlayVoice, tw::Voice{12});  // any case
    EXPECT_EQ(ReadWith({{"PlayVoice", "x"}}).Problems.at(0).Reason,
              "PlayVoice: 'x' is not a voice; Play plays the beep");
    // Shutdown leaves it alone.
    FaultyStore store;
    tw::WriteSettings(store, SavedSettings{.PlayVoice = tw::Voice{12}});
    for (const auto& [key, value] : store.writes) EXPECT_NE(key, "PlayVoice");
}

TEST(SavedSettings, TheCurrentListIsSelectedOrTheFirstList) {
    const std::vector<std::string> lists{"Dance", "Favtones", "Rock"};
    EXPECT_EQ(tw::CurrentListIndex(lists, "Rock"), 2U);
    EXPECT_EQ(tw::CurrentListIndex(lists, "rock"), 0U);  // another letter case is another list
    EXPECT_EQ(tw::CurrentListIndex({}, "Rock"), std::nullopt);
}

TEST(SeparatorChoice, TheDialogSelectsTheSeparatorInForceAndOkKeepsOneItDoesNotOffer) {
    const std::pair<const char*, std::optional<std::size_t>> selected[] = {
        {" ", 0U}, {", ", 1U}, {",", 2U}, {"|", std::nullopt}, {" ,", std::nullopt}, {"{space}", std::nullopt}};
    for (const auto& [separator, entry] : selected)
        EXPECT_EQ(tw::SelectedSeparatorChoice(separator), entry) << "'" << separator << "'";
    EXPECT_EQ(tw::SeparatorAfterOk(0, ", ") + "|" + tw::SeparatorAfterOk(2, " ") + "|" + tw::SeparatorAfterOk(3, " / "),
              " |,| / ");
}

}  // namespace

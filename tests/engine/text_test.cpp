// The shared text rules, the handset key helpers and the preparation of
// ringtone text.
#include <limits>
#include <optional>
#include <tuple>

#include "engine/format_tempo.h"
#include "test_support.h"

namespace {

using namespace twtest;
using TextPair = std::pair<const char*, const char*>;

TEST(TextRules, NumbersRoundHalvesToEvenWithinTheirRange) {
    const std::pair<const char*, std::int32_t> numbers[] = {
        {" 8", 8},  {"4.", 4},    {"4-", -4},  {"+4", 4},        {".5", 0},           {"  32  ", 32},
        {"5.5", 6}, {"-2.5", -2}, {"2.51", 3}, {"32767", 32767}, {"-32768.5", -32768}};
    for (const auto& [text, value] : numbers) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(tw::IsNumeric(text));
        EXPECT_EQ(tw::ToInt16(text), value);
        EXPECT_EQ(tw::ToInt32(text), value);
    }
    for (const char* text : {"", " ", "8c", "#", ".", "-", "1.2.3", "--4", "-4-", "4 4", "\t4"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(tw::IsNumeric(text));
        ExpectEngineError([&] { tw::ToInt16(text); }, Reason::NotANumber);
        ExpectEngineError([&] { tw::ToInt32(text); }, Reason::NotANumber);
    }
    EXPECT_EQ(tw::ToInt32("2147483647"), 2147483647);
    EXPECT_EQ(tw::ToInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char* text : {"32768", "-32769", "32767.5", "99999999999999999999"})
        ExpectEngineError([&] { tw::ToInt16(text); }, Reason::OutOfRange);
    for (const char* text : {"2147483648", "-2147483649", "2147483647.5"})
        ExpectEngineError([&] { tw::ToInt32(text); }, Reason::OutOfRange);
}

TEST(TextRules, RoundToInt32) {
    const std::pair<double, std::int32_t> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483647.0, 2147483647}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(tw::RoundToInt32(value), rounded) << value;
    for (double bad : {2147483647.5, -2147483649.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        ExpectEngineError([&] { tw::RoundToInt32(bad); }, Reason::OutOfRange);
}

struct TempoRow {
    const char* text;
    std::optional<std::int64_t> read;      // ReadTempo
    std::optional<std::int32_t> asNumber;  // TempoNumber: what 32 bits hold
};

void PrintTo(const TempoRow& row, std::ostream* out) { *out << '"' << row.text << '"'; }

TEST(TempoRules, ReadAsEveryNumberAndKeptToTheRangeOfItsUse) {
    constexpr std::int64_t far = std::int64_t{1} << 40;
    const TempoRow rows[] = {
        {"120", 120, 120},
        {" 62.5 ", 62, 62},
        {"63.5", 64, 64},
        {"4-", -4, -4},
        {"fast", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"2147483647", 2147483647, 2147483647},
        {"2147483648", 2147483648, std::nullopt},
        {"99999999999999999999", far, std::nullopt},
        {"-99999999999999999999", -far, std::nullopt},
    };
    for (const TempoRow& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        EXPECT_EQ(tw::ReadTempo(row.text), row.read);
        EXPECT_EQ(tw::TempoNumber(row.text), row.asNumber);
    }
}

TEST(TextRules, NotationWordsMatchWithoutCase) {
    EXPECT_EQ(tw::NotationFromWord("KeyPresses"), Notation::Keypresses);
    EXPECT_EQ(tw::NotationFromWord("COMPOSER"), Notation::Composer);
    EXPECT_FALSE(tw::NotationFromWord("wav").has_value());
}

// Every composer octave has an RTTTL octave, four above it; the handset's
// nearest duration and octave are what keypresses enter for the others.
TEST(NoteKeys, OctavesMapToRTTTLAndLettersToKeys) {
    const TextPair octaves[] = {{"1", "5"},  {"3", "7"},  {"0", "4"},  {"4", "8"}, {"5", "9"},
                                {"9", "13"}, {"-1", "3"}, {"05", "9"}, {"", ""},   {"x", ""}};
    for (const auto& [in, out] : octaves) EXPECT_EQ(tw::RTTTLOctaveOf(in), out) << "octave " << in;
    const std::pair<std::int32_t, std::optional<std::int16_t>> durations[] = {
        {1, 1}, {3, 4}, {5, 4}, {6, 8}, {12, 16}, {24, 32}, {32, 32}, {64, 32}, {128, 32}, {0, std::nullopt}};
    for (const auto& [in, out] : durations) EXPECT_EQ(tw::NearestHandsetDuration(in), out) << "duration " << in;
    EXPECT_EQ(tw::NearestHandsetOctave(0), 1);
    EXPECT_EQ(tw::NearestHandsetOctave(9), 3);
    const TextPair keys[] = {{"c", "1"}, {"d", "2"}, {"e", "3"}, {"f", "4"}, {"g", "5"}, {"a", "6"}, {"b", "7"},
                             {"B", "7"}, {"-", "0"}, {"p", ""},  {"h", ""},  {"", ""},   {"cc", ""}};
    for (const auto& [letter, key] : keys) EXPECT_EQ(tw::NoteKey(letter), key) << "letter " << letter;
}

TEST(NoteKeys, DurationKeysNeverWrapOctaveKeysGoRoundThree) {
    using Step = std::tuple<const char*, std::int16_t, const char*>;  // from, to, keys
    const Step durations[] = {{"4", 8, "8"},      {"4", 1, "99"}, {"4", 4, ""},  {"32", 1, "99999"},
                              {"1", 32, "88888"}, {"4", 3, ""},   {"4", 64, ""}, {"3", 4, ""}};
    const Step octaves[] = {{"1", 1, ""},   {"1", 3, "**"}, {"2", 3, "*"}, {"2", 1, "**"},
                            {"3", 2, "**"}, {"1", 4, ""},   {"1", 0, ""},  {"5", 1, ""}};
    tw::NoteState state;
    for (const auto& [from, to, keys] : durations) {
        state.LastKeyDuration = from;
        EXPECT_EQ(tw::DurationKeys(state, to), keys) << from << " -> " << to;
    }
    for (const auto& [from, to, keys] : octaves) {
        state.LastKeyOctave = from;
        EXPECT_EQ(tw::OctaveKeys(state, to), keys) << from << " -> " << to;
    }
}

TEST(RingtoneText, CleanJoinAndPrepareKeypresses) {
    const TextPair cleaned[] = {{"a,b,,", "a,b,"}, {" c,\r\n d, ", "c, d"}, {"\n  x  \n", "x"}, {"a, \n", "a"},
                                {"c\r\nd", "cd"},  {"a\tb", "a\tb"},        {",", ""}};
    for (const auto& [in, out] : cleaned) EXPECT_EQ(tw::CleanRingtoneText(in), out) << "text " << in;
    const TextPair joined[] = {{"a\r\n\r\nb\n", "ab"}, {"a\rb", "ab"}, {"a\r\r\nb", "ab"}, {" a \n b ", " a  b "}};
    for (const auto& [in, out] : joined) EXPECT_EQ(tw::JoinLines(in), out) << "text " << in;
    // A comma goes before every note key; only the header up to the last colon is kept as it is.
    const TextPair keys[] = {{"Tune:Tempo=125:55 8, 6(hold 0)", "Tune:Tempo=125:5,58,6,(hold 0)"},
                             {"Tune:Tempo=125:5 (1) #7", "Tune:Tempo=125:5,(1)#,7"},
                             {"*1 2", "*,1,2"},
                             {"81 2 3", "8,1,2,3"},
                             {"(Hold 1) 2", "(Hold,1),2"},
                             {"a:b:1,,2", "a:b:1,2"},
                             {"Tune : Tempo=125 : 1 2", "Tune : Tempo=125 :1,2"},
                             {"Tune:", "Tune:"}};
    for (const auto& [in, out] : keys) EXPECT_EQ(tw::PrepareKeypresses(in), out) << "text " << in;
}

}  // namespace

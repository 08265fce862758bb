#include <cmath>
#include <cstdint>
#include <limits>

#include "test_support.h"

namespace {

using namespace twtest;

struct NumericCase {
    const char* text;
    bool numeric;
};

const NumericCase kNumericCases[] = {
    {"16", true},  {" 8", true},    {"4.", true},    {"4-", true},   {"-4", true},   {"+4", true},
    {".5", true},  {"4.5", true},   {"  32  ", true}, {"0", true},   {"", false},    {" ", false},
    {"c", false},  {"8c", false},   {"#", false},    {".", false},   {"-", false},   {"1.2.3", false},
    {"--4", false}, {"-4-", false}, {"4 4", false},  {"#5", false},  {"\t4", false}, {" 8f", false},
};

class IsNumericTest : public ::testing::TestWithParam<NumericCase> {};

TEST_P(IsNumericTest, Classifies) {
    EXPECT_EQ(tw::IsNumeric(GetParam().text), GetParam().numeric) << "text \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, IsNumericTest, ::testing::ValuesIn(kNumericCases));

struct IntCase {
    const char* text;
    std::int32_t value;
};

TEST(ToInt16, RoundsHalvesToEvenWithinRange) {
    const IntCase cases[] = {
        {"4.5", 4},        {"5.5", 6},        {"-2.5", -2}, {"2.5", 2},         {"3.5", 4},
        {"4-", -4},        {" 16 ", 16},      {"0.5", 0},   {"1.5", 2},         {"32767", 32767},
        {"32767.4", 32767}, {"-32768", -32768}, {"+7", 7},  {"-32768.5", -32768}, {"8.", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tw::ToInt16(c.text), c.value);
    }
}

TEST(ToInt16, FailsOutsideRangeOrForNonNumbers) {
    ExpectEngineError([] { tw::ToInt16("32768"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt16("-32769"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt16("32767.5"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt16("99999999999999999999"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt16(""); }, Reason::NotANumber);
    ExpectEngineError([] { tw::ToInt16("c"); }, Reason::NotANumber);
    ExpectEngineError([] { tw::ToInt16("5.1."); }, Reason::NotANumber);
}

TEST(ToInt32, CoversTheFullRange) {
    const IntCase cases[] = {
        {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"32768", 32768},           {"-2.5", -2},
        {"7.5", 8},                 {"100-", -100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tw::ToInt32(c.text), c.value);
    }
    ExpectEngineError([] { tw::ToInt32("2147483648"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt32("-2147483649"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt32("2147483647.5"); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::ToInt32(" "); }, Reason::NotANumber);
}

TEST(RoundToInt32, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(tw::RoundToInt32(2.5), 2);
    EXPECT_EQ(tw::RoundToInt32(3.5), 4);
    EXPECT_EQ(tw::RoundToInt32(-2.5), -2);
    EXPECT_EQ(tw::RoundToInt32(-3.5), -4);
    EXPECT_EQ(tw::RoundToInt32(261.5), 262);
    EXPECT_EQ(tw::RoundToInt32(174.5), 174);
    EXPECT_EQ(tw::RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(tw::RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    ExpectEngineError([] { tw::RoundToInt32(2147483647.5); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::RoundToInt32(-2147483649.0); }, Reason::OutOfRange);
    EXPECT_THROW(tw::RoundToInt32(std::numeric_limits<double>::quiet_NaN()), tw::EngineError);
    EXPECT_THROW(tw::RoundToInt32(std::numeric_limits<double>::infinity()), tw::EngineError);
}

TEST(TextHelpers, TrimOnlyRemovesSpaces) {
    EXPECT_EQ(tw::TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(tw::TrimSpaces("\ta\n"), "\ta\n");
    EXPECT_EQ(tw::TrimSpaces("   "), "");
    EXPECT_EQ(tw::ToLowerAscii("ABC xyz #1 P"), "abc xyz #1 p");
    EXPECT_EQ(tw::ToLowerAscii("\xC4\xD6"), "\xC4\xD6");
}

TEST(TextHelpers, ReplaceAllMakesOnePassFromTheStart) {
    EXPECT_EQ(tw::ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(tw::ReplaceAll("1,2", ",", ",,"), "1,,2");
    EXPECT_EQ(tw::ReplaceAll("(hold 1)(hold 2)", "(hold ", ""), "1)2)");
    EXPECT_EQ(tw::ReplaceAll("abc", "x", "y"), "abc");
}

TEST(NotationNames, NamesAndCommandWords) {
    EXPECT_EQ(tw::NotationName(Notation::RTTTL), "RTTTL");
    EXPECT_EQ(tw::NotationName(Notation::Composer), "Composer");
    EXPECT_EQ(tw::NotationName(Notation::Keypresses), "Keypresses");
    EXPECT_EQ(tw::NotationFromWord("rtttl"), Notation::RTTTL);
    EXPECT_EQ(tw::NotationFromWord("Composer"), Notation::Composer);
    EXPECT_EQ(tw::NotationFromWord("KEYPRESSES"), Notation::Keypresses);
    EXPECT_FALSE(tw::NotationFromWord("wav").has_value());
    EXPECT_FALSE(tw::NotationFromWord("").has_value());
}

}  // namespace

#include <limits>

#include "test_support.h"

namespace {

using namespace twtest;

class IsNumericTest : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(IsNumericTest, Classifies) {
    EXPECT_EQ(tw::IsNumeric(GetParam().first), GetParam().second) << "text \"" << GetParam().first << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, IsNumericTest,
                         ::testing::ValuesIn(std::vector<std::pair<const char*, bool>>{
                             {"16", true},   {" 8", true},  {"4.", true},     {"4-", true},     {"-4", true},
                             {"+4", true},   {".5", true},  {"4.5", true},    {"  32  ", true}, {"0", true},
                             {"", false},    {" ", false},  {"c", false},     {"8c", false},    {"#", false},
                             {".", false},   {"-", false},  {"1.2.3", false}, {"--4", false},   {"-4-", false},
                             {"4 4", false}, {"#5", false}, {"\t4", false},   {" 8f", false}}));

struct IntCase {
    const char* text;
    std::int32_t value;
};

TEST(IntegerValue, RoundsHalvesToEvenWithinRange) {
    const IntCase int16Cases[] = {
        {"4.5", 4},           {"5.5", 6}, {"-2.5", -2},     {"2.5", 2},         {"3.5", 4},         {"4-", -4},
        {" 16 ", 16},         {"0.5", 0}, {"32767", 32767}, {"32767.4", 32767}, {"-32768", -32768}, {"+7", 7},
        {"-32768.5", -32768}, {"8.", 8},  {"2.51", 3},      {"-4.50", -4},
    };
    for (const auto& c : int16Cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tw::ToInt16(c.text), c.value);
        EXPECT_EQ(tw::ToInt32(c.text), c.value);
    }
    EXPECT_EQ(tw::ToInt32("2147483647"), 2147483647);
    EXPECT_EQ(tw::ToInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(tw::ToInt32("32768"), 32768);
    EXPECT_EQ(tw::ToInt32("100-"), -100);
}

TEST(IntegerValue, FailsOutsideRangeOrForNonNumbers) {
    for (const char* text : {"32768", "-32769", "32767.5", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        ExpectEngineError([&] { tw::ToInt16(text); }, Reason::OutOfRange);
    }
    for (const char* text : {"2147483648", "-2147483649", "2147483647.5"}) {
        SCOPED_TRACE(text);
        ExpectEngineError([&] { tw::ToInt32(text); }, Reason::OutOfRange);
    }
    for (const char* text : {"", " ", "c", "5.1."}) {
        SCOPED_TRACE(text);
        ExpectEngineError([&] { tw::ToInt16(text); }, Reason::NotANumber);
        ExpectEngineError([&] { tw::ToInt32(text); }, Reason::NotANumber);
    }
}

TEST(IntegerValue, RoundToInt32) {
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {174.5, 174}, {2147483647.0, 2147483647},
    };
    for (const auto& [value, rounded] : cases) EXPECT_EQ(tw::RoundToInt32(value), rounded) << value;
    ExpectEngineError([] { tw::RoundToInt32(2147483647.5); }, Reason::OutOfRange);
    ExpectEngineError([] { tw::RoundToInt32(-2147483649.0); }, Reason::OutOfRange);
    EXPECT_THROW(tw::RoundToInt32(std::numeric_limits<double>::quiet_NaN()), tw::EngineError);
    EXPECT_THROW(tw::RoundToInt32(std::numeric_limits<double>::infinity()), tw::EngineError);
}

TEST(TextHelpers, TrimLowerAndReplace) {
    EXPECT_EQ(tw::TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(tw::TrimSpaces("\ta\n"), "\ta\n");
    EXPECT_EQ(tw::ToLowerAscii("ABC xyz #1 P\xC4"), "abc xyz #1 p\xC4");
    EXPECT_EQ(tw::ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(tw::ReplaceAll("1,2,", ",", ",,"), "1,,2,,");
}

TEST(TextHelpers, NotationNamesAndWords) {
    EXPECT_EQ(tw::NotationName(Notation::Composer), "Composer");
    EXPECT_EQ(tw::NotationName(Notation::Keypresses), "Keypresses");
    EXPECT_EQ(tw::NotationFromWord("KeyPresses"), Notation::Keypresses);
    EXPECT_EQ(tw::NotationFromWord("rtttl"), Notation::RTTTL);
    EXPECT_FALSE(tw::NotationFromWord("wav").has_value());
}

}  // namespace

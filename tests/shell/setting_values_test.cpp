#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "setting_values.h"

namespace {

using tw::FormatTwips;
using tw::ParseTwips;
using tw::RingToneFolder;

struct TwipsCase {
    const char* text;
    std::optional<float> value;
};

TEST(SettingValues, TwipTextsReadAsDecimalNumbersOnly) {
    const TwipsCase cases[] = {
        {"5460", 5460.0F},     {" 1234.5 ", 1234.5F},  {"-120", -120.0F},     {"+75", 75.0F},
        {".5", 0.5F},          {"10000000", 1e7F},     {"", std::nullopt},    {"abc", std::nullopt},
        {"1234,5", std::nullopt}, {"1e3", std::nullopt}, {"inf", std::nullopt}, {"1.2.3", std::nullopt},
        {"-", std::nullopt},   {"10000001", std::nullopt}, {"5-", std::nullopt},
    };
    for (const TwipsCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        EXPECT_EQ(ParseTwips(c.text), c.value);
    }
}

TEST(SettingValues, TwipsAreWrittenInTheirShortestDecimalForm) {
    EXPECT_EQ(FormatTwips(5460.0F), "5460");
    EXPECT_EQ(FormatTwips(1234.5F), "1234.5");
    EXPECT_EQ(FormatTwips(-120.0F), "-120");
    EXPECT_EQ(FormatTwips(-0.0F), "0");
    EXPECT_EQ(FormatTwips(1e7F), "10000000");  // never "1e+07"
    for (const float value : {0.1F, 9322.5F, 333.33F, -4680.25F, 1e7F})
        EXPECT_EQ(ParseTwips(FormatTwips(value)), value) << FormatTwips(value);
}

TEST(SettingValues, RingToneFolderDropsTheFinalSlashButKeepsTheRoot) {
    EXPECT_EQ(RingToneFolder("/home/ann/tones/"), "/home/ann/tones");
    EXPECT_EQ(RingToneFolder("/home/ann//"), "/home/ann");
    EXPECT_EQ(RingToneFolder("/"), "/");
    EXPECT_EQ(RingToneFolder("///"), "/");
    EXPECT_EQ(RingToneFolder(""), "");
}

}  // namespace

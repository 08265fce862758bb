#include <gtest/gtest.h>

#include <string>

#include "menu_file.h"
#include "web_test_support.h"

namespace {

using tw::MenuFile;

TEST(CommaHalves, BeforeAndAfterTheFirstComma) {
    const struct {
        const char* value;
        const char* before;
        const char* after;
    } cases[] = {
        {"Caption,http://a.test/?x=1,2", "Caption", "http://a.test/?x=1,2"},  // a target may hold commas
        {",x", "", "x"},
        {"no comma", "no comma", "no comma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(tw::TextBeforeComma(c.value), c.before);
        EXPECT_EQ(tw::TextAfterComma(c.value), c.after);
    }
}

TEST(MenuFileStart, OnlyTheExactSectionNameAtTheVeryStart) {
    EXPECT_TRUE(tw::StartsAsMenuFile("[Menu]\r\nVersion=3.3"));
    for (const char* text : {"[menu]\r\n", " [Menu]", "\xEF\xBB\xBF[Menu]", "[Menu", "<html>[Menu]"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(tw::StartsAsMenuFile(text));
    }
}

TEST(MenuFileValues, NamesMatchWithoutCaseValuesAreCutAndMissingReadsEmpty) {
    const std::string longValue = "A," + std::string(600, 'x');
    const MenuFile file = MenuFile::Parse("[MENU]\nversion =  3.4 \n[Ringtones]\r\nTOTAL=2\r1=" + longValue +
                                          "\n[ringtones]\nTotal=9\n");
    EXPECT_EQ(file.ReadIniValue("Menu", "Version"), "3.4");
    EXPECT_EQ(file.ReadIniValue("ringtones", "total"), "2");  // the first section of a name wins
    EXPECT_EQ(file.ReadIniValue("Ringtones", "1"), longValue.substr(0, 499));
    EXPECT_EQ(file.ReadIniValue("Links", "Total"), "");

    const tw::test::WebTempDir dir;
    EXPECT_EQ(tw::ReadIniValue("Menu", "Version", dir / "menu.dat"), "");
    tw::test::WriteBytes(dir / "menu.dat", "[Menu]\r\nVersion=3.5\r\n");
    EXPECT_EQ(tw::ReadIniValue("menu", "VERSION", dir / "menu.dat"), "3.5");
}

}  // namespace

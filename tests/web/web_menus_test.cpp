#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web_menus.h"

namespace {

using tw::MenuEntry;
using tw::MenuFile;
using Entries = std::vector<MenuEntry>;

const std::string Base = "http://127.0.0.1:8077/";

// The entries that a Ringtones section of `lines` gives.
std::optional<Entries> Ringtones(const std::string& lines) {
    return tw::ReadMenuSection(MenuFile::Parse("[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\n" + lines), "Ringtones", Base);
}

TEST(MenuSection, EntriesSkipsAndTheContactRule) {
    const std::string advertise = Base + "advertise.html";
    const struct {
        const char* name;
        std::string lines;
        std::optional<Entries> expected;
    } cases[] = {
        {"key order, commas in targets, separators",
         "Total=3\r\n2=B,http://b.test/?x=1,2\r\n1=A,http://a.test/\r\n3=-,\r\n",
         Entries{{"A", "http://a.test/"}, {"B", "http://b.test/?x=1,2"}, {"-", ""}}},
        {"contact at the end", "Total=2\r\n1=A,http://a.test/\r\n2=Advertise with us,contact\r\n",
         Entries{{"A", "http://a.test/"}, {"-", ""}, {"Advertise with us", advertise}}},
        {"contact not last is no address", "Total=2\r\n1=Ads,contact\r\n2=A,http://a.test/\r\n",
         Entries{{"A", "http://a.test/"}}},
        {"contact is lower case only", "Total=2\r\n1=A,http://a.test/\r\n2=Ads,Contact\r\n", Entries{{"A", "http://a.test/"}}},
        {"values without a comma and missing keys", "Total=5\r\n1=no comma\r\n2=B,http://b.test/\r\n5=\r\n",
         Entries{{"B", "http://b.test/"}}},
        {"hostile targets",
         "Total=6\r\n1=Run,javascript:alert(1)\r\n2=Read,file:///etc/passwd\r\n3=Flag,-http://a.test/\r\n"
         "4=Relative,/local.html\r\n5=Good,https://good.test/\r\n6=-,javascript:void(0)\r\n",
         Entries{{"Good", "https://good.test/"}, {"-", "javascript:void(0)"}}},
        {"only unusable entries", "Total=2\r\n1=A,javascript:x\r\n2=-,\r\n", std::nullopt},
        {"no Total", "1=A,http://a.test/\r\n", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Ringtones(c.lines), c.expected);
    }
}

TEST(MenuSection, TotalIsRoundedAndCappedAt50) {
    std::string sixty;
    for (int i = 1; i <= 60; ++i) sixty += std::to_string(i) + "=Tone " + std::to_string(i) + ",http://a.test/\r\n";
    const struct {
        const char* total;
        std::optional<std::size_t> count;
    } cases[] = {
        {"3", 3}, {"2.5", 2}, {"50", 50}, {"32768", 50}, {"99999999999999999999", 50},
        {"0.5", std::nullopt}, {"-3", std::nullopt}, {"three", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total);
        const auto entries = Ringtones("Total=" + std::string(c.total) + "\r\n" + sixty);
        EXPECT_EQ(entries ? std::optional<std::size_t>(entries->size()) : std::nullopt, c.count);
    }
}

TEST(MenusFor, FileMenusOnlyAboveVersionZeroEachFallingBackToItsDefaults) {
    const tw::WebMenus defaults = tw::DefaultMenus(Base);
    EXPECT_EQ(defaults.Ringtones.back(), (MenuEntry{"Ringtones N - Z", Base + "ringtones3.html"}));
    EXPECT_EQ(defaults.Links, (Entries{{"Have YOUR site listed here! - Click for more info!", Base + "advertise.html"}}));
    const std::string sections =
        "[Ringtones]\r\nTotal=1\r\n1=Top 40,http://rings.test/\r\n[Links]\r\nTotal=x\r\n1=Phones,https://links.test/\r\n";
    for (const char* version : {"", "0", "-1", "abc"}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(tw::MenusFor(MenuFile::Parse("[Menu]\r\nVersion=" + std::string(version) + "\r\n" + sections), Base),
                  defaults);
    }
    const tw::WebMenus read = tw::MenusFor(MenuFile::Parse("[Menu]\r\nVersion=0.1\r\n" + sections), Base);
    EXPECT_EQ(read.Ringtones, (Entries{{"Top 40", "http://rings.test/"}}));
    EXPECT_EQ(read.Links, defaults.Links);  // Total is no number
}

}  // namespace

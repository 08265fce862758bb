// The web menus and the version check without a network: menu.dat values,
// versions, addresses, menu entries, the browser search and the cache.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "support/fifo.h"
#include "web/browser_search.h"
#include "web/menu_file.h"
#include "web/update_check.h"
#include "web/version_number.h"
#include "web/web_address.h"
#include "web/web_menus.h"
#include "web_test_support.h"

namespace {

using tw::FetchOutcome;
using tw::FetchResult;
using tw::MenuEntry;
using tw::MenuFile;
using tw::test::SimpleMenuFile;
using Entries = std::vector<MenuEntry>;

const std::string Base = "http://127.0.0.1:8077/";

TEST(MenuFile, StartAndValues) {
    EXPECT_TRUE(tw::StartsAsMenuFile("[Menu]\r\nVersion=3.3"));
    for (const char* text : {"[menu]\r\n", " [Menu]", "\xEF\xBB\xBF[Menu]", "[Menu", "<html>[Menu]"})
        EXPECT_FALSE(tw::StartsAsMenuFile(text)) << text;
    // Names match without case, the first section of a name wins, values are cut, missing reads empty.
    const std::string longValue = "A," + std::string(600, 'x');
    const MenuFile file =
        MenuFile::Parse("[MENU]\nversion =  3.4 \n[Ringtones]\r\nTOTAL=2\r1=" + longValue + "\n[ringtones]\nTotal=9\n");
    EXPECT_EQ(file.ReadIniValue("Menu", "Version") + "|" + file.ReadIniValue("ringtones", "total") + "|" +
                  file.ReadIniValue("Links", "Total"),
              "3.4|2|");
    EXPECT_EQ(file.ReadIniValue("Ringtones", "1"), longValue.substr(0, 499));
}

TEST(VersionNumber, ReadsDecimalTexts) {
    const std::pair<std::string, std::optional<double>> texts[] = {{" 3.4 ", 3.4},
                                                                   {"3.", 3.0},
                                                                   {"2-", -2.0},
                                                                   {"   ", 0.0},
                                                                   {"3,3", std::nullopt},
                                                                   {"1e3", std::nullopt},
                                                                   {"3.3.1", std::nullopt},
                                                                   {std::string(400, '9'), std::nullopt}};
    for (const auto& [text, value] : texts) EXPECT_EQ(tw::ReadVersionNumber(text), value) << text;
    EXPECT_EQ(std::pair(tw::VersionNumber({3, 3}), tw::VersionNumber({3, 10})), std::pair(3.3, 3.1));  // minor 10: 3.1
}

TEST(WebAddress, OnlyAbsoluteHttpAddressesWithAHost) {
    for (const char* good :
         {"HTTPS://A.TEST/X", "http://127.0.0.1:8077/", "http://[::1]:8077/menu.dat", "http://a.test#top"})
        EXPECT_TRUE(tw::IsWebAddress(good)) << good;
    for (const char* bad : {"javascript:alert(1)", "file:///etc/passwd", "ftp://a.test/", "contact", "-http://a.test/",
                            "http:/a.test/", "http://", "http://:80/", "http://a.test:99999/", "http://user@a.test/",
                            "http://a.test/x y", "http://a.test/\n", "http://a\xC3\xA9.test/", "//a.test/"})
        EXPECT_FALSE(tw::IsWebAddress(bad)) << bad;
}

TEST(WebAddress, TheQueryItemGoesIntoTheQueryBeforeAnyFragment) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"https://tunewright.example/download.html", "https://tunewright.example/download.html?from=TunewrightV3.3"},
        {"http://a.test/page.html?id=5", "http://a.test/page.html?id=5&from=TunewrightV3.3"},
        {"http://a.test/page.html?", "http://a.test/page.html?from=TunewrightV3.3"},
        {"http://a.test/p?a=1&", "http://a.test/p?a=1&from=TunewrightV3.3"},
        {"http://a.test/p?a=1#f?g", "http://a.test/p?a=1&from=TunewrightV3.3#f?g"},
        {"http://a.test/p#one#two", "http://a.test/p?from=TunewrightV3.3#one#two"},
        {"  http://a.test/caf\xC3\xA9 ", "http://a.test/caf%C3%A9?from=TunewrightV3.3"},
        {"javascript:alert(1)", std::nullopt}};
    for (const auto& [address, opened] : cases) EXPECT_EQ(tw::AddressToOpen(address), opened) << address;
    EXPECT_EQ(tw::AddressToOpen("http://a.test/", {3, 10}), "http://a.test/?from=TunewrightV3.10");
}

TEST(WebAddress, BaseUrlIsTheLocalWordThenTheVariableThenTheHomeSite) {
    EXPECT_EQ(tw::ChooseBaseUrl(false, std::nullopt), "https://tunewright.example/");
    EXPECT_EQ(tw::ChooseBaseUrl(true, "http://other.test/"), "http://127.0.0.1:8077/");
    EXPECT_EQ(tw::ChooseBaseUrl(false, " http://127.0.0.1:9000"), "http://127.0.0.1:9000/");
    EXPECT_EQ(tw::ChooseBaseUrl(false, "https://a.test/sub"), "https://a.test/sub/");
    for (const char* unusable : {"file:///tmp/", "http://a.test/?x=1", "http://a.test/#x", ""})
        EXPECT_EQ(tw::ChooseBaseUrl(false, unusable), "https://tunewright.example/") << unusable;
    EXPECT_TRUE(tw::IsLocalCommandLine({"local"}) && !tw::IsLocalCommandLine({"LOCAL"}) &&
                !tw::IsLocalCommandLine({"local", "x"}));
}

// The entries that a Ringtones section of `lines` gives.
std::optional<Entries> Ringtones(const std::string& lines) {
    return tw::ReadMenuSection(MenuFile::Parse("[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\n" + lines), "Ringtones", Base);
}

TEST(MenuSection, EntriesSkipsAndTheContactRule) {
    const std::pair<std::string, std::optional<Entries>> cases[] = {
        // Key order, commas in targets, separators.
        {"Total=3\r\n2=B,http://b.test/?x=1,2\r\n1=A,http://a.test/\r\n3=-,\r\n",
         Entries{{"A", "http://a.test/"}, {"B", "http://b.test/?x=1,2"}, {"-", ""}}},
        // "contact" at the end, and only there and only in lower case, is the advertising page.
        {"Total=2\r\n1=A,http://a.test/\r\n2=Advertise with us,contact\r\n",
         Entries{{"A", "http://a.test/"}, {"-", ""}, {"Advertise with us", Base + "advertise.html"}}},
        {"Total=2\r\n1=Ads,contact\r\n2=A,http://a.test/\r\n", Entries{{"A", "http://a.test/"}}},
        {"Total=2\r\n1=A,http://a.test/\r\n2=Ads,Contact\r\n", Entries{{"A", "http://a.test/"}}},
        // Values without a comma and missing keys.
        {"Total=5\r\n1=no comma\r\n2=B,http://b.test/\r\n5=\r\n", Entries{{"B", "http://b.test/"}}},
        // Entries with no web address are skipped; a separator's target is not looked at.
        {"Total=3\r\n1=Run,javascript:alert(1)\r\n2=Good,https://good.test/\r\n3=-,javascript:void(0)\r\n",
         Entries{{"Good", "https://good.test/"}, {"-", "javascript:void(0)"}}},
        {"Total=2\r\n1=A,javascript:x\r\n2=-,\r\n", std::nullopt},  // only unusable entries
        {"1=A,http://a.test/\r\n", std::nullopt},                   // no Total
    };
    for (const auto& [lines, expected] : cases) EXPECT_EQ(Ringtones(lines), expected) << lines;
}

TEST(MenuSection, TotalIsRoundedAndCappedAt50) {
    std::string sixty;
    for (int i = 1; i <= 60; ++i) sixty += std::to_string(i) + "=Tone " + std::to_string(i) + ",http://a.test/\r\n";
    for (const auto& [total, count] : {std::pair<const char*, std::size_t>{"3", 3},
                                       {"2.5", 2},
                                       {"50", 50},
                                       {"32768", 50},
                                       {"99999999999999999999", 50},
                                       {"0.5", 0},
                                       {"-3", 0},
                                       {"three", 0}})
        EXPECT_EQ(Ringtones("Total=" + std::string(total) + "\r\n" + sixty).value_or(Entries{}).size(), count) << total;
}

TEST(MenusFor, FileMenusOnlyAboveVersionZeroEachFallingBackToItsDefaults) {
    const tw::WebMenus defaults = tw::DefaultMenus(Base);
    EXPECT_EQ(defaults.Ringtones.back(), (MenuEntry{"Ringtones N - Z", Base + "ringtones3.html"}));
    const std::string sections =
        "[Ringtones]\r\nTotal=1\r\n1=Top "
        "40,http://rings.test/\r\n[Links]\r\nTotal=x\r\n1=Phones,https://links.test/\r\n";
    for (const char* version : {"", "0", "-1", "abc"})
        EXPECT_EQ(tw::MenusFor(MenuFile::Parse("[Menu]\r\nVersion=" + std::string(version) + "\r\n" + sections), Base),
                  defaults)
            << version;
    const tw::WebMenus read = tw::MenusFor(MenuFile::Parse("[Menu]\r\nVersion=0.1\r\n" + sections), Base);
    EXPECT_EQ(read.Ringtones, (Entries{{"Top 40", "http://rings.test/"}}));
    EXPECT_EQ(read.Links, defaults.Links);  // Total is no number
}

TEST(FindBrowser, FirstCandidateThatIsAnExecutableFileInAnAbsoluteFolder) {
    const tw::test::TempDir dir;
    for (const auto& [program, mode] :
         {std::pair{"first/firefox", 0755}, {"second/xdg-open", 0755}, {"plain/xdg-open", 0644}}) {
        std::filesystem::create_directories((dir / program).parent_path());
        tw::test::WriteBytes(dir / program, "#!/bin/sh\n");
        ::chmod((dir / program).c_str(), mode);
    }
    std::filesystem::create_directories(dir / "folder/xdg-open");  // a folder of that name is no program
    const auto in = [&dir](const char* folder) { return (dir / folder).string(); };
    EXPECT_EQ(tw::FindBrowser(in("first") + ":" + in("second")), dir / "second/xdg-open");  // candidate order wins
    EXPECT_EQ(tw::FindBrowser(":relative:" + in("plain") + "::" + in("folder") + ":" + in("first")),
              dir / "first/firefox");
    EXPECT_EQ(tw::FindBrowser(in("plain") + ":" + in("folder")), std::nullopt);
}

FetchResult Document(std::string body, int status = 200) {
    return {FetchOutcome::Document, status, std::move(body), {}};
}
FetchResult Failure(FetchOutcome outcome) { return {outcome, 0, {}, "detail"}; }

TEST(UpdateCheck, FetchOutcomesAgainstTheCache) {
    const std::optional<std::string> none;
    const std::string atLimit = "[Menu]" + std::string(tw::MaxDocumentSize - 6, ' ');
    const struct {
        FetchResult fetch;
        std::optional<std::string> cached;
        bool silent, stored;
        std::optional<std::string> box;
        std::string firstRingtone;
    } cases[] = {
        {Failure(FetchOutcome::HostNotFound), none, true, false, none, "Ringtones A - E"},  // offline first start
        {Failure(FetchOutcome::CannotConnect), SimpleMenuFile("3.4"), false, false, "Not Connected", "Top 40"},
        {Document(SimpleMenuFile("3.4")), none, true, true, "New Version Available!",
         "Top 40"},  // asked when quiet too
        {Document(SimpleMenuFile("3.3")), none, true, true, none, "Top 40"},
        {Document(SimpleMenuFile("3.25")), none, false, true, none, "Top 40"},  // older than 3.3
        {Document(atLimit), none, true, true, none, "Ringtones A - E"},         // exactly 64 KiB
        {Document(atLimit + " "), SimpleMenuFile("3.3"), false, false, "No New Version Available", "Top 40"},
        {Failure(FetchOutcome::TimedOut), SimpleMenuFile("3.4"), true, false, "New Version Available!",
         "Top 40"},  // reached
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.fetch.Outcome) << " " << c.fetch.HttpStatus << " "
                                        << c.fetch.Body.substr(0, 20));
        const tw::UpdateCheck check = tw::DecideUpdateCheck(c.fetch, c.cached, c.silent, Base);
        EXPECT_EQ(check.Reached, !c.fetch.Unreachable());
        EXPECT_EQ(check.NewCache, c.stored ? std::optional(c.fetch.Body + "\r\n") : std::nullopt);
        EXPECT_EQ(check.Refusal.has_value(), !c.stored);
        EXPECT_EQ(check.Box ? std::optional(check.Box->Title) : std::nullopt, c.box);
        EXPECT_EQ(check.Menus.Ringtones.front().Caption, c.firstRingtone);
    }
}

TEST(UpdateCheck, ATakenFileReplacesTheCacheAndOthersLeaveIt) {
    const tw::test::TempDir dir;
    const auto cache = dir / "menu.dat";
    tw::CheckForUpdates(Document(SimpleMenuFile("3.3")), cache, true, Base);
    const tw::UpdateCheck refused = tw::CheckForUpdates(Document(SimpleMenuFile("9"), 500), cache, false, Base);
    EXPECT_EQ(refused.CacheProblem, std::nullopt);
    EXPECT_EQ(refused.Box->Title, "No New Version Available");  // the cache read back
    EXPECT_EQ(tw::test::ReadBytes(cache), SimpleMenuFile("3.3") + "\r\n");
    EXPECT_EQ(tw::test::FilesIn(dir.path()), std::set<std::string>{"menu.dat"});  // no temporary file left
    // A folder in the way can be neither read nor renamed over: told, and the menus follow the fetch.
    std::filesystem::remove(cache);
    std::filesystem::create_directory(cache);
    tw::test::WriteBytes(cache / "keep", "x");
    const tw::UpdateCheck check = tw::CheckForUpdates(
        Document("[Menu]\r\nVersion=3.4\r\n[Links]\r\nTotal=1\r\n1=New,http://new.test/\r\n"), cache, true, Base);
    EXPECT_TRUE(check.CacheProblem.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(cache));
    EXPECT_EQ(tw::test::FilesIn(dir.path()), std::set<std::string>{"menu.dat"});
    EXPECT_EQ(check.Menus.Links.front().Caption, "New");
}

TEST(UpdateCheck, AMenuFileThatIsAFifoIsReportedWithoutWaitingForAWriter) {
    const tw::test::TempDir dir;
    const auto cache = dir / "menu.dat";
    tw::test::MakeFifo(cache);
    tw::UpdateCheck check;
    EXPECT_TRUE(tw::test::FinishesWithoutWriter(
        cache, [&] { check = tw::CheckForUpdates(Failure(FetchOutcome::HostNotFound), cache, true, Base); }));
    EXPECT_EQ(check.CacheProblem, "could not read " + cache.string() + ": it is a FIFO, not a regular file");
}

}  // namespace

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "update_check.h"
#include "web_test_support.h"

namespace {

using tw::FetchOutcome;
using tw::FetchResult;
using tw::test::SimpleMenuFile;

const std::string Base = "http://127.0.0.1:8077/";

FetchResult Document(std::string body, int status = 200) { return {FetchOutcome::Document, status, std::move(body), {}}; }
FetchResult Failure(FetchOutcome outcome) { return {outcome, 0, {}, "detail"}; }

TEST(DecideUpdateCheck, FetchOutcomesAgainstTheCache) {
    const std::optional<std::string> none;
    const std::string atLimit = "[Menu]" + std::string(tw::MaxDocumentSize - 6, ' ');
    const struct {
        const char* name;
        FetchResult fetch;
        std::optional<std::string> cached;
        bool silent;
        bool stored;
        std::optional<std::string> box;
        std::string firstRingtone;
    } cases[] = {
        {"offline first start", Failure(FetchOutcome::HostNotFound), none, true, false, none, "Ringtones A - E"},
        {"offline from the menu, no comparing", Failure(FetchOutcome::CannotConnect), SimpleMenuFile("3.4"), false,
         false, "Not Connected", "Top 40"},
        {"newer at start", Document(SimpleMenuFile("3.4")), none, true, true, "New Version Available!", "Top 40"},
        {"equal from the menu", Document(SimpleMenuFile("3.3")), SimpleMenuFile("9"), false, true,
         "No New Version Available", "Top 40"},
        {"exactly 64 KiB", Document(atLimit), none, true, true, none, "Ringtones A - E"},
        {"one byte more", Document(atLimit + " "), SimpleMenuFile("3.3"), false, false, "No New Version Available",
         "Top 40"},
        {"an error page compares with the cache", Document(SimpleMenuFile("9"), 404), SimpleMenuFile("3.3"), false,
         false, "No New Version Available", "Top 40"},
        {"a time-out compares with the cache", Failure(FetchOutcome::TimedOut), SimpleMenuFile("3.4"), true, false,
         "New Version Available!", "Top 40"},
        {"lower-case [menu]", Document("[menu]\r\nVersion=3.4\r\n"), SimpleMenuFile("3.3"), true, false, none, "Top 40"},
        {"a version that is no number", Document(SimpleMenuFile("new")), none, false, true, none, "Ringtones A - E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const tw::UpdateCheck check = tw::DecideUpdateCheck(c.fetch, c.cached, c.silent, Base);
        EXPECT_EQ(check.Reached, !c.fetch.Unreachable());
        EXPECT_EQ(check.NewCache, c.stored ? std::optional<std::string>(c.fetch.Body + "\r\n") : std::nullopt);
        EXPECT_EQ(check.Refusal.has_value(), !c.stored);
        EXPECT_EQ(check.Box ? std::optional<std::string>(check.Box->Title) : std::nullopt, c.box);
        EXPECT_EQ(check.Menus.Ringtones.front().Caption, c.firstRingtone);
    }
}

TEST(CheckForUpdates, ATakenFileReplacesTheCacheAndOthersLeaveIt) {
    const tw::test::WebTempDir dir;
    const auto cache = dir / "menu.dat";
    tw::CheckForUpdates(Failure(FetchOutcome::HostNotFound), cache, true, Base);
    EXPECT_FALSE(std::filesystem::exists(cache));

    tw::CheckForUpdates(Document(SimpleMenuFile("3.3")), cache, true, Base);
    for (const FetchResult& fetch : {Document("[menu]\r\nVersion=9\r\n"), Document(SimpleMenuFile("9"), 500)}) {
        const tw::UpdateCheck check = tw::CheckForUpdates(fetch, cache, false, Base);
        EXPECT_EQ(check.CacheProblem, std::nullopt);
        EXPECT_EQ(check.Menus.Ringtones.front().Caption, "Top 40");
    }
    EXPECT_EQ(tw::test::ReadBytes(cache), SimpleMenuFile("3.3") + "\r\n");
    EXPECT_EQ(tw::test::FilesIn(dir.path()), std::set<std::string>{"menu.dat"});  // no temporary file left
}

TEST(CheckForUpdates, ACacheThatCannotBeReplacedIsToldAndTheMenusFollowTheFetch) {
    const tw::test::WebTempDir dir;
    const auto cache = dir / "menu.dat";
    std::filesystem::create_directory(cache);  // a folder in the way can be neither read nor renamed over
    tw::test::WriteBytes(cache / "keep", "x");
    const tw::UpdateCheck check = tw::CheckForUpdates(
        Document("[Menu]\r\nVersion=3.4\r\n[Links]\r\nTotal=1\r\n1=New,http://new.test/\r\n"), cache, true, Base);
    ASSERT_TRUE(check.CacheProblem.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(cache));
    EXPECT_EQ(tw::test::FilesIn(dir.path()), std::set<std::string>{"menu.dat"});
    EXPECT_EQ(check.Menus.Links.front().Caption, "New");
}

}  // namespace

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_run.h"
#include "test_http_server.h"
#include "web_test_support.h"

namespace {

using tw::test::CliRun;
using tw::test::SimpleMenuFile;

const std::string NoNewVersion = "No New Version Available\nYou already have the latest version of the Tunewright.\n";

// Every test has a program directory of its own and a site on 127.0.0.1.
class WebCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"TUNEWRIGHT_HOME", "TUNEWRIGHT_BASE_URL"})
            saved.emplace_back(name, ::getenv(name) ? std::optional<std::string>(::getenv(name)) : std::nullopt);
        ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1);
        ASSERT_TRUE(server.Listening());
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

    CliRun Web(std::vector<std::string> args) {
        args.insert(args.begin(), "web");
        return tw::test::RunTunewright(args);
    }
    std::string Cache() const { return tw::test::ReadBytes(home / "menu.dat"); }

    tw::test::WebTempDir home;
    tw::test::TestHttpServer server;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(WebCliTest, MenusFetchesCachesAndPrintsBothMenus) {
    const std::string menu = "[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\nTotal=1\r\n1=Top 40,http://rings.test/top40.html\r\n"
                             "[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n2=Advertise with us,contact\r\n";
    server.Serve(menu);
    const CliRun run = Web({"menus"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Version: 3.3\nLatest Ringtones:\n  Top 40\thttp://rings.test/top40.html\nTop Mobile Sites:\n"
                       "  Phones\thttps://links.test/\n  -\n  Advertise with us\t" + server.BaseUrl() + "advertise.html\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Cache(), menu + "\r\n");
    EXPECT_EQ(server.LastRequestLine(), "GET /menu.dat HTTP/1.1");
}

TEST_F(WebCliTest, CheckPrintsTheBoxOfEachVersion) {
    const std::pair<const char*, std::string> cases[] = {
        {"3.4", "New Version Available!\nA newer version of this program is now available with bug fixes and new "
                "features.\n\nWould you like to go to the download page now?\nYes opens " + server.BaseUrl() +
                "download.html?from=TunewrightV3.3\n"},
        {"3.3", NoNewVersion},
        {"3.25", ""}};
    for (const auto& [version, out] : cases) {
        server.Serve(SimpleMenuFile(version));
        const CliRun run = Web({"check"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(Cache(), SimpleMenuFile(version) + "\r\n");
    }
}

TEST_F(WebCliTest, AHostileMenuFileGivesSaneMenusAndRefusedFilesKeepTheCache) {
    std::string hostile = "[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\nTotal=2147483647\r\n";
    for (int i = 1; i <= 200; ++i) hostile += std::to_string(i) + "=Tone " + std::to_string(i) + ",http://a.test/\r\n";
    hostile += "[Links]\r\nTotal=4\r\n1=Run,javascript:alert(document.cookie)\r\n2=Read,file:///etc/passwd\r\n"
               "3=Flag,--new-window\r\n4=Fine,https://fine.test/\r\n";
    server.Serve(hostile);
    const CliRun run = Web({"menus"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("  Tone 50\t"), std::string::npos);
    EXPECT_EQ(run.out.find("  Tone 51\t"), std::string::npos);
    EXPECT_NE(run.out.find("Top Mobile Sites:\n  Fine\thttps://fine.test/\n"), std::string::npos) << run.out;
    for (const char* bad : {"javascript:", "file:", "--new-window"}) EXPECT_EQ(run.out.find(bad), std::string::npos);
    // A lower-case [menu] and a file of 1 MiB are refused.
    for (const std::string& body : {std::string("[menu]\r\nVersion=9\r\n"), "[Menu]\r\n" + std::string(1 << 20, ';')}) {
        server.Serve(body);
        const CliRun refused = Web({"check"});
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.out, NoNewVersion);
        EXPECT_NE(refused.err.find("error: menu.dat was not updated"), std::string::npos) << refused.err;
        EXPECT_EQ(Cache(), hostile + "\r\n");
    }
}

TEST_F(WebCliTest, AnUnreachableSiteAndUnusableCommandLines) {
    server.Serve(SimpleMenuFile("3.4"));
    ASSERT_EQ(Web({"check"}).code, 0);
    ::setenv("TUNEWRIGHT_BASE_URL", tw::test::RefusedBaseUrl().c_str(), 1);
    CliRun run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("error: Not Connected: You need to be connected to the internet to check for a newer "
                            "version of the Tunewright.", 0), 0u) << run.err;
    run = Web({"menus"});  // as at start: quiet, the menus from the cache
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out.rfind("Version: 3.4\nLatest Ringtones:\n  Top 40\t", 0), 0u) << run.out;
    EXPECT_EQ(Cache(), SimpleMenuFile("3.4") + "\r\n");

    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"check", "remote"}, {"menus", "local", "x"}}) {
        run = Web(args);
        EXPECT_EQ(run.code, 64) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
    }
    ::setenv("TUNEWRIGHT_BASE_URL", "file:///etc/", 1);
    run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("TUNEWRIGHT_BASE_URL"), std::string::npos);
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_EQ(Web({"open", "javascript:alert(1)"}).code, 2);
}

}  // namespace

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
using tw::test::TestHttpServer;

// Every test has a program directory of its own and a site on 127.0.0.1.
class WebCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        Save("TUNEWRIGHT_HOME");
        Save("TUNEWRIGHT_BASE_URL");
        ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1);
        ASSERT_TRUE(server.Listening());
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }
    void Save(const std::string& name) {
        const char* value = ::getenv(name.c_str());
        saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }

    CliRun Web(std::vector<std::string> args) {
        args.insert(args.begin(), "web");
        return tw::test::RunTunewright(args);
    }
    std::string Cache() const { return tw::test::ReadBytes(home / "menu.dat"); }
    void UseRefusedPort() {
        const std::string base = "http://127.0.0.1:" + std::to_string(tw::test::RefusedPort()) + "/";
        ::setenv("TUNEWRIGHT_BASE_URL", base.c_str(), 1);
    }

    tw::test::WebTempDir home;
    TestHttpServer server;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

const char* const ContactMenu =
    "[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\nTotal=1\r\n1=Top 40,http://rings.test/top40.html\r\n"
    "[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n2=Advertise with us,contact\r\n";

TEST_F(WebCliTest, MenusFetchesCachesAndPrintsBothMenus) {
    server.Serve(ContactMenu);
    const CliRun run = Web({"menus"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Version: 3.3\n"
              "Latest Ringtones:\n"
              "  Top 40\thttp://rings.test/top40.html\n"
              "Top Mobile Sites:\n"
              "  Phones\thttps://links.test/\n"
              "  -\n"
              "  Advertise with us\t" + server.BaseUrl() + "advertise.html\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Cache(), std::string(ContactMenu) + "\r\n");
    EXPECT_EQ(server.LastRequestLine(), "GET /menu.dat HTTP/1.1");
}

TEST_F(WebCliTest, CheckPrintsTheBoxOfEachVersion) {
    const struct {
        const char* version;
        std::string out;
    } cases[] = {
        {"3.4", "New Version Available!\n"
                "A newer version of this program is now available with bug fixes and new features.\n\n"
                "Would you like to go to the download page now?\n"
                "Yes opens " + server.BaseUrl() + "download.html?from=TunewrightV3.3\n"},
        {"3.3", "No New Version Available\nYou already have the latest version of the Tunewright.\n"},
        {"3.25", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        server.Serve(SimpleMenuFile(c.version));
        const CliRun run = Web({"check"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(Cache(), SimpleMenuFile(c.version) + "\r\n");
    }
}

TEST_F(WebCliTest, AHostileMenuFileGivesSaneMenus) {
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

    for (const std::string& body : {std::string("[menu]\r\nVersion=9\r\n"), "[Menu]\r\n" + std::string(1 << 20, ';')}) {
        server.Serve(body);
        const CliRun refused = Web({"check"});
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.out, "No New Version Available\nYou already have the latest version of the Tunewright.\n");
        EXPECT_NE(refused.err.find("error: menu.dat was not updated"), std::string::npos) << refused.err;
        EXPECT_EQ(Cache(), hostile + "\r\n");
    }
}

TEST_F(WebCliTest, AnUnreachableSite) {
    server.Serve(SimpleMenuFile("3.4"));
    ASSERT_EQ(Web({"check"}).code, 0);
    UseRefusedPort();

    CliRun run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("error: Not Connected: You need to be connected to the internet to check for a newer "
                            "version of the Tunewright.", 0),
              0u)
        << run.err;

    run = Web({"menus"});  // as at start: quiet, the menus from the cache
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out.rfind("Version: 3.4\nLatest Ringtones:\n  Top 40\t", 0), 0u) << run.out;
    EXPECT_EQ(Cache(), SimpleMenuFile("3.4") + "\r\n");
}

TEST_F(WebCliTest, UsageAndBadBaseAddresses) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"check", "remote"}, {"menus", "local", "x"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = Web(args);
        EXPECT_EQ(run.code, 64);
        EXPECT_EQ(run.out, "");
    }
    ::setenv("TUNEWRIGHT_BASE_URL", "file:///etc/", 1);
    const CliRun run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("TUNEWRIGHT_BASE_URL"), std::string::npos);
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_EQ(Web({"open", "javascript:alert(1)"}).code, 2);
}

}  // namespace

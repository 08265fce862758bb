// The web commands of the command line against a site on 127.0.0.1: their
// output, error output, exit codes and the cached menu.dat.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/test_http_server.h"
#include "web_test_support.h"

namespace {

using tw::test::CliRun;
using tw::test::SimpleMenuFile;

const std::string NoNewVersion = "No New Version Available\nYou already have the latest version of the Tunewright.\n";

class WebCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Listening());
        ::setenv("TUNEWRIGHT_HOME", home.path().c_str(), 1);
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("TUNEWRIGHT_HOME");
        ::unsetenv("TUNEWRIGHT_BASE_URL");
    }

    CliRun Web(std::vector<std::string> args) {
        args.insert(args.begin(), "web");
        return tw::test::RunTunewright(args);
    }
    std::string Cache() const { return tw::test::ReadBytes(home / "menu.dat"); }

    tw::test::TempDir home;
    tw::test::TestHttpServer server;
};

TEST_F(WebCliTest, MenusAndCheckFetchCacheAndPrint) {
    const std::string menu =
        "[Menu]\r\nVersion=3.3\r\n[Ringtones]\r\nTotal=1\r\n1=Top 40,http://rings.test/top40.html\r\n"
        "[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n2=Advertise with us,contact\r\n";
    server.Serve(menu);
    CliRun run = Web({"menus"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Version: 3.3\nLatest Ringtones:\n  Top 40\thttp://rings.test/top40.html\nTop Mobile Sites:\n"
              "  Phones\thttps://links.test/\n  -\n  Advertise with us\t" +
                  server.BaseUrl() + "advertise.html\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Cache(), menu + "\r\n");
    server.Serve("[menu]\r\nVersion=3.4\r\n");  // refused: the cache answers, and the refusal is told
    run = Web({"check"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, NoNewVersion);
    EXPECT_NE(run.err.find("error: menu.dat was not updated"), std::string::npos) << run.err;
    server.Serve(SimpleMenuFile("3.4"));
    run = Web({"check"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "New Version Available!\nA newer version of this program is now available with bug fixes and new "
              "features.\n\nWould you like to go to the download page now?\nYes opens " +
                  server.BaseUrl() + "download.html?from=TunewrightV3.3\n");
}

TEST_F(WebCliTest, AnUnreachableSiteAndUnusableCommandLines) {
    tw::test::WriteBytes(home / "menu.dat", SimpleMenuFile("3.3"));
    ::setenv("TUNEWRIGHT_BASE_URL", tw::test::RefusedBaseUrl().c_str(), 1);
    CliRun run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("error: Not Connected: You need to be connected to the internet to check for a newer "
                            "version of the Tunewright.",
                            0),
              0u)
        << run.err;
    run = Web({"menus"});  // as at start: quiet, the menus from the cache
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out.rfind("Version: 3.3\nLatest Ringtones:\n  Top 40\t", 0), 0u) << run.out;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"check", "remote"}, {"menus", "local", "x"}}) {
        run = Web(args);
        EXPECT_EQ(run.code, 64) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
    }
    ::setenv("TUNEWRIGHT_BASE_URL", "file:///etc/", 1);
    run = Web({"check"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("TUNEWRIGHT_BASE_URL"), std::string::npos);
    EXPECT_EQ(Web({"open", "javascript:alert(1)"}).code, 2);
    EXPECT_EQ(server.Requests(), 0);
}

}  // namespace

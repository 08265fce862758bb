// The real HTTP client against a server on 127.0.0.1, and the browser
// launcher with a stand-in browser.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "qt_browser.h"
#include "qt_web_fetcher.h"
#include "test_http_server.h"
#include "web_test_support.h"

namespace {

using tw::FetchOutcome;
using tw::FetchResult;
using tw::test::HttpAnswer;
using tw::test::TestHttpServer;

// The Qt tests run on one QCoreApplication, made before the first test and
// gone after the last.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[10] = "web_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

::testing::Environment* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

TEST(QtWebFetcher, AnswersOfEveryStatusAndSize) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    const std::string limit(tw::MaxDocumentSize, 'x'), mebibyte(1 << 20, 'x');
    const struct {
        std::string answer;
        FetchOutcome outcome;
        int status;
        std::string body;
    } cases[] = {
        {HttpAnswer(200, tw::test::SimpleMenuFile("3.4")), FetchOutcome::Document, 200, tw::test::SimpleMenuFile("3.4")},
        {HttpAnswer(404, "<html>gone</html>"), FetchOutcome::Document, 404, "<html>gone</html>"},
        {HttpAnswer(200, limit), FetchOutcome::Document, 200, limit},  // exactly 64 KiB
        {HttpAnswer(200, limit + "x"), FetchOutcome::OtherError, 0, ""},
        {HttpAnswer(200, mebibyte, false), FetchOutcome::OtherError, 0, ""},  // 1 MiB until the connection closes
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[Menu]", FetchOutcome::OtherError, 0, ""},  // cut short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.substr(0, 40) + "... " + std::to_string(c.answer.size()) + " bytes");
        server.Answer(c.answer);
        const FetchResult result = tw::FetchDocument(server.BaseUrl() + "menu.dat");
        EXPECT_EQ(result.Outcome, c.outcome) << result.Detail;
        EXPECT_EQ(result.HttpStatus, c.status);
        EXPECT_EQ(result.Body, c.body);
        EXPECT_EQ(server.LastRequestLine(), "GET /menu.dat HTTP/1.1");
    }
}

TEST(QtWebFetcher, RefusedSilentAndNonWebAddressesEndTheWait) {
    FetchResult result = tw::FetchDocument(tw::test::RefusedBaseUrl() + "menu.dat");
    EXPECT_EQ(result.Outcome, FetchOutcome::CannotConnect) << result.Detail;
    EXPECT_TRUE(result.Unreachable());
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.Answer("", true);
    result = tw::FetchDocument(server.BaseUrl() + "menu.dat");
    EXPECT_EQ(result.Outcome, FetchOutcome::TimedOut);
    EXPECT_FALSE(result.Unreachable());
    EXPECT_EQ(server.Requests(), 1);
    // Only web addresses are fetched, and the answer never comes from within Fetch.
    tw::QtWebFetcher fetcher;
    std::optional<FetchResult> fileResult;
    QEventLoop loop;
    ASSERT_TRUE(fetcher.Fetch("file:///etc/passwd", [&](FetchResult r) {
        fileResult = std::move(r);
        loop.quit();
    }));
    EXPECT_FALSE(fileResult.has_value());
    loop.exec();
    ASSERT_TRUE(fileResult.has_value());
    EXPECT_EQ(fileResult->Outcome, FetchOutcome::OtherError);
}

TEST(QtWebFetcher, OneFetchAtATimeAndAbortDropsIt) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.Answer("", true);
    tw::QtWebFetcher fetcher;
    std::optional<FetchResult> result;
    QEventLoop loop;
    const auto keep = [&](FetchResult r) {
        result = std::move(r);
        loop.quit();
    };
    ASSERT_TRUE(fetcher.Fetch(server.BaseUrl() + "menu.dat", keep));
    EXPECT_TRUE(fetcher.Busy());
    EXPECT_FALSE(fetcher.Fetch(server.BaseUrl() + "menu.dat", keep));
    QTimer::singleShot(300, &loop, [&] { fetcher.Abort(); });
    QTimer::singleShot(600, &loop, [&] { loop.quit(); });
    loop.exec();
    EXPECT_FALSE(result.has_value());
    EXPECT_FALSE(fetcher.Busy());
    EXPECT_EQ(server.Requests(), 1);
    server.Serve("[Menu]");  // free again: the next fetch runs
    ASSERT_TRUE(fetcher.Fetch(server.BaseUrl() + "menu.dat", keep));
    loop.exec();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Body, "[Menu]");
}

// PATH holds only a folder with a stand-in browser that writes down how it
// was called: the number of its arguments, then each argument on a line.
TEST(OpenWebPage, TheAddressWithTheQueryItemIsTheOneArgumentAndOtherAddressesAreNeverOpened) {
    tw::test::WebTempDir dir;
    const std::string folder = dir.path().string();
    tw::test::WriteBytes(dir / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + folder + "/call.tmp'\n"
                                           "/bin/mv '" + folder + "/call.tmp' '" + folder + "/call'\n");
    ::chmod((dir / "xdg-open").c_str(), 0755);
    const std::string savedPath = ::getenv("PATH") ? ::getenv("PATH") : "";
    ::setenv("PATH", folder.c_str(), 1);
    for (const char* address : {"javascript:alert(1)", "file:///etc/passwd", "--help"})
        EXPECT_FALSE(tw::OpenWebPage(address)) << address;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(dir / "call"));
    // No shell ever sees the address.
    EXPECT_TRUE(tw::OpenWebPage("http://a.test/p?id=5&x=`id`;$(id)#top"));
    for (int i = 0; i < 100 && !std::filesystem::exists(dir / "call"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(tw::test::ReadBytes(dir / "call"), "1\nhttp://a.test/p?id=5&x=`id`;$(id)&from=TunewrightV3.3#top\n");
    ::setenv("PATH", savedPath.c_str(), 1);
}

}  // namespace

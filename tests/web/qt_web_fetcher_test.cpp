#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <QEventLoop>
#include <QTimer>

#include "qt_web_fetcher.h"
#include "test_http_server.h"
#include "web_test_support.h"

namespace {

using tw::FetchOutcome;
using tw::FetchResult;
using tw::test::TestHttpServer;

FetchResult Fetch(const std::string& address) { return tw::FetchDocument(address); }

TEST(QtWebFetcher, GetsTheDocumentAtBaseAddressPlusName) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.Serve(tw::test::SimpleMenuFile("3.4"));
    const FetchResult result = Fetch(server.BaseUrl() + "menu.dat");
    EXPECT_EQ(result.Outcome, FetchOutcome::Document);
    EXPECT_EQ(result.HttpStatus, 200);
    EXPECT_EQ(result.Body, tw::test::SimpleMenuFile("3.4"));
    EXPECT_EQ(server.LastRequestLine(), "GET /menu.dat HTTP/1.1");
}

TEST(QtWebFetcher, AnswersOfEveryStatusAndSize) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    const std::string limit(tw::MaxDocumentSize, 'x');
    const std::string megabyte(1 << 20, 'x');
    const struct {
        const char* name;
        std::string answer;
        FetchOutcome outcome;
        int status;
        std::size_t bodySize;
    } cases[] = {
        {"not found", tw::test::HttpAnswer(404, "<html>gone</html>"), FetchOutcome::Document, 404, 17},
        {"exactly 64 KiB", tw::test::HttpAnswer(200, limit), FetchOutcome::Document, 200, limit.size()},
        {"64 KiB and one byte", tw::test::HttpAnswer(200, limit + "x"), FetchOutcome::OtherError, 0, 0},
        {"1 MB until the connection closes", tw::test::HttpAnswer(200, megabyte, false), FetchOutcome::OtherError, 0, 0},
        {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[Menu]", FetchOutcome::OtherError, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.Answer(c.answer);
        const FetchResult result = Fetch(server.BaseUrl() + "menu.dat");
        EXPECT_EQ(result.Outcome, c.outcome) << result.Detail;
        EXPECT_EQ(result.HttpStatus, c.status);
        EXPECT_EQ(result.Body.size(), c.bodySize);
    }
}

TEST(QtWebFetcher, ARefusedPortCannotConnect) {
    const FetchResult result = Fetch("http://127.0.0.1:" + std::to_string(tw::test::RefusedPort()) + "/menu.dat");
    EXPECT_EQ(result.Outcome, FetchOutcome::CannotConnect) << result.Detail;
    EXPECT_TRUE(result.Unreachable());
}

TEST(QtWebFetcher, AServerThatNeverAnswersEndsTheWait) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.NeverAnswer();
    const FetchResult result = Fetch(server.BaseUrl() + "menu.dat");
    EXPECT_EQ(result.Outcome, FetchOutcome::TimedOut);
    EXPECT_FALSE(result.Unreachable());
    EXPECT_EQ(server.Requests(), 1);
}

TEST(QtWebFetcher, OnlyWebAddressesAreFetched) {
    tw::QtWebFetcher fetcher;
    std::optional<FetchResult> result;
    QEventLoop loop;
    ASSERT_TRUE(fetcher.Fetch("file:///etc/passwd", [&](FetchResult r) {
        result = std::move(r);
        loop.quit();
    }));
    EXPECT_FALSE(result.has_value());  // never from within Fetch
    loop.exec();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Outcome, FetchOutcome::OtherError);
}

TEST(QtWebFetcher, OneFetchAtATimeAndAbortDropsIt) {
    TestHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.NeverAnswer();
    tw::QtWebFetcher fetcher;
    bool called = false;
    ASSERT_TRUE(fetcher.Fetch(server.BaseUrl() + "menu.dat", [&](FetchResult) { called = true; }));
    EXPECT_TRUE(fetcher.Busy());
    EXPECT_FALSE(fetcher.Fetch(server.BaseUrl() + "menu.dat", [&](FetchResult) { called = true; }));

    QEventLoop loop;
    QTimer::singleShot(300, &loop, [&] { fetcher.Abort(); });
    QTimer::singleShot(600, &loop, [&] { loop.quit(); });
    loop.exec();
    EXPECT_FALSE(called);
    EXPECT_FALSE(fetcher.Busy());
    EXPECT_EQ(server.Requests(), 1);

    // Free again: the next fetch runs.
    server.Serve("[Menu]");
    std::optional<FetchResult> result;
    ASSERT_TRUE(fetcher.Fetch(server.BaseUrl() + "menu.dat", [&](FetchResult r) {
        result = std::move(r);
        loop.quit();
    }));
    loop.exec();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Body, "[Menu]");
}

}  // namespace

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

#include "support/test_http_server.h"
#include "web/qt/qt_browser.h"
#include "web/qt/qt_web_fetcher.h"
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
        {HttpAnswer(200, tw::test::SimpleMenuFile("3.4")), FetchOutcome::Document, 200,
         tw::test::SimpleMenuFile("3.4")},
        {HttpAnswer(404, "<html>gone</html>"), FetchOutcome::Document, 404, "<html>gone</html>"},
        {HttpAnswer(200, limit), FetchOutcome::Document, 200, limit},  // exactly 64 KiB
        {HttpAnswer(200, limit + "x"), FetchOutcome::OtherError, 0, ""},
        {HttpAnswer(200, mebibyte, false), FetchOutcome::OtherError, 0, ""},  // 1 MiB until the connection closes
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[Menu]", FetchOutcome::OtherError, 0, ""},  // cut short
        {"", FetchOutcome::TimedOut, 0, ""},  // no answer within the time limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.substr(0, 40) + "... " + std::to_string(c.answer.size()) + " bytes");
        server.Answer(c.answer, c.answer.empty());
        const FetchResult result = tw::FetchDocument(server.BaseUrl() + "menu.dat", {std::chrono::milliseconds(500)});
        EXPECT_EQ(result.Outcome, c.outcome) << result.Detail;
        EXPECT_EQ(result.HttpStatus, c.status);
        EXPECT_EQ(result.Body, c.body);
        EXPECT_EQ(server.LastRequestLine(), "GET /menu.dat HTTP/1.1");
    }
    EXPECT_EQ(tw::FetchDocument(tw::test::RefusedBaseUrl() + "menu.dat").Outcome, FetchOutcome::CannotConnect);
    EXPECT_EQ(tw::FetchDocument("file:///etc/passwd").Outcome, FetchOutcome::OtherError);  // only web addresses
}

// PATH holds only a folder with a stand-in browser that writes down how it
// was called: the number of its arguments, then each argument on a line.
TEST(OpenWebPage, TheAddressWithTheQueryItemIsTheOneArgumentAndNoShellSeesIt) {
    tw::test::TempDir dir;
    const std::string folder = dir.path().string();
    tw::test::WriteBytes(dir / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + folder +
                                               "/call.tmp'\n"
                                               "/bin/mv '" +
                                               folder + "/call.tmp' '" + folder + "/call'\n");
    ::chmod((dir / "xdg-open").c_str(), 0755);
    const std::string savedPath = ::getenv("PATH") ? ::getenv("PATH") : "";
    ::setenv("PATH", folder.c_str(), 1);
    EXPECT_FALSE(tw::OpenWebPage("javascript:alert(1)"));
    EXPECT_TRUE(tw::OpenWebPage("http://a.test/p?id=5&x=`id`;$(id)#top"));
    for (int i = 0; i < 100 && !std::filesystem::exists(dir / "call"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(tw::test::ReadBytes(dir / "call"), "1\nhttp://a.test/p?id=5&x=`id`;$(id)&from=TunewrightV3.3#top\n");
    ::setenv("PATH", savedPath.c_str(), 1);
}

}  // namespace

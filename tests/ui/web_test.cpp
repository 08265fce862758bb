// The web menus and the version check against a server on 127.0.0.1 started
// by the test: the menus fill from menu.dat in the background, the version
// boxes, the cache, a hostile menu.dat, a server that never answers, a port
// that refuses, closing during a check, and the pages the menus open.
#include <QMenu>
#include <QObject>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;
using test::TestHttpServer;

namespace {

// The server's address as TUNEWRIGHT_BASE_URL for the life of the object.
class ServerBase {
public:
    explicit ServerBase(const TestHttpServer& server) : old_(std::getenv("TUNEWRIGHT_BASE_URL")) {
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
    }
    ~ServerBase() { ::setenv("TUNEWRIGHT_BASE_URL", old_.c_str(), 1); }
    ServerBase(const ServerBase&) = delete;
    ServerBase& operator=(const ServerBase&) = delete;

private:
    std::string old_;
};

const std::string Links = "[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n2=Advertise with us,contact\r\n";

std::string MenuText(const std::string& version) {
    return "[Menu]\r\nVersion=" + version + "\r\n[Ringtones]\r\nTotal=2\r\n1=Top 40,http://rings.test/top40.html\r\n" +
           "2=Oldies,http://rings.test/old.html?id=5\r\n" + Links;
}

// A menu's entries, "-" for a separator line, joined by "|".
std::string Captions(Harness& h, const char* menu) {
    std::string all;
    for (QAction* entry : h.Find<QMenu>(menu)->actions())
        all += (all.empty() ? "" : "|") + (entry->isSeparator() ? std::string("-") : entry->text().toStdString());
    return all;
}

// The pages the menu's entries open, in order ("" for none).
std::vector<std::string> Targets(Harness& h, const char* menu) {
    std::vector<std::string> targets;
    for (QAction* entry : h.Find<QMenu>(menu)->actions()) {
        h.toolkit.ForgetRecords();
        entry->trigger();
        targets.push_back(h.toolkit.WebPages().empty() ? std::string() : h.toolkit.WebPages().front());
    }
    return targets;
}

bool Loading(Harness& h) { return Captions(h, "mnuMoreRingtonesH") + Captions(h, "mnuMoreLinksH") == "Loading...Loading..."; }

const char* const Defaults = "Ringtones A - E|Ringtones F - M|Ringtones N - Z";

}  // namespace

class WebTest : public QObject {
    Q_OBJECT

private slots:
    void menusFillFromTheServerInTheBackground() {
        TestHttpServer server;
        server.Serve(MenuText("3.3"));
        ServerBase base(server);
        Harness h;
        h.Open();
        QVERIFY(h.window->isVisible() && Loading(h));  // the window is up before the answer
        QTRY_COMPARE(Captions(h, "mnuMoreRingtonesH"), std::string("Top 40|Oldies"));
        QCOMPARE(server.LastRequestLine(), std::string("GET /menu.dat HTTP/1.1"));
        QCOMPARE(Captions(h, "mnuMoreLinksH"), std::string("Phones|-|Advertise with us"));
        QCOMPARE(Targets(h, "mnuMoreLinksH"),
                 (std::vector<std::string>{"https://links.test/", "", server.BaseUrl() + "advertise.html"}));
        QCOMPARE(Targets(h, "mnuMoreRingtonesH"),
                 (std::vector<std::string>{"http://rings.test/top40.html", "http://rings.test/old.html?id=5"}));
        QCOMPARE(test::ReadBytes(h.home / "menu.dat"), MenuText("3.3") + "\r\n");
        QVERIFY(h.toolkit.Boxes().empty());

        h.toolkit.ForgetRecords();
        h.Menu("mnuHelpWeb")->trigger();
        h.Menu("mnuHelpComposer")->trigger();
        QTest::mouseClick(h.Find("lblMyWeb"), Qt::LeftButton);
        QCOMPARE(h.toolkit.WebPages(), (std::vector<std::string>{server.BaseUrl(), server.BaseUrl() + "composer.html",
                                                                 "https://tunewright.example/"}));
    }

    void versionBoxes_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("box");
        QTest::newRow("newer, at start") << "3.4" << false << "New Version Available!|question|yesno";
        QTest::newRow("equal, at start") << "3.3" << false << "";
        QTest::newRow("equal, from the menu") << "3.3" << true << "No New Version Available|information|ok";
    }
    void versionBoxes() {
        QFETCH(QString, version);
        QFETCH(bool, fromMenu);
        QFETCH(QString, box);
        TestHttpServer server;
        server.Serve(MenuText(version.toStdString()));
        ServerBase base(server);
        Harness h;
        const bool question = box.contains(QStringLiteral("yesno"));
        if (question) h.toolkit.QueueAnswer(MsgAnswer::Yes);
        h.Open();
        QTRY_VERIFY(!Loading(h));
        if (fromMenu) {
            h.toolkit.ForgetRecords();
            h.Menu("mnuHelpCheckLatest")->trigger();
            QCOMPARE(h.toolkit.BusyDepth(), 1);
            QTRY_COMPARE(h.toolkit.BusyDepth(), 0);
        }
        std::string shown;
        for (const MessageBoxRequest& request : h.toolkit.Boxes()) {
            const std::string described = Harness::Describe(request);
            shown += described.substr(0, described.rfind('|'));
        }
        QCOMPARE(QString::fromStdString(shown), box);
        QCOMPARE(h.toolkit.WebPages(),
                 question ? std::vector<std::string>{server.BaseUrl() + "download.html"} : std::vector<std::string>{});
        QVERIFY(h.toolkit.Unexpected().empty());
    }

    // Only entries with web addresses, at most 50; the hostile answers are
    // not kept, and the menus come from the cached copy.
    void hostileMenuFileStaysSane() {
        std::string ringtones = "[Ringtones]\r\nTotal=100000\r\n1=Script,javascript:alert(1)\r\n2=Local,file:///etc/"
                                "passwd\r\n3=Option,-x http://h.test/\r\n4=no comma at all\r\n";
        for (int i = 5; i <= 80; ++i) ringtones += std::to_string(i) + "=Tone,https://t.test/" + std::to_string(i) + "\r\n";
        TestHttpServer server;
        server.Serve("[Menu]\r\nVersion=3.3\r\n" + ringtones + "[Links]\r\nTotal=-3\r\n");
        ServerBase base(server);
        Harness h;
        h.Open();
        QTRY_VERIFY(!Loading(h));
        const std::vector<std::string> targets = Targets(h, "mnuMoreRingtonesH");
        QCOMPARE(targets.size(), std::size_t(46));  // entries 5 to 50
        QCOMPARE(targets.front() + " " + targets.back(), std::string("https://t.test/5 https://t.test/50"));
        QCOMPARE(Captions(h, "mnuMoreLinksH"), std::string("Have YOUR site listed here! - Click for more info!"));

        const std::string cached = test::ReadBytes(h.home / "menu.dat");
        for (const std::string& body : {std::string("[menu]\r\nVersion=9\r\n"), MenuText("9") + std::string(1 << 20, ' ')}) {
            server.Serve(body);
            h.toolkit.ForgetRecords();
            h.Menu("mnuHelpCheckLatest")->trigger();
            QTRY_COMPARE(h.toolkit.BusyDepth(), 0);
            QCOMPARE(test::ReadBytes(h.home / "menu.dat"), cached);
            // Compared with the cached copy's version, the program's own.
            QCOMPARE(h.toolkit.Events(), std::vector<std::string>{"box: No New Version Available"});
            QCOMPARE(Targets(h, "mnuMoreRingtonesH").size(), std::size_t(46));
        }
    }

    // One check at a time; the time limit ends the wait; closing ends it too.
    void serverThatNeverAnswers() {
        for (const bool closeEarly : {false, true}) {
            TestHttpServer server;
            server.Answer({}, true);  // never answers
            ServerBase base(server);
            Harness h;
            h.fetcher = std::make_unique<QtWebFetcher>(FetchLimits{std::chrono::milliseconds(400)});
            h.Open();
            QTRY_COMPARE(server.Requests(), 1);
            QVERIFY(h.fetcher->Busy());
            h.Menu("mnuHelpCheckLatest")->trigger();  // ignored
            QCOMPARE(h.toolkit.BusyDepth(), 0);
            if (closeEarly) {
                QVERIFY(h.window->close());
                QVERIFY(!h.fetcher->Busy());
                QTest::qWait(600);  // beyond the limit: the check never comes back
                QVERIFY(Loading(h));
            } else {
                QTRY_COMPARE(Captions(h, "mnuMoreRingtonesH"), std::string(Defaults));
            }
            QCOMPARE(server.Requests(), 1);
            QVERIFY(h.toolkit.Boxes().empty());
        }
    }

    // The harness's base address is a port that refuses.
    void offlineStartIsSilentTheMenuIsNot() {
        Harness h;
        h.Open();
        QTRY_COMPARE(Captions(h, "mnuMoreRingtonesH"), std::string(Defaults));
        QCOMPARE(Targets(h, "mnuMoreLinksH"), std::vector<std::string>{h.window->BaseURL() + "advertise.html"});
        QVERIFY(h.toolkit.Boxes().empty());
        h.Menu("mnuHelpCheckLatest")->trigger();
        QTRY_COMPARE(h.Boxes(), std::string("Not Connected|information|ok|You need to be connected to the internet to "
                                            "check for a newer version of the Tunewright."));
        QCOMPARE(h.toolkit.BusyDepth(), 0);
    }
};

TW_UI_TEST_MAIN(WebTest)
#include "web_test.moc"

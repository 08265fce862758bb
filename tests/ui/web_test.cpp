// The web menus and the version check against a server on 127.0.0.1 started
// by the test: the menus fill from menu.dat in the background, the version
// boxes, a port that refuses, closing during a check, and the pages the
// menus open.
#include <QMenu>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;
using test::TestHttpServer;

namespace {

// A test server whose address is TUNEWRIGHT_BASE_URL while it lives, and
// the window's harness.
struct Served {
    const std::string old = std::getenv("TUNEWRIGHT_BASE_URL");
    TestHttpServer server;
    Harness h;
    explicit Served(const std::string& menu) {
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
        if (menu.empty()) server.Answer({}, true);  // never answers
        else server.Serve(menu);
    }
    ~Served() { ::setenv("TUNEWRIGHT_BASE_URL", old.c_str(), 1); }
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
        Served s(MenuText("3.3"));
        Harness& h = s.h;
        const std::string base = s.server.BaseUrl();
        h.Open();
        QVERIFY(h.window->isVisible() && Loading(h));  // the window is up before the answer
        QTRY_COMPARE(Captions(h, "mnuMoreRingtonesH"), std::string("Top 40|Oldies"));
        QCOMPARE(s.server.LastRequestLine(), std::string("GET /menu.dat HTTP/1.1"));
        QCOMPARE(Captions(h, "mnuMoreLinksH"), std::string("Phones|-|Advertise with us"));
        QCOMPARE(Targets(h, "mnuMoreLinksH"),
                 (std::vector<std::string>{"https://links.test/", "", base + "advertise.html"}));
        QCOMPARE(Targets(h, "mnuMoreRingtonesH"),
                 (std::vector<std::string>{"http://rings.test/top40.html", "http://rings.test/old.html?id=5"}));
        QCOMPARE(test::ReadBytes(h.home / "menu.dat"), MenuText("3.3") + "\r\n");
        QVERIFY(h.toolkit.Boxes().empty());

        h.toolkit.ForgetRecords();
        h.Menu("mnuHelpWeb")->trigger();
        h.Menu("mnuHelpComposer")->trigger();
        QTest::mouseClick(h.Find("lblMyWeb"), Qt::LeftButton);
        QCOMPARE(h.toolkit.WebPages(),
                 (std::vector<std::string>{base, base + "composer.html", "https://tunewright.example/"}));
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
        Served s(MenuText(version.toStdString()));
        Harness& h = s.h;
        const bool question = box.contains(QStringLiteral("yesno"));
        if (question) h.Answer(true);
        h.Open();
        QTRY_VERIFY(!Loading(h));
        if (fromMenu) {
            h.toolkit.ForgetRecords();
            h.Menu("mnuHelpCheckLatest")->trigger();
            QCOMPARE(h.toolkit.BusyDepth(), 1);
            QTRY_COMPARE(h.toolkit.BusyDepth(), 0);
        }
        const std::string shown = h.Boxes();
        QCOMPARE(QString::fromStdString(shown.substr(0, shown.rfind('|'))), box);
        QCOMPARE(h.toolkit.WebPages(),
                 question ? std::vector<std::string>{s.server.BaseUrl() + "download.html"} : std::vector<std::string>{});
        QVERIFY(h.toolkit.Unexpected().empty());
    }

    // One check at a time; closing the window ends it unseen.
    void closingDuringACheck() {
        Served s("");
        Harness& h = s.h;
        h.Open();
        QTRY_COMPARE(s.server.Requests(), 1);
        h.Menu("mnuHelpCheckLatest")->trigger();  // ignored
        QVERIFY(h.toolkit.BusyDepth() == 0 && h.fetcher->Busy());
        QVERIFY(h.window->close() && !h.fetcher->Busy());
        QVERIFY(Loading(h) && s.server.Requests() == 1 && h.toolkit.Boxes().empty());
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

// Start-up and shutdown, and the web menus and version check.
#include "shell/qt/qt_settings_store.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

std::string Checked(Harness& h) {
    std::string checked;
    for (const char* name :
         {"optSource0", "optSource1", "optSource2", "optFile0", "optFile1", "optShowAs0", "optShowAs1", "optShowAs2"})
        if (h.Option(name)->isChecked()) checked += std::string(checked.empty() ? "" : " ") + name;
    return checked;
}

// The window opened against a test server answering `menu` (empty: never) at TUNEWRIGHT_BASE_URL.
struct Served {
    const std::string old = std::getenv("TUNEWRIGHT_BASE_URL");
    test::TestHttpServer server;
    Harness h;
    explicit Served(const std::string& menu) {
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
        if (menu.empty()) server.Answer({}, true);
        else server.Serve(menu);
        h.Open();
    }
    ~Served() { ::setenv("TUNEWRIGHT_BASE_URL", old.c_str(), 1); }
};

std::string MenuText(const std::string& version) {
    return "[Menu]\r\nVersion=" + version + "\r\n[Ringtones]\r\nTotal=2\r\n1=Top 40,http://rings.test/top40.html\r\n" +
           "2=Oldies,http://rings.test/old.html?id=5\r\n[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n" +
           "2=Advertise with us,contact\r\n";
}

bool Loading(Harness& h) {
    return h.Find<QMenu>("mnuMoreRingtonesH")->actions().front()->text() +
               h.Find<QMenu>("mnuMoreLinksH")->actions().front()->text() ==
           QStringLiteral("Loading...Loading...");
}

}  // namespace

// The settings in QSettings under the temporary XDG_CONFIG_HOME.
class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The About box comes before the window, at the first start only. The
    // next start restores the place, choices, separator, folder and list; a
    // maximized close stores only Maximized, over the normal place kept.
    void firstStartThenRestarts() {
        QtSettingsStore store;
        store.DeleteSettings();
        Harness h;
        h.WriteList("Rock", "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n");
        h.WriteList("Alpha", "");  // the list chosen at a start without a setting
        bool shownMeanwhile = true;
        h.toolkit.QueueForm([&](ModalForm& form) {
            shownMeanwhile = h.window->isVisible();
            QTest::mouseClick(test::Child(form, "lblMyWeb"), Qt::LeftButton);  // opens its link
            test::Click(form, "cmdOK");
        });
        frmConverter& window = h.Open(&store);
        QVERIFY(!shownMeanwhile && window.isVisible());
        // The forms and pages shown, the folder, the choices and the separator.
        QCOMPARE((test::Seen{test::Join(h.toolkit.FormsShown()), test::Join(h.toolkit.WebPages()),
                             window.RingToneDirectory(), Checked(h), window.Ringtone().OutputSeparator()}),
                 (test::Seen{"About...", "https://tunewright.example/", std::getenv("HOME"),
                             "optSource0 optFile1 optShowAs2", ", "}));
        QCOMPARE(h.ListState(), (test::Seen{"Alpha,Rock", "Alpha", "Alpha"}));
        window.setGeometry(40, 30, 720, 500);
        for (const char* name : {"optSource1", "optFile0", "optShowAs0"}) h.Option(name)->click();
        h.Lists()->SelectText("Rock");
        h.QueueForm("cboSep", "{space}", "cmdOk");
        h.Do("mnuRingtonePreferences");
        window.SetRingToneDirectory("/tmp/tones");
        QVERIFY(window.close());
        h.toolkit.ForgetRecords();
        frmConverter& restored = h.Open(&store);
        QVERIFY(h.toolkit.FormsShown().empty() && h.toolkit.Unexpected().empty());
        QCOMPARE(restored.geometry(), QRect(40, 30, 720, 500));
        h.Rows()->SelectText("Tune");
        // The choices, the list, the ringtone text shown and the folder.
        QCOMPARE((test::Seen{Checked(h), h.Lists()->currentText().toStdString(), h.Text("txtRingtone").toStdString(),
                             restored.RingToneDirectory()}),
                 (test::Seen{"optSource1 optFile0 optShowAs0", "Rock", "8c 8d 8e", "/tmp/tones"}));
        restored.showMaximized();
        QVERIFY(restored.close());
        // Width: 720 pixels and the borders, in twips.
        QCOMPARE(store.GetSetting("Maximized", ""), std::string("2"));
        QCOMPARE(store.GetSetting("Width", ""), std::string("10920"));
        QTRY_VERIFY(h.Open(&store).isMaximized());
        QCOMPARE(h.window->normalGeometry().size(), QSize(720, 500));
        QVERIFY((h.window->normalGeometry().topLeft() - QPoint(40, 30)).manhattanLength() <= 4);  // the frame
    }
};

// Against a server on 127.0.0.1 started by the test.
class WebTest : public QObject {
    Q_OBJECT

private slots:
    // The window is up before the answer, which offers a newer version (Yes opens the download
    // page); then the menus hold its entries, kept as menu.dat.
    void menusFillFromTheServerInTheBackground() {
        Served s(MenuText("3.4"));
        Harness& h = s.h;
        h.Answer(true);
        QVERIFY(h.window->isVisible() && Loading(h));
        QTRY_VERIFY(!Loading(h));
        QCOMPARE(h.Boxes().at(0).Head(), (test::Box{"New Version Available!", "question", "yesno", ""}));
        QCOMPARE(h.toolkit.WebPages(), std::vector<std::string>{s.server.BaseUrl() + "download.html"});
        test::Seen entries;  // both menus': each caption ("-" a separator line) and the page it opens
        for (const char* menu : {"mnuMoreRingtonesH", "mnuMoreLinksH"})
            for (QAction* entry : h.Find<QMenu>(menu)->actions()) {
                h.toolkit.ForgetRecords();
                entry->trigger();
                entries.push_back((entry->isSeparator() ? "-" : entry->text().toStdString()) + " " +
                                  test::Join(h.toolkit.WebPages()));
            }
        QCOMPARE(entries, (test::Seen{"Top 40 http://rings.test/top40.html", "Oldies http://rings.test/old.html?id=5",
                                      "Phones https://links.test/", "- ",
                                      "Advertise with us " + s.server.BaseUrl() + "advertise.html"}));
        QCOMPARE(test::ReadBytes(h.home / "menu.dat"), MenuText("3.4") + "\r\n");
        h.toolkit.ForgetRecords();
        h.Answer(false);
        h.Do("mnuHelpCheckLatest");  // asked for: the busy pointer, then the answer said
        QCOMPARE(h.toolkit.BusyDepth(), 1);
        QTRY_COMPARE(h.toolkit.BusyDepth(), 0);
        QCOMPARE(h.Boxes().at(0).Head(), (test::Box{"New Version Available!", "question", "yesno", ""}));
        QVERIFY(h.toolkit.WebPages().empty());
    }

    // One check at a time; closing the window ends it unseen.
    void closingDuringACheck() {
        Served s("");
        Harness& h = s.h;
        QTRY_COMPARE(s.server.Requests(), 1);
        h.Do("mnuHelpCheckLatest");  // ignored
        QVERIFY(h.toolkit.BusyDepth() == 0 && h.fetcher->Busy() && h.window->close() && !h.fetcher->Busy());
        QVERIFY(Loading(h) && s.server.Requests() == 1 && h.toolkit.Boxes().empty());
    }

    // A port that refuses: the menus still leave "Loading..."; only a check asked for says so.
    void offlineStartIsSilentTheMenuIsNot() {
        Harness h("");
        QTRY_VERIFY(!Loading(h));
        QVERIFY(h.toolkit.Boxes().empty());
        h.Do("mnuHelpCheckLatest");
        QTRY_COMPARE(h.Boxes(), (test::BoxList{{"Not Connected", "information", "ok",
                                                "You need to be connected to the internet to check for a newer "
                                                "version of the Tunewright."}}));
        QCOMPARE(h.toolkit.BusyDepth(), 0);
    }
};

TW_UI_TEST_MAIN(StartupTest, WebTest)
#include "startup_test.moc"

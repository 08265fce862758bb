// Start-up and shutdown, and the web menus and version check.
#include "qt_settings_store.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

// The user's settings store, emptied; the program has run before unless
// `firstRun`.
struct Store {
    QtSettingsStore settings;
    explicit Store(bool firstRun = false) {
        settings.DeleteSettings();
        if (!firstRun) settings.SaveSetting(SettingKey::RingToneDirectory, "/tmp");
    }
    std::string Value(std::string_view key) const { return settings.Setting(key).value_or("<missing>"); }
};

std::string Checked(Harness& h) {
    std::string checked;
    for (const char* name : {"optSource0", "optSource1", "optSource2", "optFile0", "optFile1", "optShowAs0",
                             "optShowAs1", "optShowAs2"})
        if (h.Option(name)->isChecked()) checked += std::string(checked.empty() ? "" : " ") + name;
    return checked;
}

// A test server whose address is TUNEWRIGHT_BASE_URL while it lives
// (answering `menu`, or never when it is empty), and the window's harness.
struct Served {
    const std::string old = std::getenv("TUNEWRIGHT_BASE_URL");
    test::TestHttpServer server;
    Harness h;
    explicit Served(const std::string& menu) {
        ::setenv("TUNEWRIGHT_BASE_URL", server.BaseUrl().c_str(), 1);
        if (menu.empty()) server.Answer({}, true);
        else server.Serve(menu);
    }
    ~Served() { ::setenv("TUNEWRIGHT_BASE_URL", old.c_str(), 1); }
};

std::string MenuText(const std::string& version) {
    return "[Menu]\r\nVersion=" + version + "\r\n[Ringtones]\r\nTotal=2\r\n1=Top 40,http://rings.test/top40.html\r\n" +
           "2=Oldies,http://rings.test/old.html?id=5\r\n[Links]\r\nTotal=2\r\n1=Phones,https://links.test/\r\n" +
           "2=Advertise with us,contact\r\n";
}

// The entries of both web menus as "caption>page it opens" ("-" for a
// separator line), the menus parted by "||".
std::string Entries(Harness& h) {
    std::string all;
    for (const char* menu : {"mnuMoreRingtonesH", "mnuMoreLinksH"})
        for (QAction* entry : h.Find<QMenu>(menu)->actions()) {
            h.toolkit.ForgetRecords();
            entry->trigger();
            all += (all.empty() ? "" : "|") + (entry->isSeparator() ? std::string("-") : entry->text().toStdString()) +
                   (h.toolkit.WebPages().empty() ? "" : ">" + h.toolkit.WebPages().front());
        }
    return all;
}

bool Loading(Harness& h) {
    return h.Find<QMenu>("mnuMoreRingtonesH")->actions().front()->text() +
               h.Find<QMenu>("mnuMoreLinksH")->actions().front()->text() ==
           QStringLiteral("Loading...Loading...");
}

}  // namespace

// The settings in QSettings (XDG_CONFIG_HOME is a temporary folder); what
// is written at exit is checked by the end-to-end test.
class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartShowsTheAboutBoxThenTheWindow() {
        Store store(true);
        Harness h;
        bool shownMeanwhile = true;
        h.toolkit.QueueForm([&](ModalForm& form) {
            shownMeanwhile = h.window->isVisible();
            QTest::mouseClick(test::Child(form, "lblMyWeb"), Qt::LeftButton);
            test::Click(form, "cmdOK");
        });
        frmConverter& window = h.Open(&store.settings);
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"About..."});
        QVERIFY(!shownMeanwhile && window.isVisible());
        QCOMPARE(h.toolkit.WebPages(), std::vector<std::string>{"https://tunewright.example/"});  // its link
        QCOMPARE(window.RingToneDirectory() + "|" + Checked(h) + "|" + window.Ringtone().OutputSeparator() + "|" +
                     h.ListTexts(),
                 std::string(std::getenv("HOME")) + "|optSource0 optFile1 optShowAs2|, |Favtones");
        QVERIFY(window.close());
        Harness again;  // the setting exists now: no About box
        again.Open(&store.settings);
        QVERIFY(again.toolkit.FormsShown().empty() && again.toolkit.Unexpected().empty());
    }

    // Then a maximized close stores only Maximized: the next start maximizes
    // over the normal place kept from before.
    void restartRestoresWindowChoicesSeparatorAndList() {
        Store store;
        const char* const tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n";
        Harness h;
        h.WriteList("Rock", tune);
        frmConverter& window = h.Open(&store.settings);
        window.setGeometry(40, 30, 720, 500);
        for (const char* name : {"optSource1", "optFile0", "optShowAs0"}) h.Option(name)->click();
        h.Lists()->SelectText("Rock");
        h.toolkit.QueueForm([](ModalForm& form) {
            test::Child<QComboBox>(form, "cboSep")->setCurrentIndex(0);
            test::Click(form, "cmdOk");
        });
        h.Do("mnuRingtonePreferences");
        window.SetRingToneDirectory("/tmp/tones");
        QVERIFY(window.close());
        Harness again;
        again.WriteList("Rock", tune);
        frmConverter& restored = again.Open(&store.settings);
        QCOMPARE(restored.geometry(), QRect(40, 30, 720, 500));
        again.Rows()->SelectText("Tune");
        QCOMPARE(Checked(again) + "|" + again.Lists()->currentText().toStdString() + "|" +
                     again.Text("txtRingtone").toStdString() + "|" + restored.RingToneDirectory(),
                 std::string("optSource1 optFile0 optShowAs0|Rock|8c 8d 8e|/tmp/tones"));
        restored.showMaximized();
        QVERIFY(restored.close());
        QCOMPARE(store.Value("Maximized") + " " + store.Value("Width"), std::string("2 10920"));  // 720 pixels and borders
        Harness third;
        QTRY_VERIFY(third.Open(&store.settings).isMaximized());
        QCOMPARE(third.window->normalGeometry().size(), QSize(720, 500));
        QVERIFY((third.window->normalGeometry().topLeft() - QPoint(40, 30)).manhattanLength() <= 4);  // the frame
    }
};

// Against a server on 127.0.0.1 started by the test.
class WebTest : public QObject {
    Q_OBJECT

private slots:
    // The window is up before the answer; the menus then hold the entries
    // with web addresses, and the answer is kept as menu.dat.
    void menusFillFromTheServerInTheBackground() {
        Served s(MenuText("3.3"));
        Harness& h = s.h;
        const std::string base = s.server.BaseUrl();
        h.Open();
        QVERIFY(h.window->isVisible() && Loading(h));
        QTRY_VERIFY(!Loading(h));
        QVERIFY(h.toolkit.Boxes().empty());  // the same version: nothing said at start
        QCOMPARE(Entries(h), "Top 40>http://rings.test/top40.html|Oldies>http://rings.test/old.html?id=5|"
                             "Phones>https://links.test/|-|Advertise with us>" + base + "advertise.html");
        QCOMPARE(test::ReadBytes(h.home / "menu.dat"), MenuText("3.3") + "\r\n");
        h.Do("mnuHelpCheckLatest");  // asked for: the busy pointer, then the answer said
        QCOMPARE(h.toolkit.BusyDepth(), 1);
        QTRY_COMPARE(h.toolkit.BusyDepth(), 0);
        QVERIFY(h.Boxes().rfind("No New Version Available|information|ok|", 0) == 0);
    }

    // A newer version is offered at start; Yes opens the download page.
    void newerVersion() {
        Served s(MenuText("3.4"));
        s.h.Answer(true);
        s.h.Open();
        QTRY_VERIFY(!Loading(s.h));
        QVERIFY(s.h.Boxes().rfind("New Version Available!|question|yesno|", 0) == 0);
        QCOMPARE(s.h.toolkit.WebPages(), std::vector<std::string>{s.server.BaseUrl() + "download.html"});
    }

    // One check at a time; closing the window ends it unseen.
    void closingDuringACheck() {
        Served s("");
        Harness& h = s.h;
        h.Open();
        QTRY_COMPARE(s.server.Requests(), 1);
        h.Do("mnuHelpCheckLatest");  // ignored
        QVERIFY(h.toolkit.BusyDepth() == 0 && h.fetcher->Busy());
        QVERIFY(h.window->close() && !h.fetcher->Busy());
        QVERIFY(Loading(h) && s.server.Requests() == 1 && h.toolkit.Boxes().empty());
    }

    // A port that refuses: the menus keep their own entries, and only a
    // check asked for says so.
    void offlineStartIsSilentTheMenuIsNot() {
        Harness h;
        h.Open();
        QTRY_VERIFY(!Loading(h));
        QVERIFY(h.toolkit.Boxes().empty());
        const std::string base = h.window->BaseURL();
        QCOMPARE(Entries(h), "Ringtones A - E>" + base + "ringtones.html|Ringtones F - M>" + base +
                                 "ringtones2.html|Ringtones N - Z>" + base + "ringtones3.html|Have YOUR site listed "
                                 "here! - Click for more info!>" + base + "advertise.html");
        h.Do("mnuHelpCheckLatest");
        QTRY_COMPARE(h.Boxes(), std::string("Not Connected|information|ok|You need to be connected to the internet to "
                                            "check for a newer version of the Tunewright."));
        QCOMPARE(h.toolkit.BusyDepth(), 0);
    }
};

TW_UI_TEST_MAIN(StartupTest, WebTest)
#include "startup_test.moc"

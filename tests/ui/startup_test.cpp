// Start-up and shutdown with the settings in QSettings (XDG_CONFIG_HOME is a
// temporary folder): the first start, a restart that restores the window and
// the choices, a maximized close, settings that cannot be used, and the web
// base address.
#include <QGuiApplication>
#include <QScreen>

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

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartShowsTheAboutBoxThenTheWindow() {
        Store store(true);
        Harness h;
        bool shownMeanwhile = true;
        h.toolkit.QueueForm([&](ModalForm& form) {
            shownMeanwhile = h.window->isVisible();
            test::Click(form, "cmdOK");
        });
        frmConverter& window = h.Open(&store.settings);
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"About..."});
        QVERIFY(!shownMeanwhile && window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tunewright V3.3"));
        QCOMPARE(window.RingToneDirectory(), std::string(std::getenv("HOME")));
        QCOMPARE(Checked(h), std::string("optSource0 optFile1 optShowAs2"));
        QCOMPARE(window.Ringtone().OutputSeparator() + "|" + h.ListTexts(), std::string(", |Favtones"));
        // 10155 x 6840 twips, centred by that size; the client area is the design's.
        QCOMPARE(h.Find("client")->size(), QSize(669, 408));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(window.x() - (screen.width() - 677) / 2) <= 1 && qAbs(window.y() - (screen.height() - 456) / 2) <= 1);

        QVERIFY(window.close());
        std::string written;
        for (const char* key : {"RingToneDirectory", "CurrentList", "SourceType", "ShowType", "FromFile", "Maximized",
                                "Width", "Height", "OutputSep"})
            written += store.Value(key) + "|";
        QCOMPARE(written, std::string(std::getenv("HOME")) + "|Favtones|0|2|False|0|10155|6840|<missing>|");
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
        h.Menu("mnuRingtonePreferences")->trigger();
        window.SetRingToneDirectory("/tmp/tones");
        QVERIFY(window.close());

        Harness again;
        again.WriteList("Rock", tune);
        frmConverter& restored = again.Open(&store.settings);
        QCOMPARE(restored.geometry(), QRect(40, 30, 720, 500));
        QCOMPARE(Checked(again), std::string("optSource1 optFile0 optShowAs0"));
        QCOMPARE(again.Lists()->currentText(), QStringLiteral("Rock"));
        again.Rows()->SelectText("Tune");
        QCOMPARE(again.Text("txtRingtone"), QStringLiteral("8c 8d 8e"));
        QCOMPARE(restored.RingToneDirectory(), std::string("/tmp/tones"));
        restored.showMaximized();
        QVERIFY(restored.close());
        QCOMPARE(store.Value("Maximized") + " " + store.Value("Width"), std::string("2 10920"));  // 720 pixels and borders

        Harness third;
        QTRY_VERIFY(third.Open(&store.settings).isMaximized());
        QCOMPARE(third.window->normalGeometry().size(), QSize(720, 500));
        QVERIFY((third.window->normalGeometry().topLeft() - QPoint(40, 30)).manhattanLength() <= 4);  // the frame
    }

    // A separator the dialog does not offer is kept; a current list whose
    // file is gone gives way to the first list, which is written back.
    void unusualSettings() {
        Store store;
        store.settings.SaveSetting(SettingKey::ShowType, "0");
        store.settings.SaveSetting(SettingKey::OutputSep, "|");
        store.settings.SaveSetting(SettingKey::CurrentList, "Gone");
        Harness h;
        h.WriteList("a", "");
        h.WriteList("b", "");
        frmConverter& window = h.Open(&store.settings);
        QCOMPARE(Checked(h), std::string("optSource0 optFile1 optShowAs0"));
        QCOMPARE(window.Ringtone().OutputSeparator() + h.Lists()->currentText().toStdString(), std::string("|a"));
        QVERIFY(h.toolkit.Boxes().empty() && window.close());
        QCOMPARE(store.Value("CurrentList") + store.Value("OutputSep"), std::string("a|"));
    }

    // The command line word "local" points the web menus at 127.0.0.1:8077.
    void webBaseAddress() {
        for (const bool local : {true, false}) {
            Harness h;
            h.Open(nullptr, local ? std::vector<std::string>{"local"} : std::vector<std::string>{});
            h.window->close();  // nothing is fetched from the local test server's port
            QCOMPARE(h.window->BaseURL(), std::string(local ? "http://127.0.0.1:8077/" : std::getenv("TUNEWRIGHT_BASE_URL")));
        }
    }
};

TW_UI_TEST_MAIN(StartupTest)
#include "startup_test.moc"

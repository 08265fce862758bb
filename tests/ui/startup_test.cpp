// Start-up and shutdown with the settings in QSettings (XDG_CONFIG_HOME is a
// temporary folder): the first start, a restart that restores the window and
// the choices, a maximized close, settings that cannot be used, and the web
// base address.
#include <QGuiApplication>
#include <QObject>
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

QString Checked(Harness& h) {
    QString checked;
    for (const char* name : {"optSource0", "optSource1", "optSource2", "optFile0", "optFile1", "optShowAs0",
                             "optShowAs1", "optShowAs2"})
        if (h.Option(name)->isChecked()) checked += QString::fromLatin1(name) + QChar(u' ');
    return checked.trimmed();
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
            form.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        frmConverter& window = h.Open(&store.settings);
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"About..."});
        QVERIFY(!shownMeanwhile && window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tunewright V3.3"));
        QCOMPARE(window.RingToneDirectory(), std::string(std::getenv("HOME")));
        QCOMPARE(Checked(h), QStringLiteral("optSource0 optFile1 optShowAs2"));
        QCOMPARE(window.Ringtone().OutputSeparator(), std::string(", "));
        QCOMPARE(h.ListTexts(), std::string("Favtones"));
        // 10155 x 6840 twips, centred by that size; the client area is the design's.
        QCOMPARE(h.Find("client")->size(), QSize(669, 408));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(window.x() - (screen.width() - 677) / 2) <= 1 && qAbs(window.y() - (screen.height() - 456) / 2) <= 1);
        QCOMPARE(h.toolkit.BusyDepth(), 0);

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
            form.findChild<QComboBox*>(QStringLiteral("cboSep"))->setCurrentIndex(0);
            form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        h.Menu("mnuRingtonePreferences")->trigger();
        window.SetRingToneDirectory("/tmp/tones");
        QVERIFY(window.close());

        Harness again;
        again.WriteList("Rock", tune);
        frmConverter& restored = again.Open(&store.settings);
        QCOMPARE(restored.geometry(), QRect(40, 30, 720, 500));
        QCOMPARE(Checked(again), QStringLiteral("optSource1 optFile0 optShowAs0"));
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

    // A value that cannot be used costs only itself.
    void settingsThatCannotBeUsed_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("list");
        const QString usual = QStringLiteral("optSource0 optFile1 optShowAs0");
        QTest::newRow("FromFile in lower case") << "FromFile" << "true" << usual << ", " << "b";
        QTest::newRow("Top not a number") << "Top" << "abc" << usual << ", " << "b";
        QTest::newRow("separator not offered, kept") << "OutputSep" << "|" << usual << "|" << "b";
        QTest::newRow("separator that cannot split notes") << "OutputSep" << ";" << usual << ", " << "b";
        QTest::newRow("list whose file is gone") << "CurrentList" << "Gone" << usual << ", " << "a";
    }
    void settingsThatCannotBeUsed() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, checked);
        QFETCH(QString, separator);
        QFETCH(QString, list);
        Store store;
        store.settings.SaveSetting(SettingKey::ShowType, "0");
        store.settings.SaveSetting(SettingKey::CurrentList, "b");
        store.settings.SaveSetting(key.toStdString(), value.toStdString());
        Harness h;
        h.WriteList("a", "");
        h.WriteList("b", "");
        frmConverter& window = h.Open(&store.settings);
        QCOMPARE(Checked(h), checked);
        QCOMPARE(QString::fromStdString(window.Ringtone().OutputSeparator()), separator);
        QCOMPARE(h.Lists()->currentText(), list);
        QVERIFY(h.toolkit.Boxes().empty());
        QVERIFY(window.close());
        QCOMPARE(QString::fromStdString(store.Value("CurrentList")), list);
    }

    void webBaseAddress_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("local");
        QTest::newRow("local") << QStringList{"local"} << true;
        QTest::newRow("no word") << QStringList{} << false;
        QTest::newRow("local and more") << QStringList{"local", "x"} << false;
        QTest::newRow("Local") << QStringList{"Local"} << false;
    }
    void webBaseAddress() {
        QFETCH(QStringList, args);
        QFETCH(bool, local);
        std::vector<std::string> commandLine;
        for (const QString& arg : args) commandLine.push_back(arg.toStdString());
        Harness h;
        h.Open(nullptr, commandLine);
        h.window->close();  // nothing is fetched from the local test server's port
        QCOMPARE(h.window->BaseURL(), std::string(local ? "http://127.0.0.1:8077/" : std::getenv("TUNEWRIGHT_BASE_URL")));
    }
};

TW_UI_TEST_MAIN(StartupTest)
#include "startup_test.moc"

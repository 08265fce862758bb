// "Note Se&parators...": the separator it sets is used by every text the
// window shows, copies, saves and exports, and kept as the OutputSep setting.
#include <QCheckBox>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

// Notes, after the dialog: the entries shown and the one selected ("-1":
// none), then `index` chosen (-1: nothing chosen) and `button` clicked.
std::string ChooseSeparator(Harness& h, int index, const char* button) {
    std::string seen;
    h.toolkit.QueueForm([=, &seen](ModalForm& form) {
        auto* list = test::Child<QComboBox>(form, "cboSep");
        for (int i = 0; i < list->count(); ++i) seen += list->itemText(i).toStdString() + "|";
        seen += std::to_string(list->currentIndex());
        if (index >= 0) list->setCurrentIndex(index);
        test::Click(form, button);
    });
    h.Menu("mnuRingtonePreferences")->trigger();
    return seen;
}

std::string Setting(Harness& h) { return h.settings.GetSetting(SettingKey::OutputSep, "<missing>"); }

}  // namespace

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextUsesTheSeparator_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("separator");
        QTest::newRow("{space}") << 0 << " ";
        QTest::newRow(",{space}") << 1 << ", ";
        QTest::newRow(",") << 2 << ",";
    }
    void everyTextUsesTheSeparator() {
        QFETCH(int, index);
        QFETCH(QString, separator);
        const std::string sep = separator.toStdString();
        const std::string notes = "8c" + sep + "8d" + sep + "8e";
        Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n");
        h.Option("optShowAs0")->click();
        h.Rows()->SelectText("Tune");
        QCOMPARE(ChooseSeparator(h, index, "cmdOk"), std::string("{space}|,{space}|,|1"));
        QCOMPARE(h.Text("txtRingtone").toStdString() + "|" + Setting(h), notes + "|" + sep);

        h.Menu("mnuEditExportClip0")->trigger();
        QCOMPARE(h.toolkit.ClipboardText(), "Tune:d=4,o=5,b=125:" + notes);
        h.toolkit.QueueFile((h.home / "Tune.txt").string());
        h.Menu("mnuRingtoneSave0")->trigger();
        QCOMPARE(test::ReadBytes(h.home / "Tune.txt"), "Tune:d=4,o=5,b=125:" + notes + "\r\n");
        h.toolkit.QueueForm([](ModalForm& form) {
            test::Child<QCheckBox>(form, "chkExport0")->setChecked(true);
            test::Click(form, "cmdOk");
        });
        h.Button("cmdExport")->click();
        QVERIFY(test::ReadBytes(h.home / "tonelist.txt").find("\r\n" + notes + "\r\n") != std::string::npos);

        // Cancel changes and writes nothing, but the display is drawn again.
        h.Find<QPlainTextEdit>("txtRingtone")->setPlainText(QStringLiteral("typed over"));
        QCOMPARE(ChooseSeparator(h, (index + 1) % 3, "cmdCancel"), "{space}|,{space}|,|" + std::to_string(index));
        QCOMPARE(h.Text("txtRingtone").toStdString() + "|" + Setting(h), notes + "|" + sep);
        QVERIFY(h.toolkit.Unexpected().empty());
    }

    // A separator the dialog does not offer shows no selection; OK keeps it
    // and writes it back.
    void separatorNotOfferedIsKept() {
        Harness h;
        h.settings.SaveSetting(SettingKey::OutputSep, "|");
        h.Open();
        QCOMPARE(ChooseSeparator(h, -1, "cmdOk"), std::string("{space}|,{space}|,|-1"));
        QCOMPARE(h.window->Ringtone().OutputSeparator() + Setting(h), std::string("||"));
    }
};

TW_UI_TEST_MAIN(PreferencesTest)
#include "preferences_test.moc"

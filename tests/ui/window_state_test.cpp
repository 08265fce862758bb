// The main window as it opens: the list it starts on, the enabling rules in
// every state, and the display of a ringtone.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n";
const char* const Invalid =
    "The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.\n";

}  // namespace

class StateTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnFavtonesOrTheFirstList_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("lists");  // then the current list
        QTest::newRow("first run") << QStringList{} << "Favtones|Favtones";
        QTest::newRow("menu.dat is no list") << QStringList{"a.dat", "B.dat", "menu.dat"} << "a,B|a";
        QTest::newRow("Favtones found") << QStringList{"Rock.dat", "Favtones.dat"} << "Favtones,Rock|Favtones";
        QTest::newRow("other letter case") << QStringList{"favtones.dat"} << "favtones|favtones";
    }
    void startsOnFavtonesOrTheFirstList() {
        QFETCH(QStringList, files);
        QFETCH(QString, lists);
        Harness h;
        for (const QString& file : files) test::WriteBytes(h.home.path() / file.toStdString(), "");
        h.Open();
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName(), lists.toStdString());
        QCOMPARE(h.Lists()->currentText(), lists.section(u'|', 1));
        QCOMPARE(test::FilesIn(h.home.path()).size(), std::size_t(files.size()));  // no file made
        QVERIFY(h.toolkit.Boxes().empty() && h.toolkit.BusyDepth() == 0);
    }

    // state: 0 the list is empty, 1 rows but none selected, 2 a row selected.
    void enablingRules_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("lists");
        for (int state = 0; state < 3; ++state)
            for (int lists = 1; lists <= 2; ++lists) QTest::addRow("state %d, %d list(s)", state, lists) << state << lists;
    }
    void enablingRules() {
        QFETCH(int, state);
        QFETCH(int, lists);
        Harness h;
        h.WriteList("Favtones", state > 0 ? Tune : "");
        if (lists == 2) h.WriteList("Other", "");
        h.Open();
        if (state == 2) h.Rows()->SetListIndex(0);
        QCOMPARE(h.Menu("mnuFileDelete")->isEnabled(), lists == 2);
        QCOMPARE(h.Shown("fraResults"), state >= 1);
        QCOMPARE(h.Button("cmdExport")->isEnabled(), state >= 1);
        for (const char* name : {"mnuRingtoneExport", "mnuFileBatchWAV"}) QCOMPARE(h.Menu(name)->isEnabled(), state >= 1);
        for (const char* name : {"cmdDelete", "cmdPlaySound", "cmdSave"}) QCOMPARE(h.Button(name)->isEnabled(), state == 2);
        for (int i = 0; i < 4; ++i) QCOMPARE(h.Menu("mnuRingtoneSave" + std::to_string(i))->isEnabled(), state == 2);
        QCOMPARE(h.Menu("mnuEdit")->isEnabled(), state == 2);
        QVERIFY(h.Button("cmdGet")->isEnabled());
        for (const char* name : {"mnuFileNew", "mnuFileRename", "mnuFileClear", "mnuHelpAbout"})
            QVERIFY(h.Menu(name)->isEnabled());
    }

    void displayNotation_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("RTTTL") << 0 << "    RTTTL/Chimekit Ringtone shown" << "8c, 8d, 8e";
        QTest::newRow("Composer") << 1 << "    Nokia Composer Ringtone shown" << "8c1, 8d1, 8e1";
        QTest::newRow("Keypresses") << 2 << "    Ringtone Keypresses shown" << "18, 2, 3";
    }
    void displayNotation() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        Harness h(Tune, "Tune");
        h.Option("optShowAs" + std::to_string((index + 1) % 3))->click();
        h.Option("optShowAs" + std::to_string(index))->click();
        QCOMPARE(h.Find<QGroupBox>("fraResults")->title(), caption);
        QCOMPARE(h.Text("txtRingtone"), text);
        h.window->Clear();  // an empty ringtone shows empty text in any notation
        h.window->optShowAs_Click(index);
        QCOMPARE(h.Text("txtRingtone"), QString());
    }

    void errorTextShowsOnlyWhenThereIsOne() {
        Harness h(Tune + "[Bad]\r\nRTTTL=Bad:d=4,o=5,b=125:8c, 3d\r\n");
        QVERIFY(!h.Shown("txtMessage"));
        h.Rows()->SelectText("Bad");
        QCOMPARE(h.Text("txtMessage"), QString::fromLatin1(Invalid));
        QVERIFY(h.Shown("txtMessage"));
        h.Rows()->SelectText("Tune");
        QVERIFY(!h.Shown("txtMessage"));
        QCOMPARE(h.Find<QLabel>("lblNoteCount")->text(), QStringLiteral("3"));
    }
};

TW_UI_TEST_MAIN(StateTest)
#include "window_state_test.moc"

// The main window as it opens: its controls and menus, the first run, the
// enabling rules in every state, and the display of a ringtone.
#include <QMenu>
#include <QMenuBar>
#include <QObject>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const char* const Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n";

// "name=caption|tip" of a control.
QString Described(QObject* control) {
    QString caption = QStringLiteral("<none>");
    if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) caption = frame->title();
    if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
    return control->objectName() + QChar(u'=') + caption + QChar(u'|') + qobject_cast<QWidget*>(control)->toolTip();
}

}  // namespace

class StateTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndMenus() {
        Harness h;
        h.Open();
        QStringList controls;
        for (const char* name :
             {"fraSource", "optSource0", "optSource1", "optSource2", "fraFrom", "optFile0", "optFile1", "cmdGet",
              "fraDisplayAs", "optShowAs0", "optShowAs1", "optShowAs2", "lblNoteCount", "cmdPlaySound", "cmdSave",
              "Label4", "Label6", "Label8", "Label5", "Label3", "fraRingtones", "cmdExport", "cmdDelete",
              "lblHelpRingtoneList", "lblNum0", "lblNum1", "lblNum2", "lblNum3", "lblClick", "lblForHelp",
              "lblMyWeb", "lblCopy"})
            controls << Described(h.Find<QObject>(name));
        QCOMPARE(controls.join(QChar(u'\n')),
                 QStringLiteral("fraSource=    Original RingTone is|\n"
                                "optSource0=RTTTL/Chimekit|A format used by the Chimekit program\n"
                                "optSource1=Nokia Composer|A format used in the Nokia\n"
                                "optSource2=Keypresses|A format used in the Nokia\n"
                                "fraFrom=    Ringtone is from...|\n"
                                "optFile0=a File on this Computer|RingTone is in a file on your computeer\n"
                                "optFile1=the Web or Clipboard|\n"
                                "cmdGet=&Get It...|\n"
                                "fraDisplayAs=    Display as...|\n"
                                "optShowAs0=RTTTL/Chimekit|The Chimekit format\n"
                                "optShowAs1=Nokia Composer|The Nokia Composer format\n"
                                "optShowAs2=Keypresses|The keypresses you type in your phone\n"
                                "lblNoteCount=0|The number of notes contained.\n"
                                "cmdPlaySound=&Play|Play this ringtone\n"
                                "cmdSave=Save .&WAV|Save as a WAV file\n"
                                "Label4=Name:|\nLabel6=Tempo:|\nLabel8=Notes Used:|\nLabel5=Tone Text:|\n"
                                "Label3=To SAVE Name/Tempo, press TAB|\n"
                                "fraRingtones=My Ringtone List|\n"
                                "cmdExport=Export &List|Export my ringtone list\n"
                                "cmdDelete=&Delete|Delete a ringtone from my ringtone list\n"
                                "lblHelpRingtoneList=Click to view / Double-click to play.|\n"
                                "lblNum0=1.|Click for help\nlblNum1=2.|Click for help\nlblNum2=3.|Click for help\n"
                                "lblNum3=4.|Click for help\nlblClick=click|\nlblForHelp=for help|\n"
                                "lblMyWeb=https://tunewright.example/|Visit the Tunewright home page\n"
                                "lblCopy=Copyright (c) the Tunewright developers. Free to use and share.|"));
        // The step boxes sit on the frames of their steps.
        QCOMPARE(h.Find("lblNum0")->parentWidget(), h.Find("fraSource"));
        QCOMPARE(h.Find("lblNum3")->parentWidget(), h.Find("fraResults"));
        QCOMPARE(h.TempoField()->toolTip(), QStringLiteral("Tempo (beats per minute)"));
        QCOMPARE(h.TempoField()->count(), 16);
        QCOMPARE(h.TempoField()->itemText(9), QStringLiteral("112"));

        QStringList menus;
        for (QAction* top : h.window->menuBar()->actions()) {
            menus << top->objectName() + QChar(u'=') + top->text();
            for (QAction* entry : top->menu()->actions())
                menus << entry->objectName() + QChar(u'=') + (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        }
        QCOMPARE(menus.join(QChar(u'\n')),
                 QStringLiteral("mnuFile=&File\nmnuRingtoneSave0=Save As &RTTTL File...\n"
                                "mnuRingtoneSave1=Save As &Composer File...\nmnuRingtoneSave2=Save As &Keypress File...\n"
                                "mnuRingtoneSave3=Save As &WAV file...\nmnuFileSep1=-\nmnuFileNew=&New List...\n"
                                "mnuFileDelete=&Delete List\nmnuFileRename=Rena&me List...\nmnuFileClear=C&lear List\n"
                                "mnuFileSep2=-\nmnuRingtonePreferences=Note Se&parators...\n"
                                "mnuRingtoneExport=&Export Ringtone List...\nmnuFileBatchWAV=Batch Save All As .WAV Files\n"
                                "mnuFileSep3=-\nmnuRingtoneExit=E&xit\n"
                                "mnuEdit=&Edit\nmnuEditExportClip0=Copy &RTTTL to Clipboard\n"
                                "mnuEditExportClip1=Copy &Composer to Clipboard\n"
                                "mnuEditExportClip2=Copy &Keypresses to Clipboard\n"
                                "mnuMoreRingtonesH=&Latest Ringtones\nmnuMoreRingtones0=Loading...\n"
                                "mnuMoreLinksH=Top Mobile &Sites\nmnuMoreLinks0=Loading...\n"
                                "mnuHelp=&Help\nmnuHelpContents=&Contents...\nmnuHSep1=-\nmnuHelpWeb=Tonehaven &Home...\n"
                                "mnuHelpCheckLatest=&Check for Latest Version...\n"
                                "mnuHelpComposer=How the Co&mposer Works...\nmnuHSep2=-\nmnuHelpAbout=&About..."));
    }

    void firstRunOffersFavtones() {
        Harness h;
        frmConverter& window = h.Open();
        QCOMPARE(h.ListTexts(), std::string("Favtones"));
        QCOMPARE(window.RingtoneList().ListName(), std::string("Favtones"));
        QVERIFY(!std::filesystem::exists(h.ListPath("Favtones")));  // no file until a ringtone is stored
        QVERIFY(!h.Shown("fraResults"));
        QVERIFY(h.Option("optSource0")->isChecked() && h.Option("optFile1")->isChecked());
        QVERIFY(h.Option("optShowAs2")->isChecked());
        QCOMPARE(h.Find<QGroupBox>("fraResults")->title(), QStringLiteral("    Ringtone Keypresses shown"));
        QCOMPARE(window.Ringtone().OutputSeparator(), std::string(", "));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tunewright V3.3"));
        QCOMPARE(h.Find<QLabel>("lblBegin")->text(),
                 QStringLiteral("To Begin:\n\nFollow box      , then      , then      .\n\nFor help, click the green box"));
        QCOMPARE(h.toolkit.BusyDepth(), 0);
        QVERIFY(h.toolkit.Boxes().empty());
    }

    void startsOnFavtonesOrTheFirstList_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("current");
        QTest::newRow("menu.dat is no list") << QStringList{"a.dat", "B.dat", "menu.dat"} << "a,B" << "a";
        QTest::newRow("Favtones found") << QStringList{"Rock.dat", "Favtones.dat"} << "Favtones,Rock" << "Favtones";
        QTest::newRow("other letter case") << QStringList{"favtones.dat"} << "favtones" << "favtones";
    }
    void startsOnFavtonesOrTheFirstList() {
        QFETCH(QStringList, files);
        QFETCH(QString, lists);
        QFETCH(QString, current);
        Harness h;
        for (const QString& file : files) test::WriteBytes(h.home.path() / file.toStdString(), "");
        h.Open();
        QCOMPARE(QString::fromStdString(h.ListTexts()), lists);
        QCOMPARE(QString::fromStdString(h.window->RingtoneList().ListName()), current);
        QCOMPARE(h.Lists()->currentText(), current);
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
        for (const char* name : {"mnuRingtoneSave0", "mnuRingtoneSave3", "mnuEdit"})
            QCOMPARE(h.Menu(name)->isEnabled(), state == 2);
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
        Harness h;
        h.WriteList("Favtones", Tune);
        h.Open();
        h.Rows()->SetListIndex(0);
        h.Option("optShowAs" + std::to_string((index + 1) % 3))->click();
        h.Option("optShowAs" + std::to_string(index))->click();
        QCOMPARE(h.Find<QGroupBox>("fraResults")->title(), caption);
        QCOMPARE(h.Text("txtRingtone"), text);
        h.window->Clear();  // an empty ringtone shows empty text in any notation
        h.window->optShowAs_Click(index);
        QCOMPARE(h.Text("txtRingtone"), QString());
    }

    void errorTextShowsOnlyWhenThereIsOne() {
        Harness h;
        h.WriteList("Favtones", std::string(Tune) + "[Bad]\r\nRTTTL=Bad:d=4,o=5,b=125:8c, 3d\r\n");
        h.Open();
        QVERIFY(!h.Shown("txtMessage"));
        h.Rows()->SelectText("Bad");
        QCOMPARE(h.Text("txtMessage"), QStringLiteral("The ringtone note format seems to be invalid.  Check the "
                                                      "ringtone matches the source type in Box 1.\n"));
        QVERIFY(h.Shown("txtMessage"));
        h.Rows()->SelectText("Tune");
        QVERIFY(!h.Shown("txtMessage"));
        QCOMPARE(h.Find<QLabel>("lblNoteCount")->text(), QStringLiteral("3"));
    }
};

TW_UI_TEST_MAIN(StateTest)
#include "window_state_test.moc"

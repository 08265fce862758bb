// The main window itself: its controls, state, layout, help and separator.
#include <QCheckBox>
#include <QTextBrowser>

#include "file_filters.h"
#include "frm_help.h"
#include "help_viewer.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n";

// The separator dialog: its entries and the one selected ("-1": none), then
// `index` chosen and `button` clicked.
std::string ChooseSeparator(Harness& h, int index, const char* button) {
    std::string seen;
    h.toolkit.QueueForm([=, &seen](ModalForm& form) {
        auto* list = test::Child<QComboBox>(form, "cboSep");
        for (int i = 0; i < list->count(); ++i) seen += list->itemText(i).toStdString() + "|";
        seen += std::to_string(list->currentIndex());
        list->setCurrentIndex(index);
        test::Click(form, button);
    });
    h.Menu("mnuRingtonePreferences")->trigger();
    return seen;
}

}  // namespace

// The text shown for stored bytes and the file dialog filters.
class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void shownText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8") << QByteArray("\xC3\xA9t\xC3\xA9") << QString::fromUtf8("\xC3\xA9t\xC3\xA9");
        QTest::newRow("windows-1252") << QByteArray("\x93hi\x94 \x80") << QString::fromUtf8("\xE2\x80\x9Chi\xE2\x80\x9D \xE2\x82\xAC");
        QTest::newRow("cut utf-8") << QByteArray("a\xC3") << QString::fromUtf8("a\xC3\x83");
        QTest::newRow("line ends") << QByteArray("a\r\nb\rc") << QStringLiteral("a\nb\nc");
    }
    void shownText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(ShownLines(bytes.toStdString()), shown);
    }

    void nameFilters() {
        QCOMPARE(QtNameFilters("All Files (*.*)|*.*|Chimekit/RTTTL Files (*.txt)|*.txt"),
                 (QStringList{"All Files (*.*) (*)", "Chimekit/RTTTL Files (*.txt) (*.txt)"}));
        QCOMPARE(QtNameFilters("Text|*.txt;*.key|Anything"), (QStringList{"Text (*.txt *.key)", "Anything (*)"}));
    }
};

// The window as it opens, its enabling rules and the ringtone shown.
class StateTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnFavtonesOrTheFirstList_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("lists");  // then the current list
        QTest::newRow("first run") << QStringList{} << "Favtones|Favtones";
        QTest::newRow("menu.dat is no list") << QStringList{"a.dat", "B.dat", "menu.dat"} << "a,B|a";
        QTest::newRow("Favtones in another letter case") << QStringList{"Rock.dat", "favtones.dat"} << "favtones,Rock|favtones";
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
        QCOMPARE(h.Find<QGroupBox>("fraResults")->title() + "|" + h.Text("txtRingtone"), caption + "|" + text);
        h.window->Clear();  // an empty ringtone shows empty text in any notation
        h.window->optShowAs_Click(index);
        QCOMPARE(h.Text("txtRingtone"), QString());
    }

    void errorTextShowsOnlyWhenThereIsOne() {
        Harness h(Tune + "[Bad]\r\nRTTTL=Bad:d=4,o=5,b=125:8c, 3d\r\n");
        QVERIFY(!h.Shown("txtMessage"));
        h.Rows()->SelectText("Bad");
        QCOMPARE(h.Text("txtMessage"), QStringLiteral("The ringtone note format seems to be invalid.  Check the ringtone "
                                                      "matches the source type in Box 1.\n"));
        QVERIFY(h.Shown("txtMessage"));
        h.Rows()->SelectText("Tune");
        QVERIFY(!h.Shown("txtMessage"));
        QCOMPARE(h.Find<QLabel>("lblNoteCount")->text(), QStringLiteral("3"));
    }
};

// The design figures at the design size, the list column and the results
// area following a larger window, the minimum size, minimizing.
class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // At the design size the client area is 10035 x 6120 twips: the results
    // frame 7035 x 4365, the list column 5760 high (15 twips a pixel).
    void windowSizeChanges() {
        Harness h;
        frmConverter& window = h.Open();
        const auto results = [&h] { return h.Find("fraResults")->geometry(); };
        const auto client = [&h] { return h.Find("client")->size(); };
        const QRect design(196, 96, 469, 291);
        QCOMPARE(client(), QSize(669, 408));
        QCOMPARE(results(), design);
        QCOMPARE(h.Find("fraRingtones")->geometry(), QRect(4, 4, 185, 384));
        QCOMPARE(h.Find("lblMyWeb")->geometry(), QRect(152, 391, 305, 14));

        window.resize(1000, 700);
        QCOMPARE(results(), QRect(196, 96, client().width() - 200, client().height() - 117));
        QCOMPARE(h.Find("fraRingtones")->height(), client().height() - 24);
        QCOMPARE(h.Find("cmdPlaySound")->pos(), QPoint(client().width() - 273, client().height() - 162));
        QCOMPARE(h.Find("lblCopy")->y(), client().height() - 17);
        QCOMPARE(h.Find("fraDisplayAs")->geometry(), QRect(532, 4, 133, 89));  // keeps its place

        window.resize(300, 200);  // snaps to 10155 x 4965 twips outside, 10035 wide inside
        QCOMPARE(client(), QSize(669, 283));
        QCOMPARE(window.minimumSize(), window.size());  // the desktop offers nothing smaller
        QCOMPARE(results().size(), QSize(469, 166));

        window.resize(669, 426);
        QCOMPARE(results(), design);
        window.showMinimized();
        window.Form_Resize();
        QCOMPARE(results(), design);
    }
};

// The green step boxes open the quick help, which grows out of the main
// window's corner and keeps it disabled; Help > Contents installs and shows
// the help file, which the help viewer opens at its contents.
class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void stepBoxesOpenTheQuickHelp_data() {
        QTest::addColumn<int>("box");
        for (int box = 0; box < 4; ++box) QTest::addRow("%d.", box + 1) << box;
    }
    void stepBoxesOpenTheQuickHelp() {
        QFETCH(int, box);
        const char* const begins[] = {"This is where you", "A ringtone can either", "1. Select 'Keypresses'",
                                      "The converted ringtone appears"};
        Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c\r\n");  // the results frame shows box 4.
        frmConverter& window = *h.window;
        window.move(100, 50);
        QTest::mouseClick(h.Find("lblNum" + std::to_string(box)), Qt::LeftButton);
        frmHelp* help = window.QuickHelp();
        QVERIFY(help != nullptr && help->isVisible() && !window.isEnabled());
        QCOMPARE(test::Child<QLabel>(*help, "lblHelpNum")->text(), QString::number(box + 1) + QChar(u'.'));
        QVERIFY(test::Child<QLabel>(*help, "lblHelpText")->text().startsWith(QString::fromLatin1(begins[box])));
        QVERIFY(help->width() < 100);  // it has only begun to grow
        // Ten steps: 480 twips right, 1600 down, 6100 x 2630 twips.
        QTRY_VERIFY(!help->Animating());
        QCOMPARE(QRect(help->pos(), help->size()), QRect(132, 157, 407, 175));
        QVERIFY(!window.isEnabled());
        test::Click(*help, "cmdOk");
        QVERIFY(!help->isVisible() && window.isEnabled());
        QVERIFY(!h.Menu("mnuEdit")->isEnabled());  // no ringtone shown: enabling the window leaves it off
    }

    void contents() {
        Harness h;
        h.Open();
        const std::string path = (h.home / "tunehelp.html").string();
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(h.toolkit.HelpFiles(), std::vector<std::string>{path});
        QVERIFY(test::ReadBytes(path).find("<title>Tunewright Help</title>") != std::string::npos);
        test::WriteBytes(path, "<p>my own notes</p>");  // a file that is there is left as it is
        h.toolkit.SetHelpViewerFails(true);
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(test::ReadBytes(path), std::string("<p>my own notes</p>"));
        QCOMPARE(h.Boxes(), std::string("Cannot open Help|exclamation|ok|Errors loading the help file.  Please visit "
                                        "https://tunewright.example/ for help."));
        h.toolkit.ForgetRecords();
        std::filesystem::remove(path);
        std::filesystem::create_symlink(h.home / "nowhere" / "gone.html", path);  // cannot be written
        h.Menu("mnuHelpContents")->trigger();
        QCOMPARE(h.Boxes(), std::string("Help not found|exclamation|ok|The help file tunehelp.html does not exist."));
        QVERIFY(h.toolkit.HelpFiles().empty());
    }

    // Only web links leave the viewer, for the browser.
    void viewerOpensAtContentsAndHandsOnWebLinks() {
        test::TempFolder folder;
        const std::string path = (folder / "tunehelp.html").string();
        test::WriteBytes(path, "<p>x</p><h1><a name=\"contents\"></a>C</h1><a href=\"https://site.test/\">site</a>");
        std::vector<std::string> opened;
        HelpViewer viewer([&opened](const std::string& address) { opened.push_back(address); });
        QVERIFY(!viewer.Open((folder / "missing.html").string()) && !viewer.isVisible());
        QVERIFY(viewer.Open(path) && viewer.isVisible());
        QCOMPARE(viewer.Source().toString(), QStringLiteral("file://%1#contents").arg(QString::fromStdString(path)));
        auto* browser = test::Child<QTextBrowser>(viewer, "txtHelp");
        emit browser->anchorClicked(QUrl(QStringLiteral("https://site.test/")));
        emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened, std::vector<std::string>{"https://site.test/"});
        QCOMPARE(viewer.Source().fileName(), QStringLiteral("tunehelp.html"));
    }
};

// "Note Se&parators...": the separator it sets is used by every text the
// window shows, copies and exports, and kept as the OutputSep setting.
class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    // The dialog's choices are tested with the separator choice; here ","
    // (the third) replaces ", " (the second, selected).
    void everyTextUsesTheSeparator() {
        const std::string sep = ",", notes = "8c,8d,8e";
        Harness h(Tune);
        h.Option("optShowAs0")->click();
        h.Rows()->SelectText("Tune");
        QCOMPARE(ChooseSeparator(h, 2, "cmdOk"), std::string("{space}|,{space}|,|1"));
        QCOMPARE(h.Text("txtRingtone").toStdString() + "|" + h.settings.GetSetting(SettingKey::OutputSep, "?"),
                 notes + "|" + sep);
        h.Menu("mnuEditExportClip0")->trigger();
        QCOMPARE(h.toolkit.ClipboardText(), "Tune:d=4,o=5,b=125:" + notes);
        h.toolkit.QueueForm([](ModalForm& form) {
            test::Child<QCheckBox>(form, "chkExport0")->setChecked(true);
            test::Click(form, "cmdOk");
        });
        h.Button("cmdExport")->click();
        QVERIFY(test::ReadBytes(h.home / "tonelist.txt").find("\r\n" + notes + "\r\n") != std::string::npos);

        // Cancel changes and writes nothing, but the display is drawn again.
        h.Find<QPlainTextEdit>("txtRingtone")->setPlainText(QStringLiteral("typed over"));
        QCOMPARE(ChooseSeparator(h, 0, "cmdCancel"), std::string("{space}|,{space}|,|2"));
        QCOMPARE(h.Text("txtRingtone").toStdString() + "|" + h.settings.GetSetting(SettingKey::OutputSep, "?"),
                 notes + "|" + sep);
    }
};

TW_UI_TEST_MAIN(ControlsTest, StateTest, LayoutTest, HelpTest, PreferencesTest)
#include "window_test.moc"

// The main window itself: its controls, state, layout, help and separator.
#include "ui/frm_help.h"
#include "ui/help_viewer.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {
const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n";
}  // namespace

// The text shown for stored bytes: UTF-8, else Windows-1252; any line end.
class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void shownText() {
        const char* const rows[][2] = {{"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
                                       {"\x93hi\x94 \x80", "\xE2\x80\x9Chi\xE2\x80\x9D \xE2\x82\xAC"},
                                       {"a\xC3", "a\xC3\x83"},
                                       {"a\r\nb\rc", "a\nb\nc"}};
        for (const auto& row : rows) QCOMPARE(ShownLines(row[0]), QString::fromUtf8(row[1]));
    }
};

// The window as it opens and its enabling rules.
class StateTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnFavtonesOrTheFirstList() {
        const std::pair<std::vector<std::string>, test::Seen> rows[] = {
            {{}, {"Favtones", "Favtones", "Favtones"}},
            {{"a.dat", "B.dat"}, {"a,B", "a", "a"}},
            {{"Rock.dat", "favtones.dat"}, {"favtones,Rock", "favtones", "favtones"}}};
        for (const auto& [files, lists] : rows) {
            Harness h;
            for (const std::string& file : files) test::WriteBytes(h.home / file, "");
            h.Open();
            QCOMPARE(h.ListState(), lists);
            QCOMPARE(test::FilesIn(h.home.path()).size(), files.size());  // no file made
            QVERIFY(h.toolkit.Boxes().empty() && h.toolkit.BusyDepth() == 0);
        }
    }

    // Deleting a list needs another list, the whole-list commands rows, the ringtone commands
    // a row selected: the list empty, rows but none selected (and a second list), a row selected.
    void enablingRules() {
        const std::pair<int, bool> rows[] = {{0, false}, {1, true}, {2, false}};
        for (const auto& [state, twoLists] : rows) {
            Harness h;
            h.WriteList("Favtones", state > 0 ? Tune : "");
            if (twoLists) h.WriteList("Other", "");
            h.Open();
            if (state == 2) h.Rows()->SetListIndex(0);
            QVERIFY(h.Enabled("mnuFileDelete") == twoLists && h.Shown("fraResults") == (state >= 1));
            for (const char* name : {"cmdExport", "mnuRingtoneExport", "mnuFileBatchWAV"})
                QCOMPARE(h.Enabled(name), state >= 1);
            for (const char* name :
                 {"cmdDelete", "cmdPlaySound", "cmdSave", "mnuEdit", "mnuRingtoneSave0", "mnuRingtoneSave1",
                  "mnuRingtoneSave2", "mnuRingtoneSave3", "mnuRingtoneSave4", "mnuRingtoneSave5", "mnuRingtoneSave6"})
                QCOMPARE(h.Enabled(name), state == 2);
            for (const char* name : {"cmdGet", "mnuFileNew", "mnuFileRename", "mnuFileClear"}) QVERIFY(h.Enabled(name));
        }
    }
};

// The results area and the list column follow a larger window; the window
// goes no smaller than its design; minimizing moves nothing.
class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowSizeChanges() {
        Harness h;
        frmConverter& window = h.Open();
        const auto results = [&h] { return h.Find("fraResults")->geometry(); };
        const auto client = [&h] { return h.Find("client")->size(); };
        window.resize(1000, 700);
        QCOMPARE(results(), QRect(196, 96, client().width() - 200, client().height() - 117));
        QCOMPARE(h.Find("fraRingtones")->height(), client().height() - 24);
        QCOMPARE(h.Find("cmdPlaySound")->pos(), QPoint(client().width() - 273, client().height() - 162));
        window.resize(300, 200);  // snaps to 10155 x 4965 twips outside, 10035 wide inside
        QCOMPARE(client(), QSize(669, 283));
        QCOMPARE(window.minimumSize(), window.size());  // the desktop offers nothing smaller
        window.resize(669, 426);
        window.showMinimized();
        window.Form_Resize();
        QCOMPARE(results(), QRect(196, 96, 469, 291));  // the design's
    }
};

// The step boxes open the quick help, which keeps the window disabled; Help > Contents
// installs and shows the help file, which the viewer opens at its contents.
class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void stepBoxesOpenTheQuickHelp() {
        const char* const begins[] = {"This is where you", "The converted ringtone appears"};
        Harness h("[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c\r\n");  // the results frame shows box 4.
        for (int box : {0, 3}) {
            QTest::mouseClick(h.Find("lblNum" + std::to_string(box)), Qt::LeftButton);
            frmHelp* help = h.window->QuickHelp();
            QVERIFY(help != nullptr && help->isVisible() && !h.window->isEnabled());
            QCOMPARE(test::Child<QLabel>(*help, "lblHelpNum")->text(), QString::number(box + 1) + QChar(u'.'));
            QVERIFY(test::Child<QLabel>(*help, "lblHelpText")->text().startsWith(QString::fromLatin1(begins[box / 3])));
            test::Click(*help, "cmdOk");
            // No ringtone shown: enabling the window leaves Edit off.
            QVERIFY(!help->isVisible() && h.window->isEnabled() && !h.Enabled("mnuEdit"));
        }
    }

    void contents() {
        Harness h("");
        const std::string path = (h.home / "tunehelp.html").string();
        h.Do("mnuHelpContents");
        QCOMPARE(h.toolkit.HelpFiles(), std::vector<std::string>{path});
        QVERIFY(std::filesystem::is_regular_file(path));
        h.toolkit.SetHelpViewerFails(true);
        h.Do("mnuHelpContents");
        QCOMPARE(h.Boxes(), (test::BoxList{{"Cannot open Help", "exclamation", "ok",
                                            "Errors loading the help file.  Please visit "
                                            "https://tunewright.example/ for help."}}));
        h.toolkit.ForgetRecords();
        std::filesystem::remove(path);
        std::filesystem::create_symlink(h.home / "nowhere" / "gone.html", path);  // cannot be written
        h.Do("mnuHelpContents");
        QCOMPARE(
            h.Boxes(),
            (test::BoxList{{"Help not found", "exclamation", "ok", "The help file tunehelp.html does not exist."}}));
        QVERIFY(h.toolkit.HelpFiles().empty());
    }

    // Only web links leave the viewer, for the browser.
    void viewerOpensAtContentsAndHandsOnWebLinks() {
        test::TempDir folder;
        const std::string path = (folder / "tunehelp.html").string();
        test::WriteBytes(path, "<p>x</p><h1><a name=\"contents\"></a>C</h1><a href=\"https://site.test/\">site</a>");
        std::vector<std::string> opened;
        HelpViewer viewer([&opened](const std::string& address) { opened.push_back(address); });
        QVERIFY(viewer.Open(path) && viewer.isVisible());
        QCOMPARE(viewer.Source().toString(), QStringLiteral("file://%1#contents").arg(QString::fromStdString(path)));
        auto* browser = test::Child<QTextBrowser>(viewer, "txtHelp");
        emit browser->anchorClicked(QUrl(QStringLiteral("https://site.test/")));
        emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(opened, std::vector<std::string>{"https://site.test/"});
        QCOMPARE(viewer.Source().fileName(), QStringLiteral("tunehelp.html"));
    }
};

// "Note Se&parators...": the separator shown, copied and kept as OutputSep.
class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextUsesTheSeparator() {
        Harness h(Tune, "Tune");
        h.Option("optShowAs0")->click();
        // The dialog's entries and the one selected, then the text shown and the setting.
        const auto choose = [&h](int index, const char* button) {
            test::Seen seen;
            h.toolkit.QueueForm([=, &seen](ModalForm& form) {
                auto* list = test::Child<QComboBox>(form, "cboSep");
                for (int i = 0; i < list->count(); ++i) seen.push_back(list->itemText(i).toStdString());
                seen.push_back(std::to_string(list->currentIndex()));
                list->setCurrentIndex(index);
                test::Click(form, button);
            });
            h.Do("mnuRingtonePreferences");
            seen.push_back(h.Text("txtRingtone").toStdString());
            seen.push_back(h.settings.GetSetting(SettingKey::OutputSep, "?"));
            return seen;
        };
        QCOMPARE(choose(2, "cmdOk"), (test::Seen{"{space}", ",{space}", ",", "1", "8c,8d,8e", ","}));
        h.Do("mnuEditExportClip0");
        QCOMPARE(h.toolkit.ClipboardText(), std::string("Tune:d=4,o=5,b=125:8c,8d,8e"));
        // Cancel changes and writes nothing, but the display is drawn again.
        h.Find<QPlainTextEdit>("txtRingtone")->setPlainText(QStringLiteral("typed over"));
        QCOMPARE(choose(0, "cmdCancel"), (test::Seen{"{space}", ",{space}", ",", "2", "8c,8d,8e", ","}));
    }
};

TW_UI_TEST_MAIN(ControlsTest, StateTest, LayoutTest, HelpTest, PreferencesTest)
#include "window_test.moc"

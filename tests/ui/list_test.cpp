// The ringtone lists: the list commands with their questions and answers,
// playing from the button and the list, the batch of WAV files and the
// export of a list.
#include <QCheckBox>
#include <QProgressBar>
#include <QRegularExpression>

#include <cstring>

#include "frm_busy.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Other = "[Other]\r\nRTTTL=Other:d=4,o=5,b=125:e, f\r\n";
const std::string Two = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n" + Other;
const std::string Riff = "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n";

// "&Delete" and "C&lear List" on Favtones showing Tune, beside a list Rock.
struct Question {
    const char* name;
    const char* command;
    bool yes;
    std::string box, file, after;  // the list file, then the rows|selected row|name shown
};
const std::string DeleteTune =
    "Delete Ringtone|question|yesno|Do you want to delete 'Tune' from the 'Favtones' list?";
const std::string ClearFavtones = "Clear Favtones List|question|yesno|All ringtones in this list will be lost!\r\n\r\n"
                                  "Are you sure you want to clear the 'Favtones' list?";
const Question Questions[] = {
    {"delete ringtone, Yes", "cmdDelete", true, DeleteTune, Other, "Other|<none>|"},
    {"delete ringtone, No", "cmdDelete", false, DeleteTune, Two, "Other,Tune|Tune|Tune"},
    {"clear list, Yes", "mnuFileClear", true, ClearFavtones, "", "|<none>|"},
    {"clear list, No", "mnuFileClear", false, ClearFavtones, Two, "Other,Tune|Tune|Tune"},
};

const std::string Made = "New Ringtone List|exclamation|ok|The new list was not made.\r\n\r\n";
const std::string Kept = "Rename Ringtone List|exclamation|ok|The list 'Rock' was not renamed.\r\n\r\n";
struct ListName {
    const char* name;
    const char* command;
    const char* typed;
    std::string box;
    const char* files;
    const char* after;  // the lists, the current list, its choice, the rows, the row selected
};
const ListName ListNames[] = {
    {"new", "mnuFileNew", "Pop", "", "Jazz.dat Pop.dat Rock.dat ", "Jazz,Pop,Rock|Pop|Pop||<none>"},
    {"rename", "mnuFileRename", "Pop", "", "Jazz.dat Pop.dat ", "Jazz,Pop|Pop|Pop|Other,Tune|Tune"},
    {"new: a list already", "mnuFileNew", "Jazz", Made + "there is a list named 'Jazz' already.",
     "Jazz.dat Rock.dat ", "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
    {"new: slash", "mnuFileNew", "a/b", Made + "'a/b' cannot be a list name: it holds \"/\".", "Jazz.dat Rock.dat ",
     "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
    {"rename onto a list", "mnuFileRename", "Jazz", Kept + "there is a list named 'Jazz' already.",
     "Jazz.dat Rock.dat ", "Jazz,Rock|Rock|Rock|Other,Tune|Tune"},
};

const std::string Three = "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=125:c, d\r\n"
                          "[Beta]\r\nRTTTL=Beta:d=4,o=5,b=0:e, f\r\n"
                          "[Gamma]\r\nRTTTL=Gamma:d=8,o=6,b=200:g, a, b\r\n";
const std::string Warning = "Generate WAV Files|information|ok|This will generate a whole set of WAV files from the "
                            "'Favtones' list and could take a while.\n";

frmBusy* BusyWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmBusy")) return static_cast<frmBusy*>(window);
    return nullptr;
}

// The window on `list`, writing into a folder of its own, recording at each
// repaint during the batch what the busy window and the main window show.
struct Batch {
    Harness h;
    test::TempFolder out;
    std::filesystem::path tones = out / "tones";
    std::vector<std::string> seen;

    explicit Batch(const std::string& list) : h(list) {
        h.window->SetRingToneDirectory(tones.string());
        std::filesystem::create_directories(tones);
        h.toolkit.OnDoEvents([this] {
            frmBusy* busy = BusyWindow();
            if (busy == nullptr || !busy->isVisible()) return seen.push_back("<no busy window>");
            seen.push_back(busy->windowTitle().toStdString() + "|" +
                           test::Child<QLabel>(*busy, "lblMessage")->text().toStdString() + "|" +
                           test::Child<QProgressBar>(*busy, "prgProgress")->text().toStdString() + "|" +
                           (h.window->isEnabled() ? "enabled" : "disabled") + "|" + h.SelectedRow());
        });
    }
    void Run() { h.Menu("mnuFileBatchWAV")->trigger(); }
};

const std::string TestOther = "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n"
                        "[Other]\r\nRTTTL=Other:d=8,o=6,b=200:e, 4f\r\n";

// The choices checked in the dialog, by name.
std::string Checked(const ModalForm& form) {
    std::string checked;
    for (const char* name : {"chkExport0", "chkExport1", "chkExport2", "optFormat0", "optFormat1", "chkShowType"})
        if (test::Child<QAbstractButton>(form, name)->isChecked()) checked += std::string(name) + " ";
    return checked;
}

struct Layout {
    const char* name;
    const char* types;  // the boxes checked: "012" all
    bool raw, showType;
    std::string lines;  // after the date line, each ended by CR LF
};
const std::string Rule = std::string(59, '-') + "\r\n";
const std::string Order = "Displayed in following order:\r\n";
const Layout Layouts[] = {
    {"first state: keypresses, viewing", "2", false, false,
     Order + "- Nokia Keypresses\r\n" + Rule + "\r\nOther (Tempo 200)\r\n38*, 49\r\n\r\nTest (Tempo 125)\r\n1, 28\r\n\r\n"},
    {"all types, viewing, with type names", "012", false, true,
     Order + "- RTTTL/Chimekit Tones\r\n- Nokia Composer Tones\r\n- Nokia Keypresses\r\n" + Rule + "\r\nOther (Tempo 200)\r\nRTTTL = e, 4f\r\nComposer = 8e2, 4f2\r\nKeypresses = 38*, 49\r\n\r\n"
                "Test (Tempo 125)\r\nRTTTL = c, 8d\r\nComposer = 4c1, 8d1\r\nKeypresses = 1, 28\r\n\r\n"},
    {"composer alone, raw", "1", true, false,
     Order + "- Nokia Composer Tones\r\n" + Rule + "\r\nOther:Tempo=200:8e2, 4f2\r\nTest:Tempo=125:4c1, 8d1\r\n"},
};

}  // namespace

class ListCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void choosingAList() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.WriteList("Rock", Riff);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.Lists()->SelectText("Favtones");  // the current list again: reloaded, display kept
        QCOMPARE(h.NameField()->text().toStdString() + '|' + h.SelectedRow(), std::string("Tune|<none>"));
        h.Rows()->SelectText("Tune");
        h.Lists()->SelectText("Rock");
        QCOMPARE(h.window->RingtoneList().ListName(), std::string("Rock"));
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("Riff|<none>"));
        QVERIFY(h.NameField()->text().isEmpty() && !h.Button("cmdDelete")->isEnabled());
    }

    void questionsAnswered_data() { test::AddRows(Questions); }
    void questionsAnswered() {
        const Question& row = test::TheRow(Questions);
        Harness h;
        h.WriteList("Rock", Riff);
        h.WriteList("Favtones", Two);
        h.Open();
        h.Rows()->SelectText("Tune");
        h.Answer(row.yes);
        if (row.command[0] == 'c') h.Button(row.command)->click();
        else h.Menu(row.command)->trigger();
        QCOMPARE(h.Boxes(), row.box);
        QCOMPARE(h.ListFile(), row.file);
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow() + "|" + h.NameField()->text().toStdString(), row.after);
        QCOMPARE(h.Shown("fraResults"), !row.file.empty());
        QCOMPARE(h.ListFile("Rock"), Riff);
    }

    // With Rock current, its Tune shown, beside Jazz: new and rename list,
    // done or refused.
    void listNames_data() { test::AddRows(ListNames); }
    void listNames() {
        const ListName& row = test::TheRow(ListNames);
        Harness h;
        h.WriteList("Rock", Two);
        h.WriteList("Jazz", Riff);
        h.Open();
        h.Lists()->SelectText("Rock");
        h.Rows()->SelectText("Tune");
        h.QueueListName(row.typed);
        h.Menu(row.command)->trigger();
        QCOMPARE(h.Boxes(), row.box);
        std::string files, contents;  // whatever the names, the lists keep their ringtones
        for (const std::string& file : test::FilesIn(h.home.path())) {
            files += file + " ";
            contents += test::ReadBytes(h.home / file);
        }
        QCOMPARE(files + "|" + contents, std::string(row.files) + "|" + Riff + Two);
        QCOMPARE(h.ListTexts() + "|" + h.window->RingtoneList().ListName() + "|" + h.Lists()->currentText().toStdString() +
                     "|" + h.RowTexts() + "|" + h.SelectedRow(),
                 std::string(row.after));
        QVERIFY(h.Menu("mnuFileDelete")->isEnabled());
        QCOMPARE(h.Shown("fraResults"), !h.RowTexts().empty());
    }

    void blankListNameKeepsTheDialogOpen() {
        Harness h;
        h.Open();
        bool stayedOpen = false;
        h.toolkit.QueueForm([&](ModalForm& shown) {
            test::Child<QLineEdit>(shown, "txtListName")->setText(QStringLiteral("   "));
            test::Click(shown, "cmdOk");
            stayedOpen = !shown.DialogAccepted() && shown.result() != QDialog::Accepted;
            test::Click(shown, "cmdCancel");
        });
        h.Menu("mnuFileNew")->trigger();
        QVERIFY(stayedOpen && !h.window->DialogAccepted());
        QVERIFY(std::filesystem::is_empty(h.home.path()));
    }

    // Of lists a, b and c: the one before the deleted one becomes current.
    void deleteList_data() {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("after");  // the lists, then the current list
        QTest::newRow("middle") << "b" << true << "a,c|a";
        QTest::newRow("first") << "a" << true << "b,c|b";
        QTest::newRow("answered No") << "b" << false << "a,b,c|b";
    }
    void deleteList() {
        QFETCH(QString, deleted);
        QFETCH(bool, yes);
        QFETCH(QString, after);
        Harness h;
        for (const std::string list : {"a", "b", "c"}) h.WriteList(list, "[" + list + "1]\r\nRTTTL=x:d=4,o=5,b=125:c, d\r\n");
        h.Open();
        const std::string T = deleted.toStdString();
        h.Lists()->SelectText(T);
        h.Rows()->SetListIndex(0);
        h.Answer(yes);
        h.Menu("mnuFileDelete")->trigger();
        QCOMPARE(h.Boxes(), "Delete " + T + " List|question|yesno|All ringtones in the '" + T +
                                "' list will be lost if you continue!\r\n\r\nAre you sure you want to delete the '" + T +
                                "' list?");
        QCOMPARE(std::filesystem::exists(h.ListPath(T)), !yes);
        const std::string current = h.window->RingtoneList().ListName();
        QCOMPARE(h.ListTexts() + "|" + current, after.toStdString());
        QCOMPARE(h.Lists()->currentText().toStdString() + "|" + h.RowTexts(), current + "|" + current + "1");
        QCOMPARE(h.NameField()->text().isEmpty(), yes);
    }

    // A click shows a row, a double click plays the row under the pointer,
    // the keyboard moves on, the button plays the ringtone shown (a tempo of
    // 0: silence), a failing player says nothing, and a row whose entry went
    // from the file shows what the file gives.
    void rowsAndPlaying() {
        Harness h(Two + "[Zero]\r\nRTTTL=Zero:d=4,o=5,b=0:c, d\r\n");
        h.ShowActive();
        h.ClickRow(0);
        QCOMPARE(h.NameField()->text() + '|' + h.Text("txtRingtone"), QStringLiteral("Other|3, 4"));
        h.Button("cmdPlaySound")->click();
        QTest::mouseDClick(h.Rows()->viewport(), Qt::LeftButton, {}, h.Rows()->visualItemRect(h.Rows()->item(1)).center());
        QCOMPARE(h.window->Ringtone().Name(), std::string("Tune"));
        QTest::keyClick(h.Rows(), Qt::Key_Down);
        h.Button("cmdPlaySound")->click();
        h.player.FailWith("no sound output device is available");
        QTest::keyClick(h.Rows(), Qt::Key_Up);
        h.Button("cmdPlaySound")->click();
        QCOMPARE(h.player.Played().size(), std::size_t{2});
        QVERIFY(h.player.Played()[0] != h.player.Played()[1]);
        const std::vector<std::string> calls = h.player.Calls();
        QCOMPARE(std::count(calls.begin(), calls.end(), "play"), 3);  // the last one failed
        h.WriteList("Favtones", "");
        h.ClickRow(0);
        QCOMPARE(h.NameField()->text(), QStringLiteral("Other"));
        QVERIFY(h.Shown("txtMessage") && h.Button("cmdPlaySound")->isEnabled());
        QVERIFY(h.toolkit.Boxes().empty() && h.toolkit.BusyDepth() == 0);
    }
};

// "Batch Save All As .WAV Files": one file per ringtone written into the
// ringtone folder, the busy window with its progress, the main window
// disabled meanwhile, and one error box per ringtone that fails.
class BatchTest : public QObject {
    Q_OBJECT

private slots:
    void badTempoCostsOneBoxAndTheOthersAreWritten() {
        Batch b(Three);
        test::WriteBytes(b.tones / "Alpha.wav", std::string(200000, 'x'));  // replaced whole, unasked
        b.Run();
        QCOMPARE(b.h.Boxes(), Warning + "Tunewright|none|ok|An error occurred trying to create " + b.tones.string() +
                                  "/Beta.wav. [the tempo must be above 0, not 0]");
        QCOMPARE(test::FilesIn(b.tones), (std::set<std::string>{"Alpha.wav", "Gamma.wav"}));
        QCOMPARE(test::ReadBytes(b.tones / "Alpha.wav"), test::WaveOf("Alpha:d=4,o=5,b=125:c, d"));
        QCOMPARE(test::ReadBytes(b.tones / "Gamma.wav"), test::WaveOf("Gamma:d=8,o=6,b=200:g, a, b"));
        // Two repaints a ringtone: after its name shows, after its file.
        std::vector<std::string> expected;
        for (const char* name : {"Alpha", "Beta", "Gamma"})
            for (int twice = 0; twice < 2; ++twice)
                expected.push_back("Please Wait...|Generating '" + std::string(name) + ".wav'...|" +
                                   std::to_string(1 + expected.size() / 2) + " of 3|disabled|" + name);
        QCOMPARE(b.seen, expected);
        // Afterwards: the busy window gone, the main window back, the last
        // ringtone selected, shown and current.
        QVERIFY(BusyWindow() == nullptr && b.h.window->isEnabled());
        QCOMPARE(b.h.SelectedRow() + "|" + b.h.window->Ringtone().Name() + "|" + b.h.NameField()->text().toStdString(),
                 std::string("Gamma|Gamma|Gamma"));
        QCOMPARE(b.h.toolkit.BusyDepth(), 0);
        QCOMPARE(b.h.ListFile(), Three);
    }

    // Names that would leave the folder or are no file name, and a row whose
    // entry went from the list file, each get their box and are skipped.
    void ringtonesThatCannotBeWrittenAreSkipped() {
        const std::string kept = "[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, d\r\n[Good]\r\nRTTTL=Good:d=4,o=5,b=125:c, d\r\n"
                                 "[Up]\r\nRTTTL=../Up:d=4,o=5,b=125:c, d\r\n";
        Batch b(kept + "[Gone]\r\nRTTTL=Gone:d=4,o=5,b=125:c, d\r\n");
        b.h.WriteList("Favtones", kept);
        b.Run();
        const std::string box = "Tunewright|none|ok|An error occurred trying to create " + b.tones.string() + "/";
        QCOMPARE(b.h.Boxes(), Warning + box + "AC/DC.wav. [the name cannot be a file name: it holds \"/\"]\n" + box +
                                  "Gone.wav. [the ringtone is no longer in the 'Favtones' list]\n" + box +
                                  "../Up.wav. [the name cannot be a file name: it holds \"/\"]");
        QCOMPARE(test::FilesIn(b.tones), std::set<std::string>{"Good.wav"});
        QCOMPARE(test::FilesIn(b.out.path()), std::set<std::string>{"tones"});
        QCOMPARE(b.seen.size(), std::size_t{8});
    }

    void emptyListWritesNothing() {
        Batch b("");
        b.h.window->mnuFileBatchWAV_Click();  // its menu entry is disabled
        QCOMPARE(b.h.Boxes() + "\n", Warning);
        QVERIFY(b.seen.empty() && BusyWindow() == nullptr && b.h.window->isEnabled());
        QVERIFY(std::filesystem::is_empty(b.tones));
    }

    // Neither window can be closed while the batch runs.
    void windowsStayOpenDuringTheBatch() {
        Batch b(Three);
        b.h.window->show();
        bool closedAny = false;
        b.h.toolkit.OnDoEvents([&] {
            frmBusy* busy = BusyWindow();
            closedAny = closedAny || busy->close() || !busy->isVisible();
            closedAny = closedAny || b.h.window->close() || !b.h.window->isVisible();
            QTest::keyClick(busy, Qt::Key_Escape);
            closedAny = closedAny || !busy->isVisible();
        });
        b.Run();
        QVERIFY(!closedAny);
        QVERIFY(b.h.window->isVisible() && BusyWindow() == nullptr);
        QCOMPARE(test::FilesIn(b.tones).size(), std::size_t{2});
        QVERIFY(b.h.window->close());
    }
};

// "Export &List": the dialog's first state, the layouts of tonelist.txt, the
// editor it is opened in, a file that cannot be written, and the shown
// ringtone staying the one the window edits.
class ExportTest : public QObject {
    Q_OBJECT

private slots:
    // Each opening starts from keypresses, formatted for viewing, without
    // type names; cancel and the close box write nothing.
    void firstStateAndCancel() {
        Harness h(TestOther);
        std::string first, again;
        h.toolkit.QueueForm([&](ModalForm& form) {
            first = Checked(form);
            for (const char* name : {"chkExport0", "optFormat0", "chkShowType"})
                test::Child<QAbstractButton>(form, name)->setChecked(true);
            test::Click(form, "cmdCancel");
        });
        h.Button("cmdExport")->click();
        h.toolkit.QueueForm([&](ModalForm& form) {
            again = Checked(form);
            form.reject();
        });
        h.Menu("mnuRingtoneExport")->trigger();
        QCOMPARE(first + "|" + again, std::string("chkExport2 optFormat1 |chkExport2 optFormat1 "));
        QVERIFY(!std::filesystem::exists(h.home / "tonelist.txt") && !h.window->DialogAccepted());
        QVERIFY(h.toolkit.EditorFiles().empty() && h.toolkit.Boxes().empty() && h.toolkit.Unexpected().empty());
    }

    // The file is replaced, not added to, and opened in the editor; other
    // lists are not exported.
    void layouts_data() { test::AddRows(Layouts); }
    void layouts() {
        const Layout& row = test::TheRow(Layouts);
        Harness h;
        h.WriteList("Favtones", TestOther);
        h.WriteList("Rock", "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n");
        test::WriteBytes(h.home / "tonelist.txt", std::string(100000, 'x'));
        h.Open();
        h.toolkit.QueueForm([&](ModalForm& form) {
            for (int i = 0; i < 3; ++i)
                test::Child<QCheckBox>(form, "chkExport" + std::to_string(i))->setChecked(std::strchr(row.types, '0' + i) != nullptr);
            test::Child<QRadioButton>(form, row.raw ? "optFormat0" : "optFormat1")->setChecked(true);
            test::Child<QCheckBox>(form, "chkShowType")->setChecked(row.showType);
            test::Click(form, "cmdOk");
        });
        h.Button("cmdExport")->click();
        // The rule, the date line, then the list.
        const QString written = QString::fromStdString(test::ReadBytes(h.home / "tonelist.txt"));
        const QString dated = QStringLiteral("^%1Ringtone List Export \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n%2\\z");
        QVERIFY2(QRegularExpression(dated.arg(QString::fromStdString(Rule),
                                              QRegularExpression::escape(QString::fromStdString(row.lines))))
                     .match(written)
                     .hasMatch(),
                 qPrintable(written));
        QCOMPARE(h.toolkit.EditorFiles(), std::vector<std::string>{(h.home / "tonelist.txt").string()});
        QVERIFY(h.toolkit.Boxes().empty() && h.window->DialogAccepted());
    }

    // The file that cannot be written is reported with the box of a missing
    // file; nothing is opened, and what was in the way stays.
    void fileThatCannotBeWritten() {
        Harness h;
        h.WriteList("Favtones", TestOther);
        std::filesystem::create_directories(h.home / "tonelist.txt" / "inside");
        h.Open();
        h.QueueForm("", "", "cmdOk");
        h.Button("cmdExport")->click();
        QCOMPARE(h.Boxes(), std::string("tonelist.txt not found|exclamation|ok|There was an error creating the file."));
        QVERIFY(h.toolkit.EditorFiles().empty() && !h.window->DialogAccepted());
        QVERIFY(std::filesystem::is_directory(h.home / "tonelist.txt" / "inside"));
        QCOMPARE(test::FilesIn(h.home.path()), (std::set<std::string>{"Favtones.dat", "tonelist.txt"}));
    }

    // After the export the shown row is the current ringtone again, so an
    // edit of the tempo goes to its entry and to no other.
    void shownRingtoneStaysTheOneEdited() {
        Harness h(TestOther, "Test");
        h.toolkit.QueueForm([&](ModalForm& form) {
            // As a pass through the list could leave the current ringtone.
            h.window->Ringtone().SetFull_RTTTL("Other:d=8,o=6,b=200:e, 4f");
            test::Click(form, "cmdOk");
        });
        h.Menu("mnuRingtoneExport")->trigger();
        QCOMPARE(h.window->Ringtone().Name() + "|" + h.SelectedRow(), std::string("Test|Test"));
        QCOMPARE(h.NameField()->text() + '|' + h.Text("txtRingtone"), QStringLiteral("Test|1, 28"));
        h.TempoField()->setEditText(QStringLiteral("140"));
        h.window->txtTempo_LostFocus();
        QCOMPARE(h.ListFile(), std::string("[Test]\r\nRTTTL=Test:d=4,o=5,b=140:c, 8d\r\n"
                                           "[Other]\r\nRTTTL=Other:d=8,o=6,b=200:e, 4f\r\n"));
    }
};

TW_UI_TEST_MAIN(ListCommandsTest, BatchTest, ExportTest)
#include "list_test.moc"

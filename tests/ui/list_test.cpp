// The ringtone lists: the list commands, the rows, the batch and the export.
#include <QProcess>

#include "engine/ringtone_text.h"
#include "ui/frm_busy.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Other = "[Other]\r\nRTTTL=Other:d=4,o=5,b=125:e, f\r\n";
const std::string Two = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n" + Other;
const std::string Riff = "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n";

// A list command on lists Jazz (Riff), Rock (Tune, Other) and Zoo (none), Rock current, Tune
// shown, answered Yes/No or a list name typed; then the boxes, the list files, the current
// list's file, the lists and rows.
struct Command {
    const char *name, *command, *input;
    test::BoxList boxes;
    const char* files;
    std::string file;
    test::Seen lists;
    test::Seen rows;
};
const test::Box DeleteTune{"Delete Ringtone", "question", "yesno",
                           "Do you want to delete 'Tune' from the 'Rock' list?"};
const test::Box ClearRock{"Clear Rock List", "question", "yesno",
                          "All ringtones in this list will be lost!\r\n\r\nAre you sure you want to clear the 'Rock' "
                          "list?"};
const test::Box DeleteRock{"Delete Rock List", "question", "yesno",
                           "All ringtones in the 'Rock' list will be lost if you continue!\r\n\r\nAre you sure you "
                           "want to delete the 'Rock' list?"};
const char* const All = "Jazz.dat Rock.dat Zoo.dat ";
const test::Seen OnRock{"Jazz,Rock,Zoo", "Rock", "Rock"};
const test::Seen TuneShown{"Other,Tune", "Tune"};
const Command Commands[] = {
    {"delete ringtone, Yes", "cmdDelete", "Yes", {DeleteTune}, All, Other, OnRock, {"Other", "<none>"}},
    {"delete ringtone, No", "cmdDelete", "No", {DeleteTune}, All, Two, OnRock, TuneShown},
    {"clear list, Yes", "mnuFileClear", "Yes", {ClearRock}, All, "", OnRock, {"", "<none>"}},
    {"clear list, No", "mnuFileClear", "No", {ClearRock}, All, Two, OnRock, TuneShown},
    {"delete list, Yes",
     "mnuFileDelete",
     "Yes",
     {DeleteRock},
     "Jazz.dat Zoo.dat ",
     Riff,
     {"Jazz,Zoo", "Jazz", "Jazz"},
     {"Riff", "<none>"}},
    {"delete list, No", "mnuFileDelete", "No", {DeleteRock}, All, Two, OnRock, TuneShown},
    {"new list",
     "mnuFileNew",
     "Pop",
     {},
     "Jazz.dat Pop.dat Rock.dat Zoo.dat ",
     "",
     {"Jazz,Pop,Rock,Zoo", "Pop", "Pop"},
     {"", "<none>"}},
    {"rename list",
     "mnuFileRename",
     "Pop",
     {},
     "Jazz.dat Pop.dat Zoo.dat ",
     Two,
     {"Jazz,Pop,Zoo", "Pop", "Pop"},
     TuneShown},
    {"new: a list already",
     "mnuFileNew",
     "Jazz",
     {{"New Ringtone List", "exclamation", "ok",
       "The new list was not made.\r\n\r\nthere is a list named 'Jazz' already."}},
     All,
     Two,
     OnRock,
     TuneShown},
    {"new: blank name, the dialog stays", "mnuFileNew", "   ", {}, All, Two, OnRock, TuneShown},
    {"rename onto a list",
     "mnuFileRename",
     "Jazz",
     {{"Rename Ringtone List", "exclamation", "ok",
       "The list 'Rock' was not renamed.\r\n\r\nthere is a list named 'Jazz' already."}},
     All,
     Two,
     OnRock,
     TuneShown},
};

// The ringtone shown: its row, its name in the session and in the name field.
test::Seen ShownOf(const Harness& h) { return {h.SelectedRow(), h.window->Ringtone().Name(), h.Name()}; }

// The name field and the ringtone text shown.
test::Seen FieldsOf(const Harness& h) { return {h.Name(), h.Text("txtRingtone").toStdString()}; }

frmBusy* BusyWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("frmBusy")) return static_cast<frmBusy*>(window);
    return nullptr;
}

// The window on `list`, recording what the windows show at each repaint: the busy window's
// title, message and progress, the main window enabled or not, the row selected.
struct Batch {
    Harness h;
    test::TempDir out;
    std::filesystem::path tones = out / "tones";
    std::vector<test::Seen> seen;

    explicit Batch(const std::string& list) : h(list) {
        h.window->SetRingToneDirectory(tones.string());
        std::filesystem::create_directories(tones);
        h.toolkit.OnDoEvents([this] {
            frmBusy* busy = BusyWindow();
            if (busy == nullptr || !busy->isVisible()) return seen.push_back({"<no busy window>", "", "", "", ""});
            seen.push_back({busy->windowTitle().toStdString(),
                            test::Child<QLabel>(*busy, "lblMessage")->text().toStdString(),
                            test::Child<QProgressBar>(*busy, "prgProgress")->text().toStdString(),
                            h.window->isEnabled() ? "enabled" : "disabled", h.SelectedRow()});
        });
    }
};
const std::string Three =
    "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=125:c, d\r\n[Beta]\r\nRTTTL=Beta:d=4,o=5,b=0:e, f\r\n"
    "[Gamma]\r\nRTTTL=Gamma:d=8,o=6,b=200:g, a, b\r\n";

const std::string TestOther =
    "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n[Other]\r\nRTTTL=Other:d=8,o=6,b=200:e, 4f\r\n";

}  // namespace

// The list commands, the rows and playing.
class ListCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void commands_data() { test::AddRows(Commands); }
    void commands() {
        const Command& row = test::TheRow(Commands);
        Harness h;
        h.WriteList("Jazz", Riff);
        h.WriteList("Rock", Two);
        h.WriteList("Zoo", "");
        h.Open();
        h.Lists()->SelectText("Rock");
        h.Rows()->SelectText("Tune");
        const std::string input = row.input;
        if (input == "Yes" || input == "No") h.Answer(input == "Yes");
        else h.QueueForm("txtListName", input, "cmdOk");
        h.Do(row.command);
        QCOMPARE(h.Boxes(), row.boxes);
        std::string files;
        for (const std::string& file : test::FilesIn(h.home.path())) files += file + " ";
        QCOMPARE(files, std::string(row.files));
        QCOMPARE(h.ListFile(h.window->RingtoneList().ListName()), row.file);
        QCOMPARE(h.Shown("fraResults"), !h.RowTexts().empty());
        QCOMPARE(h.ListState(), row.lists);
        QCOMPARE(h.ListRows(), row.rows);
        QCOMPARE(h.Shown("fraResults") ? h.Name() : "", row.rows[1] == "<none>" ? "" : row.rows[1]);
        QVERIFY(h.toolkit.ScriptUsed());
    }

    // Another program stores, changes and removes entries: the rows and the
    // ringtone shown follow; a name being typed stays.
    void followsAnotherProgram() {
        Harness h(Two, "Tune");
        const std::string changed = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, a\r\n" + Riff;
        h.WriteList("Favtones", changed);
        QTRY_COMPARE(h.ListRows(), (test::Seen{"Riff,Tune", "Tune"}));
        QTRY_COMPARE(h.Text("txtRingtone"), QStringLiteral("5, 6"));
        h.NameField()->setText(QStringLiteral("Typed"));
        h.WriteList("Favtones", changed + Other);
        QTRY_COMPARE(h.RowTexts(), std::string("Other,Riff,Tune"));
        QCOMPARE(h.Name(), std::string("Typed"));
        QCOMPARE(h.SelectedRow(), std::string("Tune"));
        h.NameField()->setText(QStringLiteral("Tune"));
        h.WriteList("Favtones", Riff);
        QTRY_COMPARE(h.ListRows(), (test::Seen{"Riff", "<none>"}));
        QCOMPARE(h.Name(), std::string());
        QVERIFY(h.toolkit.Boxes().empty());
    }

    // A collection file goes into the current list at once; the box says how
    // many and which not; Cancel in the busy window leaves the list as it was.
    void importFromAFile() {
        Harness h(Two, "Tune");
        test::TempDir in;
        std::string collection = "# tones\nRiff: B:d=4,o=5,b=125:c,\n d\nTune:d=8,o=6,b=90:e\nHuge:d=4:";
        collection += std::string(MaxRingtoneText, 'c') + "\n";
        test::WriteBytes(in / "tones.txt", collection);
        h.toolkit.QueueFile((in / "tones.txt").string());
        h.Do("mnuFileImport");
        QCOMPARE(h.toolkit.FileDialogs().at(0).DialogTitle, std::string("Import Ringtones"));
        QCOMPARE(h.Boxes(), (test::BoxList{{"Import Ringtones", "exclamation", "ok",
                                            "Imported 2 ringtones into the 'Favtones' list.\r\n\r\n1 could not be read "
                                            "and were skipped:\r\nline 5: The "
                                            "ringtone text is 4194313 bytes, more than the 4 MiB (4194304 bytes) "
                                            "a ringtone text may be.\r\n\r\nNames were stored with characters "
                                            "replaced:\r\nline 2: name \"Riff- B\": \":\" replaced by \"-\" (a colon "
                                            "ends the name in a ringtone text)"}}));
        QCOMPARE(h.ListRows(), (test::Seen{"Other,Riff- B,Tune,Tune (2)", "Tune"}));
        QVERIFY(h.window->isEnabled() && BusyWindow() == nullptr);
        const std::string before = h.ListFile();
        h.toolkit.ForgetRecords();
        h.toolkit.OnDoEvents([] {
            if (frmBusy* busy = BusyWindow()) test::Click(*busy, "cmdCancel");
        });
        h.toolkit.QueueFile((in / "tones.txt").string());
        h.Do("mnuFileImport");
        QCOMPARE(h.ListFile(), before);
        QCOMPARE(h.Boxes(), test::BoxList{});
        QVERIFY(h.window->isEnabled());
        // Imported again: what the list holds already is left out, and said.
        h.toolkit.OnDoEvents({});
        h.toolkit.ForgetRecords();
        h.toolkit.QueueFile((in / "tones.txt").string());
        h.Do("mnuFileImport");
        QCOMPARE(h.ListFile(), before);
        QCOMPARE(h.Boxes(), (test::BoxList{{"Import Ringtones", "exclamation", "ok",
                                            "Imported 0 ringtones into the 'Favtones' list.\r\n\r\n2 were in the list "
                                            "already and were left out.\r\n\r\n1 "
                                            "could not be read and were skipped:\r\nline 5: The ringtone text is "
                                            "4194313 bytes, more than the 4 MiB (4194304 bytes) a ringtone text may "
                                            "be."}}));
    }

    // The window and the command line store into one list at once: every
    // ringtone of both is kept.
    void windowAndCommandLineTogether() {
        Harness h("");
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TUNEWRIGHT_HOME"), QString::fromStdString(h.home.path().string()));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral("bash"), {QStringLiteral("-c"),
                                           QStringLiteral("for i in $(seq 25); do echo \"cli $i:d=4,o=5,b=125:c\" | "
                                                          "\"$0\" list add Favtones --from rtttl >/dev/null || exit 1; "
                                                          "done"),
                                           QStringLiteral(TW_TUNEWRIGHT)});
        QVERIFY(cli.waitForStarted());
        for (int i = 1; i <= 25; ++i) {
            h.Get(0, "window " + std::to_string(i) + ":d=4,o=5,b=125:d");
            QCoreApplication::processEvents();
        }
        // The command line may have finished while the window's events ran.
        QVERIFY(cli.state() == QProcess::NotRunning || cli.waitForFinished(60000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 0);
        const std::string file = h.ListFile();
        for (const char* who : {"[cli ", "[window "})
            for (int i = 1; i <= 25; ++i)
                QVERIFY2(file.find(who + std::to_string(i) + "]") != std::string::npos,
                         (who + std::to_string(i)).c_str());
        QTRY_COMPARE(h.Rows()->ListCount(), 50);
    }

    // A click shows a row, a double click plays the row under the pointer, the button the one
    // shown; a failing player says nothing; a row whose entry went shows what the file gives.
    void rowsAndPlaying() {
        Harness h(Two);
        QVERIFY(h.ShowActive());
        h.ClickRow(0);
        QCOMPARE(FieldsOf(h), (test::Seen{"Other", "3, 4"}));
        h.Do("cmdPlaySound");
        QTest::mouseDClick(h.Rows()->viewport(), Qt::LeftButton, {},
                           h.Rows()->visualItemRect(h.Rows()->item(1)).center());
        QCOMPARE(h.window->Ringtone().Name(), std::string("Tune"));
        h.player.FailWith("no sound output device is available");
        h.Do("cmdPlaySound");
        QVERIFY(h.player.Played().size() == 2 && h.player.Played()[0] != h.player.Played()[1]);
        h.WriteList("Favtones", "");
        h.ClickRow(0);
        QVERIFY(h.Name() == "Other" && h.Shown("txtMessage") && h.Enabled("cmdPlaySound"));
        QVERIFY(h.Text("txtMessage")
                    .startsWith(QStringLiteral("RTTTL default duration invalid\nRingtone name is invalid.\n")));
        QVERIFY(h.toolkit.Boxes().empty() && h.toolkit.BusyDepth() == 0);
    }
};

// "Batch Save All As .WAV Files" into the ringtone folder.
class BatchTest : public QObject {
    Q_OBJECT

private slots:
    // A tempo of 0, a name that is no file name, an entry gone: a box each; the rest written.
    void eachRingtoneWrittenOrOneBox() {
        const std::string kept = "[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, d\r\n" + Three;
        Batch b(kept + "[Echo]\r\nRTTTL=Echo:d=4,o=5,b=125:c, d\r\n");
        b.h.WriteList("Favtones", kept);
        test::WriteBytes(b.tones / "Alpha.wav", std::string(200000, 'x'));
        b.h.Do("mnuFileBatchWAV");
        const auto failed = [&b](const std::string& rest) {
            return test::Box{"Tunewright", "none", "ok",
                             "An error occurred trying to create " + b.tones.string() + "/" + rest};
        };
        QCOMPARE(b.h.Boxes(), (test::BoxList{{"Generate WAV Files", "information", "ok",
                                              "This will generate a whole set of WAV files from the 'Favtones' list "
                                              "and could take a while."},
                                             failed("AC/DC.wav. [the name cannot be a file name: it holds \"/\"]"),
                                             failed("Beta.wav. [the tempo must be above 0, not 0]"),
                                             failed("Echo.wav. [the ringtone is no longer in the 'Favtones' list]")}));
        QCOMPARE(test::FilesIn(b.tones), (std::set<std::string>{"Alpha.wav", "Gamma.wav"}));
        QCOMPARE(test::FilesIn(b.out.path()), std::set<std::string>{"tones"});
        QCOMPARE(test::ReadBytes(b.tones / "Alpha.wav") + test::ReadBytes(b.tones / "Gamma.wav"),
                 test::WaveOf("Alpha:d=4,o=5,b=125:c, d") + test::WaveOf("Gamma:d=8,o=6,b=200:g, a, b"));
        // Two repaints a ringtone: after its name shows, after its file.
        QCOMPARE(b.seen.size(), std::size_t{10});
        QCOMPARE(b.seen[3], (test::Seen{"Please Wait...", "Generating 'Alpha.wav'...", "2 of 5", "disabled", "Alpha"}));
        QCOMPARE(b.seen[9], (test::Seen{"Please Wait...", "Generating 'Gamma.wav'...", "5 of 5", "disabled", "Gamma"}));
        QVERIFY(BusyWindow() == nullptr && b.h.window->isEnabled() && b.h.toolkit.BusyDepth() == 0);
        QCOMPARE(ShownOf(b.h), (test::Seen{"Gamma", "Gamma", "Gamma"}));
        QCOMPARE(b.h.ListFile(), kept);
    }

    // Neither window closes during the batch, which reads the list file once at its start:
    // emptying the file meanwhile changes nothing.
    void windowsStayOpenDuringTheBatch() {
        Batch b(Three);
        b.h.window->show();
        bool closedAny = false;
        b.h.toolkit.OnDoEvents([&] {
            b.h.WriteList("Favtones", "");
            frmBusy* busy = BusyWindow();
            closedAny = closedAny || busy->close() || !busy->isVisible();
            closedAny = closedAny || b.h.window->close() || !b.h.window->isVisible();
            QTest::keyClick(busy, Qt::Key_Escape);
            closedAny = closedAny || !busy->isVisible();
        });
        b.h.Do("mnuFileBatchWAV");
        QVERIFY(!closedAny && b.h.window->isVisible() && BusyWindow() == nullptr && test::FilesIn(b.tones).size() == 2);
        QVERIFY(b.h.window->close());
    }
};

// "Export &List" into tonelist.txt.
class ExportTest : public QObject {
    Q_OBJECT

private slots:
    // Each opening starts from the same choices; cancel and the close box write nothing, OK
    // replaces the file and opens it in the editor.
    void choicesCancelOkAndFailure() {
        Harness h(TestOther);
        h.WriteList("Rock", Riff);  // not exported
        test::WriteBytes(h.home / "tonelist.txt", std::string(100000, 'x'));
        std::vector<std::string> checked;  // at each opening
        for (const char* how : {"cmdCancel", "", "cmdOk"})
            h.toolkit.QueueForm([&, how](ModalForm& form) {
                checked.emplace_back();
                for (const char* name :
                     {"chkExport0", "chkExport1", "chkExport2", "optFormat0", "optFormat1", "chkShowType"})
                    if (test::Child<QAbstractButton>(form, name)->isChecked())
                        checked.back() += std::string(name) + " ";
                for (const char* name : {"chkExport1", "optFormat0", "chkShowType", "chkExport2"})
                    test::Child<QAbstractButton>(form, name)->setChecked(std::string_view(name) != "chkExport2");
                if (*how) test::Click(form, how);
                else form.reject();
            });
        h.Do("cmdExport");
        h.Do("mnuRingtoneExport");
        QVERIFY(test::ReadBytes(h.home / "tonelist.txt") == std::string(100000, 'x') && !h.window->DialogAccepted());
        QVERIFY(h.toolkit.EditorFiles().empty() && h.toolkit.Boxes().empty() && h.toolkit.Unexpected().empty());
        h.Do("cmdExport");
        QCOMPARE(checked, std::vector<std::string>(3, "chkExport2 optFormat1 "));
        const std::string written = test::ReadBytes(h.home / "tonelist.txt");  // the layout is tested with the export
        QVERIFY2(written.find("order:\r\n- Nokia Composer Tones\r\n---") != std::string::npos &&
                     written.ends_with(
                         "\r\n\r\nComposer = Other:Tempo=200:8e2, 4f2\r\nComposer = Test:Tempo=125:4c1, 8d1\r\n"),
                 written.c_str());
        QCOMPARE(test::Join(h.toolkit.EditorFiles()), (h.home / "tonelist.txt").string());
        QCOMPARE(h.Boxes(), test::BoxList{});
        QVERIFY(h.window->DialogAccepted());
        // A folder in the file's place: a box, and nothing written or opened.
        std::filesystem::remove(h.home / "tonelist.txt");
        std::filesystem::create_directories(h.home / "tonelist.txt" / "inside");
        h.toolkit.ForgetRecords();
        h.QueueForm("", "", "cmdOk");
        h.Do("cmdExport");
        QCOMPARE(
            h.Boxes(),
            (test::BoxList{{"tonelist.txt not found", "exclamation", "ok", "There was an error creating the file."}}));
        QVERIFY(h.toolkit.EditorFiles().empty() && !h.window->DialogAccepted());
        QCOMPARE(test::FilesIn(h.home.path()), (std::set<std::string>{"Favtones.dat", "Rock.dat", "tonelist.txt"}));
        QVERIFY(std::filesystem::is_directory(h.home / "tonelist.txt" / "inside"));
    }

    // The export reads the whole list; afterwards the shown ringtone is the shown row's again.
    void shownRingtoneIsReadAgain() {
        Harness h(TestOther, "Test");
        h.toolkit.QueueForm([&](ModalForm& form) {
            h.window->Ringtone().SetFull_RTTTL(
                "Other:d=8,o=6,b=200:e, 4f");  // as a pass through the list could leave it
            test::Click(form, "cmdOk");
        });
        h.Do("mnuRingtoneExport");
        QCOMPARE(h.window->Ringtone().Name(), std::string("Test"));
        QCOMPARE(h.SelectedRow(), std::string("Test"));
        QCOMPARE(FieldsOf(h), (test::Seen{"Test", "1, 28"}));
    }
};

TW_UI_TEST_MAIN(ListCommandsTest, BatchTest, ExportTest)
#include "list_test.moc"

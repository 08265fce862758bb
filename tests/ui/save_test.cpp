// Saving the shown ringtone to a text or WAV file, with the dialog, the
// overwrite question, cancelling, the name and tempo check and the error
// box; copying it to the clipboard.
#include <QObject>

#include "cli_run.h"
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, 8d\r\n";
const char* const Titles[] = {"Save As RTTTL/Chimekit RingTone File", "Save As Nokia Composer RingTone File",
                              "Save As Keypress File", "Save As WAV File"};
const char* const Filters[] = {"All Files (*.*)|*.*|Chimekit/RTTTL Files (*.txt)|*.txt",
                               "All Files (*.*)|*.*|Composer Files (*.321)|*.321",
                               "All Files (*.*)|*.*|Keypress Files (*.key)|*.key",
                               "All Files (*.*)|*.*|WAV Files (*.wav)|*.wav"};
const char* const TuneTexts[] = {"Tune:d=4,o=5,b=125:c, 8d\r\n", "Tune:Tempo=125:4c1, 8d1\r\n", "Tune:Tempo=125:1, 28\r\n"};
const char* const Overwrite = "Overwrite File?|none|yesno|The file already exists.  Do you want to overwrite it?";

// The bytes `tunewright wav` writes for the RTTTL text `rtttl`.
std::string CliWave(const std::string& rtttl) {
    test::TempFolder folder;
    test::WriteBytes(folder / "in.txt", rtttl);
    const test::CliRun run =
        test::RunTunewright({"wav", "--from", "rtttl", (folder / "in.txt").string(), "-o", (folder / "out.wav").string()});
    if (run.code != 0) throw std::runtime_error("tunewright wav failed: " + run.err);
    return test::ReadBytes(folder / "out.wav");
}

// What a save of type `index` writes for the list entry Tune.
std::string TuneFile(int index) { return index == 3 ? CliWave("Tune:d=4,o=5,b=125:c, 8d") : TuneTexts[index]; }

// The window on a list holding `list`, its row `row` shown.
void OpenShowing(Harness& h, const std::string& list, const std::string& row) {
    h.WriteList("Favtones", list);
    h.Open();
    h.Rows()->SelectText(row);
}

void Save(Harness& h, int index) { h.Menu("mnuRingtoneSave" + std::to_string(index))->trigger(); }

void addTypes() {
    QTest::addColumn<int>("index");
    for (int index = 0; index < 4; ++index) QTest::addRow("%s", Titles[index]) << index;
}

}  // namespace

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    void eachTypeWritesItsFile_data() { addTypes(); }
    void eachTypeWritesItsFile() {
        QFETCH(int, index);
        Harness h;
        OpenShowing(h, Tune, "Tune");
        test::TempFolder out;
        h.toolkit.QueueFile((out / "Tune").string());
        Save(h, index);
        QCOMPARE(h.Boxes(), std::string());
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QVERIFY(dialog.Kind == FileDialogKind::Save);
        QCOMPARE(dialog.DialogTitle, std::string(Titles[index]));
        QCOMPARE(dialog.Filter, std::string(Filters[index]));
        QCOMPARE(dialog.FilterIndex, 2);
        QCOMPARE(dialog.InitDir, h.home.path().string());
        QCOMPARE(dialog.FileName, std::string("Tune"));
        // The file gets exactly the name accepted: no extension is added.
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune"});
        QCOMPARE(test::ReadBytes(out / "Tune"), TuneFile(index));
        QVERIFY(h.window->DialogAccepted());
        QCOMPARE(h.window->RingToneDirectory(), out.path().string());
        QCOMPARE(h.window->ChosenFileName(), std::string("Tune"));
        QCOMPARE(h.toolkit.BusyDepth(), 0);
    }

    void wavButtonIsTheWavMenuEntry() {
        Harness h;
        OpenShowing(h, Tune, "Tune");
        test::TempFolder out;
        h.toolkit.QueueFile((out / "Tune.wav").string());
        h.Button("cmdSave")->click();
        QCOMPARE(h.toolkit.FileDialogs().at(0).DialogTitle, std::string(Titles[3]));
        QCOMPARE(test::ReadBytes(out / "Tune.wav"), TuneFile(3));
    }

    void existingFile_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("yes");
        for (int index = 0; index < 4; ++index)
            for (bool yes : {true, false}) QTest::addRow("%s, %s", Titles[index], yes ? "Yes" : "No") << index << yes;
    }
    void existingFile() {
        QFETCH(int, index);
        QFETCH(bool, yes);
        Harness h;
        OpenShowing(h, Tune, "Tune");
        test::TempFolder out;
        const std::string old(100000, 'x');  // longer than any new content: nothing of it may stay
        test::WriteBytes(out / "Tune.txt", old);
        h.toolkit.QueueFile((out / "Tune.txt").string());
        h.toolkit.QueueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        Save(h, index);
        QCOMPARE(h.Boxes(), std::string(Overwrite));
        QCOMPARE(test::ReadBytes(out / "Tune.txt"), yes ? TuneFile(index) : old);
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune.txt"});
    }

    void cancelWritesNothing_data() { addTypes(); }
    void cancelWritesNothing() {
        QFETCH(int, index);
        Harness h;
        OpenShowing(h, Tune, "Tune");
        h.toolkit.QueueFile(std::nullopt);
        Save(h, index);
        QCOMPARE(h.toolkit.FileDialogs().size(), std::size_t{1});
        QCOMPARE(h.Boxes(), std::string());
        QVERIFY(!h.window->DialogAccepted());
        QCOMPARE(h.window->RingToneDirectory(), h.home.path().string());
        QCOMPARE(test::FilesIn(h.home.path()), std::set<std::string>{"Favtones.dat"});
    }

    // With no name or no tempo nothing is asked and nothing written.
    void nameAndTempoNeeded_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("missing");
        for (int index = 0; index < 4; ++index)
            for (const char* missing : {"name", "tempo"})
                QTest::addRow("%s, no %s", Titles[index], missing) << index << missing;
    }
    void nameAndTempoNeeded() {
        QFETCH(int, index);
        QFETCH(QString, missing);
        Harness h;
        OpenShowing(h, "[NoTempo]\r\nRTTTL=NoTempo:d=4,o=5,b=:c, d\r\n" + Tune,
                    missing == QStringLiteral("name") ? "Tune" : "NoTempo");
        // A name cannot be emptied through the window; the check still holds.
        if (missing == QStringLiteral("name")) {
            h.window->Ringtone().SetName("");
            h.window->mnuRingtoneSave_Click(index);
        } else {
            Save(h, index);
        }
        QCOMPARE(h.Boxes(), std::string("Tunewright|none|ok|Please type in a Ringtone name and Tempo."));
        QVERIFY(h.toolkit.FileDialogs().empty());
    }

    void proposedNameAndTypedName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("typed");
        QTest::newRow("slash becomes underscore") << "AC/DC" << "AC_DC" << "AC_DC";
        QTest::newRow("typed extension kept") << "Tune" << "Tune" << "Tune.txt";
    }
    void proposedNameAndTypedName() {
        QFETCH(QString, name);
        QFETCH(QString, proposed);
        QFETCH(QString, typed);
        Harness h;
        const std::string n = name.toStdString();
        OpenShowing(h, "[" + n + "]\r\nRTTTL=" + n + ":d=4,o=5,b=125:c, 8d\r\n", n);
        test::TempFolder out;
        h.toolkit.QueueFile((out / typed.toStdString()).string());
        Save(h, 0);
        QCOMPARE(QString::fromStdString(h.toolkit.FileDialogs().at(0).FileName), proposed);
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{typed.toStdString()});
        QCOMPARE(test::ReadBytes(out / typed.toStdString()), n + ":d=4,o=5,b=125:c, 8d\r\n");
    }

    // The folder chosen is where the next save and get dialogs start.
    void chosenFolderIsTheNextStartFolder() {
        Harness h;
        OpenShowing(h, Tune, "Tune");
        test::TempFolder out;
        std::filesystem::create_directories(out / "deeper");
        h.toolkit.QueueFile((out / "deeper" / "Tune.321").string());
        Save(h, 1);
        h.toolkit.QueueFile(std::nullopt);
        Save(h, 2);
        h.Option("optFile0")->setChecked(true);
        h.toolkit.QueueFile(std::nullopt);
        h.Button("cmdGet")->click();
        QCOMPARE(h.toolkit.FileDialogs().at(1).InitDir, (out / "deeper").string());
        QCOMPARE(h.toolkit.FileDialogs().at(2).InitDir, (out / "deeper").string());
    }

    // A failed save says so and leaves whatever was there as it was.
    void failuresAreReported_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("target");  // under the output folder
        QTest::addColumn<QString>("reason");
        const QString zero = QStringLiteral("[Zero]\r\nRTTTL=Zero:d=4,o=5,b=0:c, d\r\n");
        for (int index = 0; index < 4; ++index) {
            QTest::addRow("%s into a missing folder", Titles[index])
                << index << QString::fromStdString(Tune) << "gone/Tune" << "could not";
            QTest::addRow("%s over a folder", Titles[index])
                << index << QString::fromStdString(Tune) << "folder" << "could not";
        }
        QTest::newRow("WAV with a tempo of 0") << 3 << zero << "old.wav" << "the tempo must be above 0, not 0";
    }
    void failuresAreReported() {
        QFETCH(int, index);
        QFETCH(QString, list);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        Harness h;
        h.WriteList("Favtones", list.toStdString());
        h.Open();
        h.Rows()->SetListIndex(0);
        test::TempFolder out;
        std::filesystem::create_directories(out / "folder");
        test::WriteBytes(out / "old.wav", "old");
        const std::string path = (out / target.toStdString()).string();
        h.toolkit.QueueFile(path);
        if (std::filesystem::exists(path)) h.toolkit.QueueAnswer(MsgAnswer::Yes);
        Save(h, index);
        const std::vector<MessageBoxRequest>& boxes = h.toolkit.Boxes();
        QVERIFY(!boxes.empty());
        const std::string error = Harness::Describe(boxes.back());
        const std::string start = "Tunewright|none|ok|An error occurred trying to save " + path + ". [";
        QVERIFY2(error.rfind(start, 0) == 0 && error.back() == ']', error.c_str());
        QVERIFY2(error.find(reason.toStdString()) != std::string::npos, error.c_str());
        QCOMPARE(test::FilesIn(out.path()), (std::set<std::string>{"folder", "old.wav"}));
        QCOMPARE(test::ReadBytes(out / "old.wav"), std::string("old"));
        QVERIFY(std::filesystem::is_empty(out / "folder"));
    }

    void copyToClipboard_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        QTest::newRow("RTTTL") << 0 << "Chimekit RTTTL notes have been copied to clipboard."
                               << "Tune:d=4,o=5,b=125:c, 8d";
        QTest::newRow("Composer") << 1 << "Composer notes have been copied to clipboard." << "Tune:Tempo=125:4c1, 8d1";
        QTest::newRow("Keypresses") << 2 << "Keypresses have been copied to clipboard." << "Tune:Tempo=125:1, 28";
    }
    void copyToClipboard() {
        QFETCH(int, index);
        QFETCH(QString, message);
        QFETCH(QString, text);
        Harness h;
        OpenShowing(h, Tune, "Tune");
        h.toolkit.SetClipboardText("earlier text");
        h.toolkit.ForgetRecords();
        h.Menu("mnuEditExportClip" + std::to_string(index))->trigger();
        QCOMPARE(QString::fromStdString(h.Boxes()),
                 QStringLiteral("Copy Ringtone to Clipboard|information|ok|") + message);
        // The message first, then the clipboard emptied and given the text.
        QCOMPARE(h.toolkit.Events(),
                 (std::vector<std::string>{"box: Copy Ringtone to Clipboard", "clear clipboard",
                                           "set clipboard: " + text.toStdString()}));
        QCOMPARE(QString::fromStdString(h.toolkit.ClipboardText()), text);
        QCOMPARE(h.ListFile(), Tune);
    }
};

TW_UI_TEST_MAIN(SaveTest)
#include "save_test.moc"

// Saving the shown ringtone to a text or WAV file, with the dialog, the
// overwrite question, cancelling, the name and tempo check and the error
// box; copying it to the clipboard.
#include <cstring>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Tune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, 8d\r\n";
const char* const Notations[] = {"RTTTL", "Composer", "Keypresses", "WAV"};
const char* const Titles[] = {"Save As RTTTL/Chimekit RingTone File", "Save As Nokia Composer RingTone File",
                              "Save As Keypress File", "Save As WAV File"};
const char* const Types[] = {"Chimekit/RTTTL Files (*.txt)|*.txt", "Composer Files (*.321)|*.321",
                             "Keypress Files (*.key)|*.key", "WAV Files (*.wav)|*.wav"};
const char* const TuneTexts[] = {"Tune:d=4,o=5,b=125:c, 8d\r\n", "Tune:Tempo=125:4c1, 8d1\r\n", "Tune:Tempo=125:1, 28\r\n"};

// What a save of type `index` writes for the list entry Tune.
std::string TuneFile(int index) { return index < 3 ? TuneTexts[index] : test::WaveOf("Tune:d=4,o=5,b=125:c, 8d"); }

void Save(Harness& h, int index) { h.Menu("mnuRingtoneSave" + std::to_string(index))->trigger(); }

void AddTypes(std::initializer_list<int> types) {
    QTest::addColumn<int>("index");
    for (int index : types) QTest::addRow("%s", Notations[index]) << index;
}

}  // namespace

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    // The file gets exactly the name accepted: no extension is added.
    void eachTypeWritesItsFile_data() {
        AddTypes({0, 1, 2, 3});
        QTest::newRow("Save .WAV button") << 4;
    }
    void eachTypeWritesItsFile() {
        QFETCH(int, index);
        const int type = std::min(index, 3);
        Harness h(Tune, "Tune");
        test::TempFolder out;
        h.toolkit.QueueFile((out / "Tune").string());
        if (index == 4) h.Button("cmdSave")->click();
        else Save(h, index);
        QCOMPARE(h.Boxes(), std::string());
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QVERIFY(dialog.Kind == FileDialogKind::Save && dialog.FilterIndex == 2);
        QCOMPARE(dialog.DialogTitle + "|" + dialog.Filter, std::string(Titles[type]) + "|All Files (*.*)|*.*|" + Types[type]);
        QCOMPARE(dialog.InitDir + "|" + dialog.FileName, h.home.path().string() + "|Tune");
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune"});
        QCOMPARE(test::ReadBytes(out / "Tune"), TuneFile(type));
        QVERIFY(h.window->DialogAccepted() && h.toolkit.BusyDepth() == 0);
        QCOMPARE(h.window->RingToneDirectory(), out.path().string());
    }

    // A file that is there: overwritten only on Yes. A cancelled dialog
    // writes nothing and keeps the start folder.
    void existingFileAndCancel_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("answer");  // 1 Yes, 2 No, 0 the dialog cancelled
        for (int index : {0, 3})
            for (int answer : {1, 2, 0})
                QTest::addRow("%s, %s", Notations[index], answer == 1 ? "Yes" : answer == 2 ? "No" : "cancel") << index << answer;
    }
    void existingFileAndCancel() {
        QFETCH(int, index);
        QFETCH(int, answer);
        Harness h(Tune, "Tune");
        test::TempFolder out;
        const std::string old(100000, 'x');  // longer than any new content: nothing of it may stay
        test::WriteBytes(out / "Tune.txt", old);
        h.toolkit.QueueFile(answer == 0 ? std::nullopt : std::optional<std::string>((out / "Tune.txt").string()));
        if (answer != 0) h.Answer(answer == 1);
        Save(h, index);
        QCOMPARE(h.Boxes(), std::string(answer == 0 ? "" : "Overwrite File?|none|yesno|The file already exists.  Do "
                                                           "you want to overwrite it?"));
        QCOMPARE(test::ReadBytes(out / "Tune.txt"), answer == 1 ? TuneFile(index) : old);
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune.txt"});
        QCOMPARE(h.window->RingToneDirectory(), (answer == 0 ? h.home.path() : out.path()).string());
    }

    // With no name or no tempo nothing is asked and nothing written.
    void nameAndTempoNeeded() {
        for (const bool name : {true, false}) {
            Harness h("[NoTempo]\r\nRTTTL=NoTempo:d=4,o=5,b=:c, d\r\n" + Tune, name ? "Tune" : "NoTempo");
            if (name) h.window->Ringtone().SetName("");  // not possible through the window; the check still holds
            h.window->mnuRingtoneSave_Click(name ? 0 : 3);
            QCOMPARE(h.Boxes(), std::string("Tunewright|none|ok|Please type in a Ringtone name and Tempo."));
            QVERIFY(h.toolkit.FileDialogs().empty());
        }
    }

    // "/" cannot stand in a file name: the dialog proposes "_" in its place.
    void proposedName() {
        Harness h("[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c, 8d\r\n", "AC/DC");
        h.toolkit.QueueFile((h.home / "AC_DC.txt").string());
        Save(h, 0);
        QCOMPARE(h.toolkit.FileDialogs().at(0).FileName, std::string("AC_DC"));
        QCOMPARE(test::ReadBytes(h.home / "AC_DC.txt"), std::string("AC/DC:d=4,o=5,b=125:c, 8d\r\n"));
    }

    // A failed save says so and leaves whatever was there as it was.
    void failuresAreReported_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("target");  // under the output folder; old.wav: a tempo of 0
        QTest::newRow("RTTTL into a missing folder") << 0 << "gone/Tune";
        QTest::newRow("WAV over a folder") << 3 << "folder";
        QTest::newRow("WAV with a tempo of 0") << 3 << "old.wav";
    }
    void failuresAreReported() {
        QFETCH(int, index);
        QFETCH(QString, target);
        const bool zero = target == QStringLiteral("old.wav");
        Harness h(zero ? "[Zero]\r\nRTTTL=Zero:d=4,o=5,b=0:c, d\r\n" : Tune);
        h.Rows()->SetListIndex(0);
        test::TempFolder out;
        std::filesystem::create_directories(out / "folder");
        test::WriteBytes(out / "old.wav", "old");
        const std::string path = (out / target.toStdString()).string();
        h.toolkit.QueueFile(path);
        if (std::filesystem::exists(path)) h.Answer(true);
        Save(h, index);
        const std::string error = h.Boxes().substr(h.Boxes().rfind('\n') + 1);
        const std::string start = "Tunewright|none|ok|An error occurred trying to save " + path + ". [";
        QVERIFY2(error.rfind(start, 0) == 0 && error.back() == ']', error.c_str());
        QVERIFY2(error.find(zero ? "the tempo must be above 0, not 0" : "could not") != std::string::npos, error.c_str());
        QCOMPARE(test::FilesIn(out.path()), (std::set<std::string>{"folder", "old.wav"}));
        QVERIFY(test::ReadBytes(out / "old.wav") == "old" && std::filesystem::is_empty(out / "folder"));
    }

    // The message first, then the clipboard emptied and given the text.
    void copyToClipboard_data() { AddTypes({0, 1, 2}); }
    void copyToClipboard() {
        QFETCH(int, index);
        const char* const copied[] = {"Chimekit RTTTL notes have", "Composer notes have", "Keypresses have"};
        const std::string text = std::string(TuneTexts[index]).substr(0, std::strlen(TuneTexts[index]) - 2);
        Harness h(Tune, "Tune");
        h.toolkit.SetClipboardText("earlier text");
        h.toolkit.ForgetRecords();
        h.Menu("mnuEditExportClip" + std::to_string(index))->trigger();
        QCOMPARE(h.Boxes(), "Copy Ringtone to Clipboard|information|ok|" + std::string(copied[index]) +
                                " been copied to clipboard.");
        QCOMPARE(h.toolkit.Events(), (std::vector<std::string>{"box: Copy Ringtone to Clipboard", "clear clipboard",
                                                               "set clipboard: " + text}));
    }
};

TW_UI_TEST_MAIN(SaveTest)
#include "save_test.moc"

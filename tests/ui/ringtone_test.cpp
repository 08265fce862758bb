// The ringtone shown: got, edited in place, saved and copied.
#include <cstring>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string NoRingtone =
    "No RingTone Available|information|ok|No source ringtone has been selected.  Please add a new ringtone from a "
    "webpage or file.";
const std::string OneTune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n";

struct Got {
    const char* name;
    int source;
    std::string text, stored, shown;  // the list file afterwards; name|tempo|notes|keypresses
};
const Got Gets[] = {
    {"RTTTL", 0, "Tune:d=4,o=5,b=125:8c,8d,8e", "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n", "Tune|125|3|18, 2, 3"},
    {"Composer", 1, "Song (Tempo 120) 4c1 8d1 4.#f3", "[Song]\r\nRTTTL=Song:d=4,o=5,b=120:c, 8d, f#.7\r\n",
     "Song|120|3|1, 28, (hold 4)9**#"},
    {"keypresses, first worked example", 2, "Tune:Tempo=125:55 8, 6(hold 0)",
     "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, 8g, 8a, 8p\r\n", "Tune|125|4|5, 58, 6, 0"},
    {"keypresses, second worked example", 2, "Tune:Tempo=125:5 (1) #7",
     "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, c#., b\r\n", "Tune|125|3|5, (hold 1)#, 7"},
    {"keypresses without a colon", 2, "1 2 3", "[No name]\r\nRTTTL=No name:d=4,o=5,b=125:c, d, e\r\n",
     "No name|125|3|1, 2, 3"},
};
// How a get ends early: "file" (the file dialog) or the paste box's button
// ("close": its close box); then -1 the dialog cancelled, 1 "No RingTone
// Available", 2 that and "Could not open file" before it, 3 the header could
// not be read (the display emptied).
struct Nothing {
    const char* name;
    const char* how;
    const char* file;
    std::string content;
    int boxes;
};
const Nothing Nothings[] = {
    {"file dialog cancelled", "file", "", "", -1},
    {"paste cancelled", "cmdCancel", "", "Tune:d=4,o=5,b=125:c", -1},
    {"paste box closed", "close", "", "Tune:d=4,o=5,b=125:c", -1},
    {"pasted spaces", "cmdOk", "", "   ", 1},
    {"file of spaces and line ends", "file", "blank.txt", "  \r\n \n", 1},
    {"missing file", "file", "gone.txt", "", 2},
    {"file over 1 MiB", "file", "big.txt", std::string((1 << 20) + 1, 'c'), 2},
    {"pasted header unreadable", "cmdOk", "", "Tune:d=4", 3},
    {"file header unreadable", "file", "bad.txt", "Tune:d=4", 3},
};
const char* const OpenTitles[] = {"Select RTTTL/Chimekit RingTone File", "Select Nokia Composer RingTone File",
                                  "Select Keypress File"};

// Entry A is not written as the program writes it, so any rewrite shows.
const std::string AB = "[A]\r\nRTTTL=A:d=4,o=5,b=125:c,d\r\n[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string B = "[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string C = B + "[C]\r\nRTTTL=C:d=4,o=5,b=125:c, d\r\n";
const std::string ReplaceB =
    "Ringtone Name|question|yesno|There is already a ringtone named 'b' in the 'Favtones' list.\r\n\r\nDo you want "
    "to replace it?";
const std::string PutBack = "Ringtone Name|exclamation|ok|A ringtone ";

struct NameEdit {
    const char* name;
    const char* typed;
    int answer;  // to the replace question: 0 none asked, 1 Yes, 2 No
    std::string file;
    const char* rows;  // the name shown, then the rows
    std::string box;
};
const NameEdit NameEdits[] = {
    {"unchanged", "A", 0, AB, "A|A,B", ""},
    {"only spaces added", " A ", 0, AB, "A|A,B", ""},
    {"renamed and trimmed", "  C  ", 0, C, "C|B,C", ""},
    {"letter case only", "a", 0, B + "[a]\r\nRTTTL=a:d=4,o=5,b=125:c, d\r\n", "a|a,B", ""},
    {"empty", "   ", 0, AB, "A|A,B", PutBack + "needs a name.  The name has been put back."},
    {"colon", "A:1", 0, AB, "A|A,B", PutBack + "name cannot hold \":\".  The name has been put back."},
    {"replace another, Yes", "b", 1, "[b]\r\nRTTTL=b:d=4,o=5,b=125:c, d\r\n", "b|b", ReplaceB},
    {"replace another, No", "b", 2, AB, "A|A,B", ReplaceB},
};

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

}  // namespace

// "&Get It...": from a file or pasted text in each notation, the cancel
// paths, and what is said when there is nothing to read.
class GetTest : public QObject {
    Q_OBJECT

private slots:
    void eachNotationFromPasteAndFile_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("fromFile");
        for (int i = 0; i < int(std::size(Gets)); ++i)
            for (bool fromFile : {false, true})
                QTest::addRow("%s %s", Gets[i].name, fromFile ? "from a file" : "pasted") << i << fromFile;
    }
    void eachNotationFromPasteAndFile() {
        const Got& row = test::TheRow(Gets);
        QFETCH(bool, fromFile);
        Harness h("");
        test::TempFolder tones;
        // A file's lines, whatever ends them, are joined with nothing between.
        const std::size_t third = row.text.size() / 3;
        test::WriteBytes(tones / "tone.x", row.text.substr(0, third) + "\r\n" + row.text.substr(third, third) + "\n" +
                                               row.text.substr(2 * third) + "\r");
        h.Get(row.source, row.text, fromFile ? (tones / "tone.x").string() : std::string());
        QCOMPARE(h.Boxes(), std::string());
        QCOMPARE(h.window->SourceText(), row.text);
        QCOMPARE(h.ListFile(), row.stored);
        QCOMPARE(h.NameField()->text() + '|' + h.TempoField()->currentText() + '|' +
                     h.Find<QLabel>("lblNoteCount")->text() + '|' + h.Text("txtRingtone"),
                 QString::fromStdString(row.shown));
        QCOMPARE(h.SelectedRow(), row.shown.substr(0, row.shown.find('|')));
        QVERIFY(!h.Shown("txtMessage") && h.Button("cmdPlaySound")->isEnabled());
        if (!fromFile) return;
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QCOMPARE(dialog.DialogTitle + "|" + dialog.Filter + "|" + std::to_string(dialog.FilterIndex) + "|" + dialog.InitDir,
                 std::string(OpenTitles[row.source]) + "|All Files (*.*)|*.*|" + Types[row.source] + "|2|" +
                     h.home.path().string());
        QCOMPARE(h.window->RingToneDirectory() + "|" + h.window->ChosenFileName(), tones.path().string() + "|tone.x");
    }

    // What ends a get before anything is stored: the dialog's answer, then
    // the boxes shown; the list stays as it was.
    void nothingGot_data() { test::AddRows(Nothings); }
    void nothingGot() {
        const Nothing& row = test::TheRow(Nothings);
        Harness h(OneTune, "Tune");
        const std::string how = row.how, path = (h.home / row.file).string();
        if (how != "file") h.QueueForm("txtSource", row.content, how == "close" ? "" : how);
        else if (std::string(row.file) != "gone.txt" && row.file[0] != 0) test::WriteBytes(path, row.content);
        if (how == "file") h.toolkit.QueueFile(row.file[0] == 0 ? std::nullopt : std::optional<std::string>(path));
        h.Option(how == "file" ? "optFile0" : "optFile1")->setChecked(true);
        h.Button("cmdGet")->click();
        QCOMPARE(h.window->DialogAccepted(), row.boxes >= 0);
        const std::string open = "Tunewright|none|ok|Could not open file " + path + "\n";
        const std::string unreadable = "Tunewright|exclamation|ok|The ringtone header could not be read.";
        QCOMPARE(h.Boxes(), row.boxes == 3 ? unreadable : row.boxes <= 0 ? "" : (row.boxes == 2 ? open : "") + NoRingtone);
        const std::string shown = row.boxes == 3 ? "" : "Tune";
        QCOMPARE(h.ListFile() + h.NameField()->text().toStdString() + "|" + h.SelectedRow(),
                 OneTune + shown + "|" + (row.boxes == 3 ? "<none>" : "Tune"));
        QCOMPARE(h.Button("cmdDelete")->isEnabled(), row.boxes != 3);
        QVERIFY(h.toolkit.ScriptUsed());
    }

    // A new name gets one row at its sorted place, a known name its row
    // again with the entry replaced; "Paste" takes the clipboard's text in
    // place of what the paste box held; a store that fails adds no row.
    void rowsOfTheList() {
        Harness h("[alpha]\r\nRTTTL=alpha:d=4,o=5,b=125:c, d\r\n[Charlie]\r\nRTTTL=Charlie:d=4,o=5,b=125:c, d\r\n");
        h.Get(0, "bravo:d=4,o=5,b=125:c,d");
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("alpha,bravo,Charlie|bravo"));
        h.Rows()->SelectText("alpha");
        h.toolkit.SetClipboardText("bravo:d=4,o=5,b=90:e,f");
        h.toolkit.QueueForm([](ModalForm& form) {
            test::Child<QPlainTextEdit>(form, "txtSource")->setPlainText(QStringLiteral("old text"));
            test::Click(form, "cmdPaste");
            test::Click(form, "cmdOk");
        });
        h.Button("cmdGet")->click();
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("alpha,bravo,Charlie|bravo"));
        QCOMPARE(h.TempoField()->currentText(), QStringLiteral("90"));
        QVERIFY(h.ListFile().find("[bravo]\r\nRTTTL=bravo:d=4,o=5,b=90:e, f\r\n") != std::string::npos);
        std::filesystem::remove(h.ListPath("Favtones"));
        std::filesystem::create_directory(h.ListPath("Favtones"));  // the list file cannot be read
        h.Get(0, "Tune:d=4,o=5,b=125:c,d");
        QVERIFY(h.Boxes().rfind("Store Ringtone Error|critical|ok|Could not store the ringtone 'Tune' in the "
                                "'Favtones' list!\r\n\r\n", 0) == 0);
        QVERIFY(h.RowTexts() == "alpha,bravo,Charlie" && h.NameField()->text().isEmpty());
    }
};

// The name and tempo fields: what reaches the list file, what is refused,
// and when an edit is stored.
class EditTest : public QObject {
    Q_OBJECT

private slots:
    void nameEdit_data() { test::AddRows(NameEdits); }
    void nameEdit() {
        const NameEdit& row = test::TheRow(NameEdits);
        Harness h(AB, "A");
        if (row.answer != 0) h.Answer(row.answer == 1);
        h.NameField()->setText(QString::fromLatin1(row.typed));
        h.window->txtName_LostFocus();
        QCOMPARE(h.ListFile(), row.file);
        QCOMPARE(h.NameField()->text().toStdString() + "|" + h.RowTexts(), std::string(row.rows));
        const std::string shown = std::string(row.rows).substr(0, 1);
        QCOMPARE(h.SelectedRow() + "|" + h.window->Ringtone().Name(), shown + "|" + shown);
        QCOMPARE(h.Boxes(), row.box);
        QVERIFY(h.toolkit.ScriptUsed());
    }

    void tempoEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // the tempo afterwards, in the file and the field
        const char* const rows[][2] = {{"140", "140"}, {"32767", "32767"}, {"112.5", "112"}, {" 90 ", "90"},
                                       {"fast", ""},   {"0", ""},          {"-5", ""},       {"32768", ""},
                                       {"1:2", ""},    {"1,2", ""},        {"", ""}};
        for (const auto& row : rows) QTest::addRow("'%s'", row[0]) << row[0] << row[1];
    }
    void tempoEdit() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Harness h(AB, "A");
        h.TempoField()->setEditText(typed);
        h.window->txtTempo_LostFocus();
        const std::string expected =
            stored.isEmpty() ? AB : "[A]\r\nRTTTL=A:d=4,o=5,b=" + stored.toStdString() + ":c, d\r\n" + B;
        QCOMPARE(h.ListFile(), expected);
        QCOMPARE(h.TempoField()->currentText(), stored.isEmpty() ? QStringLiteral("125") : stored);
        QVERIFY(h.toolkit.Boxes().empty());
    }

    // No row selected, an emptied display, a tempo beside an empty name.
    void editsThatDoNothing() {
        Harness h(AB);
        h.NameField()->setText(QStringLiteral("New"));
        h.window->CommitEdits();
        h.Rows()->SelectText("A");
        h.Get(0, "Tune:d=4");  // an unreadable header empties the display
        h.NameField()->setText(QStringLiteral("X"));
        h.window->CommitEdits();
        h.Rows()->SelectText("A");
        h.NameField()->setText(QString());
        h.TempoField()->setEditText(QStringLiteral("90"));
        h.window->txtTempo_LostFocus();
        QCOMPARE(h.ListFile(), AB);
    }

    // A pending edit is stored before a command runs, and when the field is
    // left, before the row clicked shows.
    void pendingEditsAreStored() {
        Harness h(AB, "A");
        h.NameField()->setText(QStringLiteral("Z"));
        h.TempoField()->setEditText(QStringLiteral("80"));
        h.Answer(false);
        h.Button("cmdDelete")->click();
        QCOMPARE(h.Boxes(), std::string("Delete Ringtone|question|yesno|Do you want to delete 'Z' from the 'Favtones' list?"));
        QCOMPARE(h.ListFile(), B + "[Z]\r\nRTTTL=Z:d=4,o=5,b=80:c, d\r\n");
        Harness left(AB, "A");
        left.ShowActive();
        left.TempoField()->setFocus();
        left.TempoField()->setEditText(QStringLiteral("63"));
        left.NameField()->setFocus();
        QTRY_VERIFY(left.NameField()->hasFocus());
        left.NameField()->setText(QStringLiteral("Alpha"));
        left.ClickRow(1);
        QCOMPARE(left.ListFile(), B + "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=63:c, d\r\n");
        QCOMPARE(left.RowTexts() + "|" + left.NameField()->text().toStdString(), std::string("Alpha,B|B"));
    }
};

// The save dialogs, the overwrite question, cancelling, the name and tempo
// check and the error box; copying to the clipboard.
class SaveTest : public QObject {
    Q_OBJECT

private slots:
    // The file gets exactly the name accepted, no extension added; one that
    // is there is replaced only on Yes; cancel writes nothing and keeps the
    // start folder.
    void saves_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("answer");  // "new file", "Yes" or "No" to replacing one, "cancel"
        for (int index = 0; index < 4; ++index) QTest::addRow("%s", Notations[index]) << index << "new file";
        QTest::newRow("Save .WAV button") << 4 << "new file";
        for (int index : {0, 3})
            for (const char* answer : {"Yes", "No", "cancel"})
                QTest::addRow("%s, file there, %s", Notations[index], answer) << index << answer;
    }
    void saves() {
        QFETCH(int, index);
        QFETCH(QString, answer);
        const int type = std::min(index, 3);
        Harness h(Tune, "Tune");
        test::TempFolder out;
        const std::string old(100000, 'x');  // longer than any new content: nothing of it may stay
        if (answer != "new file") test::WriteBytes(out / "Tune", old);
        h.toolkit.QueueFile(answer == "cancel" ? std::nullopt : std::optional<std::string>((out / "Tune").string()));
        const bool asked = answer == "Yes" || answer == "No";
        if (asked) h.Answer(answer == "Yes");
        if (index == 4) h.Button("cmdSave")->click();
        else Save(h, index);
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        QVERIFY(dialog.Kind == FileDialogKind::Save && dialog.FilterIndex == 2);
        QCOMPARE(dialog.DialogTitle + "|" + dialog.Filter, std::string(Titles[type]) + "|All Files (*.*)|*.*|" + Types[type]);
        QCOMPARE(dialog.InitDir + "|" + dialog.FileName, h.home.path().string() + "|Tune");
        QCOMPARE(h.Boxes(), std::string(asked ? "Overwrite File?|none|yesno|The file already exists.  Do you want to "
                                                "overwrite it?" : ""));
        QCOMPARE(test::FilesIn(out.path()), std::set<std::string>{"Tune"});
        QCOMPARE(test::ReadBytes(out / "Tune"), answer == "new file" || answer == "Yes" ? TuneFile(type) : old);
        QCOMPARE(h.window->DialogAccepted(), answer != "cancel");
        QCOMPARE(h.window->RingToneDirectory(), (answer == "cancel" ? h.home.path() : out.path()).string());
        QCOMPARE(h.toolkit.BusyDepth(), 0);
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
    void copyToClipboard_data() {
        QTest::addColumn<int>("index");
        for (int index : {0, 1, 2}) QTest::addRow("%s", Notations[index]) << index;
    }
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

TW_UI_TEST_MAIN(GetTest, EditTest, SaveTest)
#include "ringtone_test.moc"

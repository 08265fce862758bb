// "&Get It...": from a file and from pasted text in each notation, the
// cancel paths, and what is said when there is nothing to read.
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
// Available", 2 that and "Could not open file" before it.
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
};
const char* const OpenTitles[] = {"Select RTTTL/Chimekit RingTone File", "Select Nokia Composer RingTone File",
                                  "Select Keypress File"};
const char* const OpenTypes[] = {"Chimekit/RTTTL Files (*.txt)|*.txt", "Composer Files (*.321)|*.321",
                                 "Keypress Files (*.key)|*.key"};

}  // namespace

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
                 std::string(OpenTitles[row.source]) + "|All Files (*.*)|*.*|" + OpenTypes[row.source] + "|2|" +
                     h.home.path().string());
        QCOMPARE(h.window->RingToneDirectory() + "|" + h.window->ChosenFileName(), tones.path().string() + "|tone.x");
    }

    // What ends a get before anything is stored: the dialog's answer, then
    // the boxes shown; the list and the display stay as they were.
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
        QCOMPARE(h.Boxes(), row.boxes <= 0 ? std::string() : (row.boxes == 2 ? open : "") + NoRingtone);
        QCOMPARE(h.ListFile() + h.NameField()->text().toStdString(), OneTune + "Tune");
        QVERIFY(h.toolkit.ScriptUsed());
    }

    // An unreadable header is said, and the display is emptied.
    void unreadableHeaderIsSaid() {
        for (const bool fromFile : {false, true}) {
            Harness h(OneTune, "Tune");
            const std::string text = fromFile ? "Song (Tempo 120 4c1" : "Tune:d=4";
            test::WriteBytes(h.home.path() / "bad.txt", text);
            h.Get(fromFile ? 1 : 0, text, fromFile ? (h.home / "bad.txt").string() : std::string());
            QCOMPARE(h.Boxes(), std::string("Tunewright|exclamation|ok|The ringtone header could not be read."));
            QCOMPARE(h.ListFile() + h.SelectedRow(), OneTune + "<none>");
            QVERIFY(h.NameField()->text().isEmpty() && !h.Button("cmdDelete")->isEnabled());
        }
    }

    void rowsOfTheList() {
        Harness h("[alpha]\r\nRTTTL=alpha:d=4,o=5,b=125:c, d\r\n[Charlie]\r\nRTTTL=Charlie:d=4,o=5,b=125:c, d\r\n");
        h.Get(0, "bravo:d=4,o=5,b=125:c,d");  // a new name: one row, at its sorted place
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("alpha,bravo,Charlie|bravo"));
        h.Rows()->SelectText("alpha");
        h.Get(0, "bravo:d=4,o=5,b=90:e,f");  // a known name: its row again, the entry replaced
        QCOMPARE(h.RowTexts() + "|" + h.SelectedRow(), std::string("alpha,bravo,Charlie|bravo"));
        QCOMPARE(h.TempoField()->currentText(), QStringLiteral("90"));
        QVERIFY(h.ListFile().find("[bravo]\r\nRTTTL=bravo:d=4,o=5,b=90:e, f\r\n") != std::string::npos);
    }

    void failedStoreAddsNoRow() {
        Harness h;
        h.Open();
        std::filesystem::create_directory(h.ListPath("Favtones"));  // the list file cannot be read
        h.Get(0, "Tune:d=4,o=5,b=125:c,d");
        QVERIFY(h.Boxes().rfind("Store Ringtone Error|critical|ok|Could not store the ringtone 'Tune' in the "
                                "'Favtones' list!\r\n\r\n", 0) == 0);
        QVERIFY(h.RowTexts().empty() && h.NameField()->text().isEmpty());
    }

    // "Paste" puts the clipboard's text in place of what the field held.
    void pasteButton() {
        Harness h("");
        h.toolkit.SetClipboardText("Clip:d=4,o=5,b=125:c,d");
        h.toolkit.QueueForm([](ModalForm& form) {
            QVERIFY(test::Child<QPushButton>(form, "cmdOk")->isDefault());
            test::Child<QPlainTextEdit>(form, "txtSource")->setPlainText(QStringLiteral("old text"));
            test::Click(form, "cmdPaste");
            test::Click(form, "cmdOk");
        });
        h.Button("cmdGet")->click();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"Get a Ringtone"});
        QCOMPARE(h.window->SourceText() + "|" + h.RowTexts(), std::string("Clip:d=4,o=5,b=125:c,d|Clip"));
    }
};

TW_UI_TEST_MAIN(GetTest)
#include "get_test.moc"

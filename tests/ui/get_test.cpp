// "&Get It...": from a file and from pasted text in each notation, the
// cancel paths, and what is said when there is nothing to read.
#include <QObject>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const char* const NoRingtone =
    "No RingTone Available|information|ok|No source ringtone has been selected.  Please add a new ringtone from a "
    "webpage or file.";
const char* const OneTune = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:c, d\r\n";

}  // namespace

class GetTest : public QObject {
    Q_OBJECT

private slots:
    void eachNotationFromPasteAndFile_data() {
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");  // the list file afterwards
        QTest::addColumn<QString>("shown");   // name|tempo|notes|keypresses
        const auto row = [](const char* name, int source, const char* text, const char* stored, const char* shown) {
            for (bool fromFile : {false, true})
                QTest::addRow("%s %s", name, fromFile ? "from a file" : "pasted")
                    << fromFile << source << text << stored << shown;
        };
        row("RTTTL", 0, "Tune:d=4,o=5,b=125:8c,8d,8e", "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:8c, 8d, 8e\r\n",
            "Tune|125|3|18, 2, 3");
        row("Composer", 1, "Song (Tempo 120) 4c1 8d1 4.#f3", "[Song]\r\nRTTTL=Song:d=4,o=5,b=120:c, 8d, f#.7\r\n",
            "Song|120|3|1, 28, (hold 4)9**#");
        row("keypresses, first worked example", 2, "Tune:Tempo=125:55 8, 6(hold 0)",
            "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, 8g, 8a, 8p\r\n", "Tune|125|4|5, 58, 6, 0");
        row("keypresses, second worked example", 2, "Tune:Tempo=125:5 (1) #7",
            "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, c#., b\r\n", "Tune|125|3|5, (hold 1)#, 7");
        row("keypresses without a colon", 2, "1 2 3", "[No name]\r\nRTTTL=No name:d=4,o=5,b=125:c, d, e\r\n",
            "No name|125|3|1, 2, 3");
    }
    void eachNotationFromPasteAndFile() {
        QFETCH(bool, fromFile);
        QFETCH(int, source);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        Harness h;
        h.Open();
        test::TempFolder tones;
        const std::string bytes = text.toStdString();
        // A file's lines, whatever ends them, are joined with nothing between.
        const std::size_t third = bytes.size() / 3;
        test::WriteBytes(tones / "tone.x", bytes.substr(0, third) + "\r\n" + bytes.substr(third, third) + "\n" +
                                               bytes.substr(2 * third) + "\r");
        h.Get(source, bytes, fromFile ? (tones / "tone.x").string() : std::string());
        QCOMPARE(QString::fromStdString(h.Boxes()), QString());
        QCOMPARE(h.window->SourceText(), bytes);
        QCOMPARE(QString::fromStdString(h.ListFile()), stored);
        QCOMPARE(h.NameField()->text() + '|' + h.TempoField()->currentText() + '|' +
                     h.Find<QLabel>("lblNoteCount")->text() + '|' + h.Text("txtRingtone"),
                 shown);
        QCOMPARE(QString::fromStdString(h.SelectedRow()), shown.section(QChar(u'|'), 0, 0));
        QVERIFY(!h.Shown("txtMessage") && h.Button("cmdPlaySound")->isEnabled());
        if (!fromFile) return;
        const FileDialogRequest& dialog = h.toolkit.FileDialogs().at(0);
        const char* const types[] = {"Chimekit/RTTTL Files (*.txt)|*.txt", "Composer Files (*.321)|*.321",
                                     "Keypress Files (*.key)|*.key"};
        const char* const titles[] = {"Select RTTTL/Chimekit RingTone File", "Select Nokia Composer RingTone File",
                                      "Select Keypress File"};
        QCOMPARE(dialog.DialogTitle, std::string(titles[source]));
        QCOMPARE(dialog.Filter, "All Files (*.*)|*.*|" + std::string(types[source]));
        QCOMPARE(dialog.FilterIndex, 2);
        QCOMPARE(dialog.InitDir, h.home.path().string());
        QCOMPARE(h.window->RingToneDirectory(), tones.path().string());
        QCOMPARE(h.window->ChosenFileName(), std::string("tone.x"));
    }

    void chosenFolderBecomesTheStartFolder() {
        Harness h;
        h.Open();
        test::TempFolder tones;
        std::filesystem::create_directories(tones.path() / "a.txt");
        test::WriteBytes(tones.path() / "a.txt" / "a.txt", "Tune:d=4,o=5,b=125:\nc,d,e\n");
        h.Get(0, "", (tones / "a.txt/a.txt").string());
        QCOMPARE(h.window->SourceText(), std::string("Tune:d=4,o=5,b=125:c,d,e"));
        h.toolkit.QueueFile(std::nullopt);
        h.Button("cmdGet")->click();
        QCOMPARE(h.toolkit.FileDialogs().at(1).InitDir, (tones / "a.txt").string());
    }

    // What ends a get before anything is stored: the dialog's answer, then
    // the boxes shown.
    void nothingGot_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("boxes");
        const QString open = QStringLiteral("Tunewright|none|ok|Could not open file %1\n") + NoRingtone;
        QTest::newRow("file dialog cancelled") << "file" << "" << QByteArray() << false << "";
        QTest::newRow("paste cancelled") << "cmdCancel" << "" << QByteArray("Tune:d=4,o=5,b=125:c") << false << "";
        QTest::newRow("paste box closed") << "close" << "" << QByteArray("Tune:d=4,o=5,b=125:c") << false << "";
        QTest::newRow("pasted spaces") << "cmdOk" << "" << QByteArray("   ") << true << NoRingtone;
        QTest::newRow("pasted nothing") << "cmdOk" << "" << QByteArray() << true << NoRingtone;
        QTest::newRow("file of spaces and line ends") << "file" << "blank.txt" << QByteArray("  \r\n \n") << true
                                                      << NoRingtone;
        QTest::newRow("missing file") << "file" << "gone.txt" << QByteArray() << true << open;
        QTest::newRow("file over 1 MiB") << "file" << "big.txt" << QByteArray((1 << 20) + 1, 'c') << true << open;
    }
    void nothingGot() {
        QFETCH(QString, how);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, accepted);
        QFETCH(QString, boxes);
        Harness h;
        h.WriteList("Favtones", OneTune);
        h.Open();
        h.Rows()->SetListIndex(0);
        const std::string path = (h.home / file.toStdString()).string();
        if (how != "file") {
            h.QueueForm("txtSource", content.toStdString(), how == "close" ? std::string() : how.toStdString());
            h.Option("optFile1")->setChecked(true);
        } else {
            if (!file.isEmpty() && file != "gone.txt") test::WriteBytes(path, content.toStdString());
            h.Option("optFile0")->setChecked(true);
            h.toolkit.QueueFile(file.isEmpty() ? std::nullopt : std::optional<std::string>(path));
        }
        h.Button("cmdGet")->click();
        QCOMPARE(h.window->DialogAccepted(), accepted);
        QCOMPARE(QString::fromStdString(h.Boxes()), boxes.arg(QString::fromStdString(path)));
        QCOMPARE(h.ListFile(), std::string(OneTune));
        QCOMPARE(h.NameField()->text(), QStringLiteral("Tune"));  // the display is as it was
        QVERIFY(h.toolkit.ScriptUsed());
    }

    void unreadableHeaderIsSaid_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("RTTTL pasted") << 0 << false;
        QTest::newRow("Composer from a file") << 1 << true;
    }
    void unreadableHeaderIsSaid() {
        QFETCH(int, source);
        QFETCH(bool, fromFile);
        Harness h;
        h.WriteList("Favtones", OneTune);
        h.Open();
        h.Rows()->SetListIndex(0);
        const std::string text = source == 0 ? "Tune:d=4" : "Song (Tempo 120 4c1";
        test::WriteBytes(h.home.path() / "bad.txt", text);
        h.Get(source, text, fromFile ? (h.home / "bad.txt").string() : std::string());
        QCOMPARE(h.Boxes(), std::string("Tunewright|exclamation|ok|The ringtone header could not be read."));
        QCOMPARE(h.ListFile(), std::string(OneTune));
        QCOMPARE(h.SelectedRow(), std::string("<none>"));
        QVERIFY(h.NameField()->text().isEmpty() && !h.Button("cmdDelete")->isEnabled());
    }

    void problemsOfThePastedTextShow() {
        Harness h;
        h.Open();
        h.Get(0, "My tune:d=4,o=5,b=125:8c, 8d 8f");
        // The stored copy keeps what could be read; the problem shows all the same.
        QCOMPARE(h.ListFile(), std::string("[My tune]\r\nRTTTL=My tune:d=4,o=5,b=125:8c, 8d\r\n"));
        QCOMPARE(h.Text("txtMessage"), QStringLiteral("The ringtone note format seems to be invalid.  Check the "
                                                      "ringtone matches the source type in Box 1.\n"));
        QVERIFY(h.Shown("txtMessage"));
    }

    void rowsOfTheList() {
        Harness h;
        h.WriteList("Favtones", "[alpha]\r\nRTTTL=alpha:d=4,o=5,b=125:c, d\r\n[Charlie]\r\nRTTTL=Charlie:d=4,o=5,b=125:c, d\r\n");
        h.Open();
        h.Get(0, "bravo:d=4,o=5,b=125:c,d");  // a new name: one row, at its sorted place
        QCOMPARE(h.RowTexts(), std::string("alpha,bravo,Charlie"));
        QCOMPARE(h.Rows()->currentRow(), 1);
        h.Rows()->SelectText("alpha");
        h.Get(0, "bravo:d=4,o=5,b=90:e,f");  // a known name: its row again, the entry replaced
        QCOMPARE(h.RowTexts(), std::string("alpha,bravo,Charlie"));
        QCOMPARE(h.SelectedRow(), std::string("bravo"));
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
        QCOMPARE(h.RowTexts(), std::string());
        QVERIFY(h.NameField()->text().isEmpty());
    }

    void pasteDialog() {
        Harness h;
        h.Open();
        h.toolkit.SetClipboardText("Clip:d=4,o=5,b=125:c,d");
        h.toolkit.QueueForm([](ModalForm& form) {
            QVERIFY(form.findChild<QLabel*>(QStringLiteral("Label1"))->text().startsWith(QStringLiteral("WARNING! There")));
            QCOMPARE(form.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(), QStringLiteral("Source Ringtone Text"));
            QVERIFY(form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isDefault());
            form.findChild<QPlainTextEdit*>(QStringLiteral("txtSource"))->setPlainText(QStringLiteral("old text"));
            form.findChild<QPushButton*>(QStringLiteral("cmdPaste"))->click();
            form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        h.Button("cmdGet")->click();
        QCOMPARE(h.toolkit.FormsShown(), std::vector<std::string>{"Get a Ringtone"});
        QCOMPARE(h.window->SourceText(), std::string("Clip:d=4,o=5,b=125:c,d"));
        QCOMPARE(h.RowTexts(), std::string("Clip"));
    }
};

TW_UI_TEST_MAIN(GetTest)
#include "get_test.moc"

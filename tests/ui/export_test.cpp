// "Export &List": the dialog's controls and first state, the layouts of
// tonelist.txt, the editor it is opened in, a file that cannot be written,
// and the shown ringtone staying the one the window edits.
#include <QCheckBox>
#include <QObject>
#include <QRegularExpression>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Two = "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n"
                        "[Other]\r\nRTTTL=Other:d=8,o=6,b=200:e, 4f\r\n";
const std::string Hyphens(59, '-');
const char* const NotWritten = "tonelist.txt not found|exclamation|ok|There was an error creating the file.";

// "name=caption" of each control of the dialog, and the checked ones.
std::string Described(const ModalForm& form) {
    std::string all;
    for (const char* name : {"Frame1", "Label1", "chkExport0", "chkExport1", "chkExport2", "Frame2", "Label7",
                             "optFormat0", "Label5", "optFormat1", "Label4", "Label6", "chkShowType", "Label8",
                             "Label3", "cmdOk", "cmdCancel"}) {
        QObject* control = form.findChild<QObject*>(QString::fromLatin1(name));
        if (control == nullptr) return std::string("no control ") + name;
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            caption = button->text();
            if (button->isChecked()) caption += QStringLiteral(" [x]");
        }
        if (auto* frame = qobject_cast<QGroupBox*>(control)) caption = frame->title();
        if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
        all += std::string(name) + "=" + caption.toStdString() + "\n";
    }
    return all;
}

// The export file's lines, without their CR LF; false when a line does not
// end in CR LF.
bool Lines(const std::string& text, std::vector<std::string>& lines) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void dialogControlsAndCancel() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.Open();
        std::string controls;
        bool defaultOk = false;
        h.toolkit.QueueForm([&](ModalForm& form) {
            controls = Described(form);
            defaultOk = form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isDefault();
            form.findChild<QCheckBox*>(QStringLiteral("chkExport0"))->setChecked(true);
            form.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        h.Button("cmdExport")->click();
        std::string again;  // opened again: the first state again; closed with its close box
        h.toolkit.QueueForm([&](ModalForm& form) {
            again = Described(form);
            form.reject();
        });
        h.Menu("mnuRingtoneExport")->trigger();
        QCOMPARE(h.toolkit.FormsShown(), (std::vector<std::string>{"Export Ringtone List", "Export Ringtone List"}));
        QCOMPARE(controls, std::string("Frame1=Ringtone Types\n"
                                       "Label1=Select the ringtone codes you would like to export.\n"
                                       "chkExport0=RTTTL/Chimekit\nchkExport1=Nokia Composer\nchkExport2=Keypresses [x]\n"
                                       "Frame2=Formatting Options\nLabel7=Choose how you want your list to look.\n"
                                       "optFormat0=Raw Code List\nLabel5=Title:Tempo:note, note, ...\n"
                                       "optFormat1=Formatted for Viewing [x]\nLabel4=Title (Tempo)\n"
                                       "Label6=note, note, ...\nchkShowType=Show Ringtone Type\n"
                                       "Label8=eg. RTTTL = xxx....\n"
                                       "Label3=A file will be created called TONELIST.TXT which is saved in the "
                                       "program directory.\n"
                                       "cmdOk=&Ok\ncmdCancel=&Cancel\n"));
        QVERIFY(defaultOk);
        QCOMPARE(again, controls);
        QVERIFY(h.toolkit.ScriptUsed() && h.toolkit.Unexpected().empty());
        QVERIFY(!std::filesystem::exists(h.home / "tonelist.txt"));
        QVERIFY(h.toolkit.EditorFiles().empty() && h.toolkit.Boxes().empty());
    }

    void layouts_data() {
        QTest::addColumn<QString>("types");  // the boxes checked: "012" all
        QTest::addColumn<bool>("raw");
        QTest::addColumn<bool>("showType");
        QTest::addColumn<QStringList>("lines");  // after the date line
        const QString rule = QString::fromStdString(Hyphens);
        QTest::newRow("first state: keypresses, viewing")
            << "2" << false << false
            << QStringList{"Displayed in following order:", "- Nokia Keypresses", rule, "",
                           "Other (Tempo 200)", "38*, 49", "", "Test (Tempo 125)", "1, 28", ""};
        QTest::newRow("all types, raw, with type names")
            << "012" << true << true
            << QStringList{"Displayed in following order:", "- RTTTL/Chimekit Tones", "- Nokia Composer Tones",
                           "- Nokia Keypresses", rule, "",
                           "RTTTL = Other:d=8,o=6,b=200:e, 4f", "Composer = Other:Tempo=200:8e2, 4f2",
                           "Keypresses = Other:Tempo=200:38*, 49", "RTTTL = Test:d=4,o=5,b=125:c, 8d",
                           "Composer = Test:Tempo=125:4c1, 8d1", "Keypresses = Test:Tempo=125:1, 28"};
        QTest::newRow("all types, viewing, with type names")
            << "012" << false << true
            << QStringList{"Displayed in following order:", "- RTTTL/Chimekit Tones", "- Nokia Composer Tones",
                           "- Nokia Keypresses", rule, "", "Other (Tempo 200)", "RTTTL = e, 4f",
                           "Composer = 8e2, 4f2", "Keypresses = 38*, 49", "", "Test (Tempo 125)", "RTTTL = c, 8d",
                           "Composer = 4c1, 8d1", "Keypresses = 1, 28", ""};
        QTest::newRow("no type, raw") << "" << true << false
                                      << QStringList{"Displayed in following order:", rule, ""};
        QTest::newRow("no type, viewing")
            << "" << false << false
            << QStringList{"Displayed in following order:", rule, "", "Other (Tempo 200)", "", "Test (Tempo 125)", ""};
        QTest::newRow("composer alone, raw")
            << "1" << true << false
            << QStringList{"Displayed in following order:", "- Nokia Composer Tones", rule, "",
                           "Other:Tempo=200:8e2, 4f2", "Test:Tempo=125:4c1, 8d1"};
    }
    void layouts() {
        QFETCH(QString, types);
        QFETCH(bool, raw);
        QFETCH(bool, showType);
        QFETCH(QStringList, lines);
        Harness h;
        h.WriteList("Favtones", Two);
        h.WriteList("Rock", "[Riff]\r\nRTTTL=Riff:d=4,o=5,b=125:c, d\r\n");  // not the current list
        test::WriteBytes(h.home / "tonelist.txt", std::string(100000, 'x'));  // replaced, not added to
        h.Open();
        h.toolkit.QueueForm([&](ModalForm& form) {
            for (int i = 0; i < 3; ++i)
                form.findChild<QCheckBox*>(QStringLiteral("chkExport%1").arg(i))->setChecked(types.contains(QString::number(i)));
            form.findChild<QRadioButton*>(raw ? QStringLiteral("optFormat0") : QStringLiteral("optFormat1"))->setChecked(true);
            form.findChild<QCheckBox*>(QStringLiteral("chkShowType"))->setChecked(showType);
            form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        h.Button("cmdExport")->click();
        std::vector<std::string> written;
        QVERIFY(Lines(test::ReadBytes(h.home / "tonelist.txt"), written));
        QCOMPARE(written.size(), std::size_t(lines.size() + 2));
        QCOMPARE(written[0], Hyphens);
        const QString date = QString::fromStdString(written[1]);
        QVERIFY2(QRegularExpression(QStringLiteral("^Ringtone List Export \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                     .match(date)
                     .hasMatch(),
                 qPrintable(date));
        QStringList rest;
        for (std::size_t i = 2; i < written.size(); ++i) rest << QString::fromStdString(written[i]);
        QCOMPARE(rest, lines);
        QCOMPARE(h.toolkit.EditorFiles(), std::vector<std::string>{(h.home / "tonelist.txt").string()});
        QVERIFY(h.toolkit.Boxes().empty() && h.window->DialogAccepted());
    }

    // The file that cannot be written is reported with the box of a missing
    // file; nothing is opened, and what was in the way stays.
    void fileThatCannotBeWritten() {
        Harness h;
        h.WriteList("Favtones", Two);
        std::filesystem::create_directories(h.home / "tonelist.txt" / "inside");
        h.Open();
        h.QueueForm("", "", "cmdOk");
        h.Button("cmdExport")->click();
        QCOMPARE(h.Boxes(), std::string(NotWritten));
        QVERIFY(h.toolkit.EditorFiles().empty() && !h.window->DialogAccepted());
        QVERIFY(std::filesystem::is_directory(h.home / "tonelist.txt" / "inside"));
        QCOMPARE(test::FilesIn(h.home.path()), (std::set<std::string>{"Favtones.dat", "tonelist.txt"}));
    }

    // After the export the shown row is the current ringtone again, so an
    // edit of the tempo goes to its entry and to no other.
    void shownRingtoneStaysTheOneEdited() {
        Harness h;
        h.WriteList("Favtones", Two);
        h.Open();
        h.Rows()->SelectText("Test");
        h.toolkit.QueueForm([&](ModalForm& form) {
            // As a pass through the list could leave the current ringtone.
            h.window->Ringtone().SetFull_RTTTL("Other:d=8,o=6,b=200:e, 4f");
            form.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
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

TW_UI_TEST_MAIN(ExportTest)
#include "export_test.moc"

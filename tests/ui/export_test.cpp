// "Export &List": the dialog's first state, the layouts of tonelist.txt, the
// editor it is opened in, a file that cannot be written, and the shown
// ringtone staying the one the window edits.
#include <QCheckBox>
#include <QRegularExpression>

#include <cstring>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

const std::string Two = "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n"
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

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    // Each opening starts from keypresses, formatted for viewing, without
    // type names; cancel and the close box write nothing.
    void firstStateAndCancel() {
        Harness h(Two);
        std::string first, again;
        h.toolkit.QueueForm([&](ModalForm& form) {
            first = Checked(form);
            QVERIFY(test::Child<QPushButton>(form, "cmdOk")->isDefault());
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
        QCOMPARE(h.toolkit.FormsShown(), (std::vector<std::string>{"Export Ringtone List", "Export Ringtone List"}));
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
        h.WriteList("Favtones", Two);
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
        h.WriteList("Favtones", Two);
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
        Harness h(Two, "Test");
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

TW_UI_TEST_MAIN(ExportTest)
#include "export_test.moc"

// Editing the shown ringtone's name and tempo: what reaches the list file,
// what is refused, and when an edit is stored.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

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

}  // namespace

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

    void commandStoresThePendingEditFirst() {
        Harness h(AB, "A");
        h.NameField()->setText(QStringLiteral("Z"));
        h.TempoField()->setEditText(QStringLiteral("80"));
        h.Answer(false);
        h.Button("cmdDelete")->click();
        QCOMPARE(h.Boxes(), std::string("Delete Ringtone|question|yesno|Do you want to delete 'Z' from the 'Favtones' list?"));
        QCOMPARE(h.ListFile(), B + "[Z]\r\nRTTTL=Z:d=4,o=5,b=80:c, d\r\n");
    }

    // The edit is stored when focus leaves the field, before a clicked row shows.
    void leavingTheFieldStoresTheEdit() {
        Harness h(AB, "A");
        h.ShowActive();
        h.TempoField()->setFocus();
        h.TempoField()->setEditText(QStringLiteral("63"));
        h.NameField()->setFocus();
        QTRY_VERIFY(h.NameField()->hasFocus());
        h.NameField()->setText(QStringLiteral("Alpha"));
        h.ClickRow(1);
        QCOMPARE(h.ListFile(), B + "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=63:c, d\r\n");
        QCOMPARE(h.RowTexts() + "|" + h.NameField()->text().toStdString(), std::string("Alpha,B|B"));
    }
};

TW_UI_TEST_MAIN(EditTest)
#include "edit_test.moc"

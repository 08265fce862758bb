// Editing the ringtone shown in place: its name and tempo fields.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

// Entry A is not written as the program writes it, so any rewrite shows.
const std::string AB = "[A]\r\nRTTTL=A:d=4,o=5,b=125:c,d\r\n[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string B = "[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const test::Box ReplaceB{
    "Ringtone Name", "question", "yesno",
    "There is already a ringtone named 'b' in the 'Favtones' list.\r\n\r\nDo you want to replace it?"};

// A name typed over A's, the replace question's answer (0 none, 1 Yes, 2 No); then
// the list file, the name shown (also the row selected and the ringtone's) and the rows.
// Which names are fixed and how is tested with the engine; here the window says so.
struct NameEdit {
    const char* name;
    const char* typed;
    int answer;
    std::string file;
    const char *shown, *rows;
    test::BoxList boxes;
};
const NameEdit NameEdits[] = {
    {"only spaces added", " A ", 0, AB, "A", "A,B", {}},
    {"renamed and trimmed", "  C  ", 0, B + "[C]\r\nRTTTL=C:d=4,o=5,b=125:c, d\r\n", "C", "B,C", {}},
    {"empty",
     "   ",
     0,
     AB,
     "A",
     "A,B",
     {{"Ringtone Name", "exclamation", "ok", "A ringtone needs a name.  The name has been put back."}}},
    {"replace another, Yes", "b", 1, "[b]\r\nRTTTL=b:d=4,o=5,b=125:c, d\r\n", "b", "b", {ReplaceB}},
    {"replace another, No", "b", 2, AB, "A", "A,B", {ReplaceB}},
    {"a colon replaced and said",
     "C:d",
     0,
     B + "[C-d]\r\nRTTTL=C-d:d=4,o=5,b=125:c, d\r\n",
     "C-d",
     "B,C-d",
     {{"Ringtone Name", "information", "ok",
       "The ringtone is stored as 'C-d':\r\nname \"C-d\": \":\" replaced by \"-\" (a colon ends the name in a "
       "ringtone text)"}}},
};

// An entry of an older list stored under a name with a colon.
const std::string OldAB = "[A:b]\r\nRTTTL=A:b:d=4,o=5,b=125:c, d\r\n" + B;

}  // namespace

// The name and tempo fields.
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
        QCOMPARE(h.Boxes(), row.boxes);
        QCOMPARE((test::Seen{h.Name(), h.RowTexts(), h.SelectedRow(), h.window->Ringtone().Name()}),
                 (test::Seen{row.shown, row.rows, row.shown, row.shown}));
        QVERIFY(h.toolkit.ScriptUsed());
    }

    // A tempo the session takes is stored and shown as stored; any other is put back.
    void tempoEdit() {
        const char* const rows[][2] = {{"140", "140"}, {"112.5", "112"}, {"fast", ""}, {"0", ""}};
        for (const auto& [typed, stored] : rows) {
            Harness h(AB, "A");
            h.TempoField()->setEditText(QString::fromLatin1(typed));
            h.window->txtTempo_LostFocus();
            const std::string value = *stored ? stored : "";
            QCOMPARE(h.ListFile(), value.empty() ? AB : "[A]\r\nRTTTL=A:d=4,o=5,b=" + value + ":c, d\r\n" + B);
            QCOMPARE(h.TempoField()->currentText().toStdString(), value.empty() ? "125" : value);
            QCOMPARE(h.Boxes(), test::BoxList{});
        }
    }

    // An entry stored under a name the program no longer writes shows under
    // its look-alike with the report; a tempo change stores it under that
    // name and the row follows; a delete removes the entry as stored.
    void oldEntry() {
        Harness h(OldAB, "A:b");
        QCOMPARE(h.Name(), std::string("A-b"));
        QCOMPARE(h.Text("txtMessage").trimmed(),
                 QStringLiteral("name \"A-b\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)"));
        h.TempoField()->setEditText(QStringLiteral("140"));
        h.window->txtTempo_LostFocus();
        QCOMPARE(h.ListFile(), B + "[A-b]\r\nRTTTL=A-b:d=4,o=5,b=140:c, d\r\n");
        QCOMPARE(h.ListRows(), (test::Seen{"A-b,B", "A-b"}));
        QCOMPARE(h.Boxes(), test::BoxList{});

        Harness gone(OldAB, "A:b");
        gone.Answer(true);
        gone.Do("cmdDelete");
        QCOMPARE(gone.ListFile(), B);
        QCOMPARE(gone.RowTexts(), std::string("B"));
    }

    // A pending edit is stored before a command runs, and when the field is
    // left, before the row clicked shows; with no row shown nothing is.
    void pendingEdits() {
        Harness h(AB, "A");
        h.NameField()->setText(QStringLiteral("Z"));
        h.TempoField()->setEditText(QStringLiteral("80"));
        h.Answer(false);
        h.Do("cmdDelete");
        QCOMPARE(h.Boxes(), (test::BoxList{{"Delete Ringtone", "question", "yesno",
                                            "Do you want to delete 'Z' from the 'Favtones' list?"}}));
        QCOMPARE(h.ListFile(), B + "[Z]\r\nRTTTL=Z:d=4,o=5,b=80:c, d\r\n");
        Harness left(AB, "A");
        QVERIFY(left.ShowActive());
        left.TempoField()->setFocus();
        left.TempoField()->setEditText(QStringLiteral("63"));
        left.NameField()->setFocus();
        QTRY_VERIFY(left.NameField()->hasFocus());
        left.NameField()->setText(QStringLiteral("Alpha"));
        left.ClickRow(1);
        QCOMPARE(left.ListFile(), B + "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=63:c, d\r\n");
        QCOMPARE(left.RowTexts(), std::string("Alpha,B"));
        QCOMPARE(left.Name(), std::string("B"));
        Harness none(AB);
        none.NameField()->setText(QStringLiteral("New"));  // no row selected
        none.window->CommitEdits();
        none.Rows()->SelectText("A");
        none.NameField()->setText(QString());  // a tempo beside an empty name
        none.TempoField()->setEditText(QStringLiteral("90"));
        none.window->txtTempo_LostFocus();
        QCOMPARE(none.ListFile(), AB);
    }
};

TW_UI_TEST_MAIN(EditTest)
#include "edit_test.moc"

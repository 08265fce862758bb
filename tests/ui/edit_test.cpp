// Editing the shown ringtone's name and tempo: what reaches the list file,
// what is refused, and when an edit is stored.
#include <QObject>

#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

// Entry A is not written as the program writes it, so any rewrite shows.
const std::string AB = "[A]\r\nRTTTL=A:d=4,o=5,b=125:c,d\r\n[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string B = "[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
const std::string ReplaceB =
    "Ringtone Name|question|yesno|There is already a ringtone named 'b' in the 'Favtones' list.\r\n\r\nDo you want "
    "to replace it?";

}  // namespace

class EditTest : public QObject {
    Q_OBJECT

private slots:
    void nameEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");  // to the replace question: 0 none asked, 1 Yes, 2 No
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("rows");  // the rows, the name shown first
        QTest::addColumn<QString>("box");
        const auto row = [](const char* name, const char* typed, int answer, const std::string& file, const char* rows,
                            const std::string& box = {}) {
            QTest::newRow(name) << typed << answer << QString::fromStdString(file) << rows << QString::fromStdString(box);
        };
        const std::string renamed = B + "[C]\r\nRTTTL=C:d=4,o=5,b=125:c, d\r\n";
        row("unchanged", "A", 0, AB, "A|A,B");
        row("only spaces added", " A ", 0, AB, "A|A,B");
        row("renamed", "C", 0, renamed, "C|B,C");
        row("trimmed", "  C  ", 0, renamed, "C|B,C");
        row("letter case only", "a", 0, B + "[a]\r\nRTTTL=a:d=4,o=5,b=125:c, d\r\n", "a|a,B");
        row("empty", "   ", 0, AB, "A|A,B", "Ringtone Name|exclamation|ok|A ringtone needs a name.  The name has been put back.");
        row("colon", "A:1", 0, AB, "A|A,B",
            "Ringtone Name|exclamation|ok|A ringtone name cannot hold \":\".  The name has been put back.");
        row("replace another, Yes", "b", 1, "[b]\r\nRTTTL=b:d=4,o=5,b=125:c, d\r\n", "b|b", ReplaceB);
        row("replace another, No", "b", 2, AB, "A|A,B", ReplaceB);
    }
    void nameEdit() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, file);
        QFETCH(QString, rows);
        QFETCH(QString, box);
        Harness h;
        h.WriteList("Favtones", AB);
        h.Open();
        h.Rows()->SelectText("A");
        if (answer != 0) h.toolkit.QueueAnswer(answer == 1 ? MsgAnswer::Yes : MsgAnswer::No);
        h.NameField()->setText(typed);
        h.window->txtName_LostFocus();
        QCOMPARE(QString::fromStdString(h.ListFile()), file);
        QCOMPARE(h.NameField()->text() + '|' + QString::fromStdString(h.RowTexts()), rows);
        QCOMPARE(QString::fromStdString(h.SelectedRow() + "|" + h.window->Ringtone().Name()),
                 rows.section(QChar(u'|'), 0, 0) + '|' + rows.section(QChar(u'|'), 0, 0));
        QCOMPARE(QString::fromStdString(h.Boxes()), box);
        QVERIFY(h.toolkit.ScriptUsed());
    }

    void tempoEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // the tempo afterwards, in the file and the field
        const char* const rows[][2] = {
            {"140", "140"}, {"999", "999"}, {"32767", "32767"}, {"112.5", "112"}, {" 90 ", "90"}, {"fast", ""},
            {"0", ""},      {"-5", ""},     {"32768", ""},      {"1:2", ""},      {"1,2", ""},    {"", ""},
        };
        for (const auto& row : rows) QTest::addRow("'%s'", row[0]) << row[0] << row[1];
    }
    void tempoEdit() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Harness h;
        h.WriteList("Favtones", AB);
        h.Open();
        h.Rows()->SelectText("A");
        h.TempoField()->setEditText(typed);
        h.window->txtTempo_LostFocus();
        const std::string expected =
            stored.isEmpty() ? AB : "[A]\r\nRTTTL=A:d=4,o=5,b=" + stored.toStdString() + ":c, d\r\n" + B;
        QCOMPARE(h.ListFile(), expected);
        QCOMPARE(h.TempoField()->currentText(), stored.isEmpty() ? QStringLiteral("125") : stored);
        QVERIFY(h.toolkit.Boxes().empty());
    }

    void editsThatDoNothing() {
        Harness h;
        h.WriteList("Favtones", AB);
        h.Open();
        h.NameField()->setText(QStringLiteral("New"));  // no row selected
        h.window->CommitEdits();
        h.Rows()->SelectText("A");
        h.Get(0, "Tune:d=4");  // an unreadable header empties the display
        h.NameField()->setText(QStringLiteral("X"));
        h.window->CommitEdits();
        h.Rows()->SelectText("A");
        h.NameField()->setText(QString());  // a tempo beside an empty name
        h.TempoField()->setEditText(QStringLiteral("90"));
        h.window->txtTempo_LostFocus();
        QCOMPARE(h.ListFile(), AB);
    }

    void commandStoresThePendingEditFirst() {
        Harness h;
        h.WriteList("Favtones", AB);
        h.Open();
        h.Rows()->SelectText("A");
        h.NameField()->setText(QStringLiteral("Z"));
        h.TempoField()->setEditText(QStringLiteral("80"));
        h.toolkit.QueueAnswer(MsgAnswer::No);
        h.Button("cmdDelete")->click();
        QCOMPARE(h.Boxes(), std::string("Delete Ringtone|question|yesno|Do you want to delete 'Z' from the 'Favtones' list?"));
        QCOMPARE(h.ListFile(), B + "[Z]\r\nRTTTL=Z:d=4,o=5,b=80:c, d\r\n");
    }

    void leavingTheFieldStoresTheEdit() {
        Harness h;
        h.WriteList("Favtones", AB);
        h.Open();
        h.ShowActive();
        h.Rows()->SelectText("A");
        h.TempoField()->setFocus();
        h.TempoField()->setEditText(QStringLiteral("63"));
        h.NameField()->setFocus();
        QTRY_VERIFY(h.NameField()->hasFocus());
        h.NameField()->setText(QStringLiteral("Alpha"));
        h.ClickRow(1);  // the edit is stored before the clicked row shows
        QCOMPARE(h.ListFile(), B + "[Alpha]\r\nRTTTL=Alpha:d=4,o=5,b=63:c, d\r\n");
        QCOMPARE(h.RowTexts(), std::string("Alpha,B"));
        QCOMPARE(h.NameField()->text(), QStringLiteral("B"));
    }

};

TW_UI_TEST_MAIN(EditTest)
#include "edit_test.moc"

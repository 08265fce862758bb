// Shaping the ringtone shown from the Edit menu: each change stored in the
// list at once and shown, Undo and Redo through the changes, the fit as a
// MIDI track is fitted.
#include "ui_test_support.h"

using namespace tw;
using test::Harness;

namespace {

// Entry A is not written as the program writes it, so any rewrite shows.
const std::string B = "[B]\r\nRTTTL=B:d=4,o=5,b=125:e\r\n";
std::string ListOf(const std::string& notes) { return "[A]\r\nRTTTL=A:d=4,o=5,b=125:" + notes + "\r\n" + B; }
// The list once A is stored again: in place of its entry, which goes last.
std::string Stored(const std::string& notes) { return B + "[A]\r\nRTTTL=A:d=4,o=5,b=125:" + notes + "\r\n"; }

// The list, the tone text shown and the note count after a change.
test::Seen Now(const Harness& h) {
    return {h.ListFile(), h.Text("txtRingtone").toStdString(), h.Find<QLabel>("lblNoteCount")->text().toStdString()};
}

// A change from the Edit menu on A's notes, with a note selected or not: the
// notes stored and shown after it (as RTTTL), and the box it shows.
struct Change {
    const char* name;
    const char* notes;
    const char* entry;
    std::optional<std::size_t> selected;
    const char* changed;
    test::BoxList boxes;
};
const Change Changes[] = {
    {"semitone up: sharps to naturals, b to c", "c#,b,e", "mnuEditSemitoneUp", {}, "d, c6, f", {}},
    {"semitone down, one note", "c,d,e", "mnuEditSemitoneDown", 0, "b4, d, e", {}},
    {"octave up", "8c,p,d#6", "mnuEditOctaveUp", {}, "8c6, p, d#7", {}},
    {"octave down, one note", "c,d", "mnuEditOctaveDown", 1, "c, d4", {}},
    {"fit", "c3,8d3,b3", "mnuEditFit", {}, "c, 8d, b", {}},
    {"fit one note", "c3,c3", "mnuEditFit", 0, "c, c3", {}},
    {"longer, one note", "8c,8d", "mnuEditLonger", 1, "8c, 8d.", {}},
    {"shorter, every note", "8c,c.", "mnuEditShorter", {}, "16c., c", {}},
    {"out of range, reported",
     "c0,d",
     "mnuEditOctaveDown",
     {},
     "c0, d4",
     {{"Transpose", "information", "ok",
       "Not every note could be changed as asked:\r\nnote 1, c0: below RTTTL's octaves 0 to 9, written in octave 0"}}},
};

}  // namespace

class ShapeTest : public QObject {
    Q_OBJECT

private slots:
    // Each change is stored and shown at once; Undo gives the notes back and
    // stores them, Redo makes the change again.
    void changeUndoRedo_data() { test::AddRows(Changes); }
    void changeUndoRedo() {
        const Change& row = test::TheRow(Changes);
        Harness h(ListOf(row.notes), "A");
        QVERIFY(!h.Enabled("mnuEditUndo"));
        h.Find<QRadioButton>("optShowAs0")->setChecked(true);
        h.window->SetSelectedNote(row.selected);
        h.Do(row.entry);
        const std::string changed = row.changed;
        const std::string count = std::to_string(std::count(changed.begin(), changed.end(), ',') + 1);
        QCOMPARE(Now(h), (test::Seen{Stored(row.changed), row.changed, count}));
        QCOMPARE(h.Boxes(), row.boxes);
        QVERIFY(h.Enabled("mnuEditUndo"));
        QVERIFY(!h.Enabled("mnuEditRedo"));

        h.Do("mnuEditUndo");
        std::string stored = row.notes;  // each row's notes are written as the program writes them
        for (std::size_t at = stored.find(','); at != std::string::npos; at = stored.find(',', at + 2))
            stored.insert(at + 1, " ");
        QCOMPARE(Now(h), (test::Seen{Stored(stored), stored, count}));
        QVERIFY(!h.Enabled("mnuEditUndo"));
        QVERIFY(h.Enabled("mnuEditRedo"));
        h.Do("mnuEditRedo");
        QCOMPARE(Now(h), (test::Seen{Stored(row.changed), row.changed, count}));
        QCOMPARE(h.Boxes(), row.boxes);
    }

    // The keys of the Edit menu change the ringtone shown.
    void keys() {
        Harness h(ListOf("c,d"), "A");
        QVERIFY(h.ShowActive());
        h.Rows()->setFocus();
        QTest::keyClick(h.window.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(h.ListFile(), Stored("c#, d#"));
        QTest::keyClick(h.window.get(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.ListFile(), Stored("c#6, d#6"));
        QTest::keyClick(h.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.ListFile(), Stored("c#, d#"));
        QTest::keyClick(h.window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(h.ListFile(), Stored("c#6, d#6"));
        // In the name field Ctrl+Left moves by words, and the notes stay.
        h.NameField()->setFocus();
        QTRY_VERIFY(h.NameField()->hasFocus());
        h.NameField()->setCursorPosition(1);
        QTest::keyClick(h.NameField(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(h.NameField()->cursorPosition(), 0);
        QCOMPARE(h.ListFile(), Stored("c#6, d#6"));
        QTest::keyClick(h.Rows(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(h.ListFile(), Stored("8c#.6, 8d#.6"));
    }

    // A change acts on the ringtone as another program stored it since it was shown; an Undo
    // or a change that finds it removed says so and keeps nothing to undo or redo.
    void changedElsewhere() {
        Harness h(ListOf("c,d"), "A");
        h.WriteList("Favtones", ListOf("e,f") + "[C]\r\nRTTTL=C:d=4,o=5,b=125:g\r\n");
        h.Do("mnuEditSemitoneUp");
        QCOMPARE(h.ListFile(), B + "[C]\r\nRTTTL=C:d=4,o=5,b=125:g\r\n[A]\r\nRTTTL=A:d=4,o=5,b=125:f, f#\r\n");
        QCOMPARE(h.Boxes(), test::BoxList{});
        h.WriteList("Favtones", B);
        for (const char* entry : {"mnuEditUndo", "mnuEditSemitoneUp"}) {
            h.toolkit.ForgetRecords();
            h.Do(entry);
            QCOMPARE(h.ListFile(), B);
            QCOMPARE(h.Boxes(), (test::BoxList{{"Store Ringtone Error", "critical", "ok",
                                                "Could not store the changed ringtone!\r\n\r\nanother program "
                                                "removed the ringtone 'A' from the 'Favtones' list"}}));
            QVERIFY(!h.Enabled("mnuEditUndo") && !h.Enabled("mnuEditRedo"));
        }
    }

    // Undo gives back nothing that another program changed since, and says so;
    // another ringtone shown forgets the changes.
    void history() {
        Harness h(ListOf("c,d"), "A");
        h.Do("mnuEditSemitoneUp");
        h.WriteList("Favtones", ListOf("e, f"));
        h.Do("mnuEditUndo");
        QCOMPARE(h.ListFile(), ListOf("e, f"));
        QCOMPARE(h.Text("txtRingtone").toStdString().find("4f"), std::string::npos);
        QCOMPARE(h.Boxes(), (test::BoxList{{"Undo", "information", "ok",
                                            "Another program has changed the ringtone's notes since, so there is "
                                            "nothing to undo."}}));
        QVERIFY(!h.Enabled("mnuEditUndo"));

        Harness other(ListOf("c,d"), "A");
        other.Do("mnuEditSemitoneUp");
        QVERIFY(other.Enabled("mnuEditUndo"));
        other.Rows()->SelectText("B");
        other.Rows()->SelectText("A");
        QVERIFY(!other.Enabled("mnuEditUndo"));
        other.Do("mnuEditUndo");
        QCOMPARE(other.ListFile(), Stored("c#, d#"));
    }

    // With no row shown the changes are off; a selected note the ringtone
    // lacks is said, and nothing is stored.
    void offAndRefused() {
        Harness none(ListOf("c"));
        QVERIFY(!none.Enabled("mnuEditSemitoneUp"));
        QVERIFY(!none.Enabled("mnuEditFit"));
        Harness h(ListOf("c,d"), "A");
        QVERIFY(h.Enabled("mnuEditLonger"));
        h.window->SetSelectedNote(2);
        h.Do("mnuEditLonger");
        QCOMPARE(h.ListFile(), ListOf("c,d"));
        QCOMPARE(h.Boxes(), (test::BoxList{{"Note Length", "exclamation", "ok", "There is no note 3."}}));
        QCOMPARE(h.window->SelectedNote(), std::optional<std::size_t>(2));
    }
};

TW_UI_TEST_MAIN(ShapeTest)
#include "shape_test.moc"

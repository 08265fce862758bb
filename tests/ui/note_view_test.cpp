// The note view: its geometry worked by hand, and in the window the bars of
// the shown ringtone, the selection kept with the tone text and the problem
// list, the cursor following a play, and a window that grows.
#include <QListWidget>
#include <QTextCursor>

#include <optional>
#include <vector>

#include "layout_faults.h"
#include "sound/render.h"
#include "ui/note_roll.h"
#include "ui/note_spans.h"
#include "ui/note_view.h"
#include "ui_test_support.h"

using tw::test::Harness;

namespace tw {
namespace {

// At b=120 a whole note lasts 2 seconds. Pitches: c5 72, d#5 75, g6 91,
// b4 71 (below the composer's octaves); the rows run from 69 to 93.
constexpr const char* Walk = "[Walk]\r\nRTTTL=Walk:d=4,o=5,b=120:c,8d#.,p,2g6,16b4\r\n";

// 200 eighths, 25 whole notes: too long to fit a view of the window's width.
std::string LongTone(const std::string& name) {
    std::string notes;
    for (int i = 0; i < 25; ++i) notes += std::string(i == 0 ? "" : ",") + "c,d,e,f,g,a,b,c6";
    return "[" + name + "]\r\nRTTTL=" + name + ":d=8,o=5,b=120:" + notes + "\r\n";
}

// Whether the whole time of note `index` is shown.
bool Shown(const NoteView& view, std::size_t index) {
    const QRectF column = view.Roll().Column(index);
    return column.left() >= view.Roll().Left() - 0.5 && column.right() <= view.width() + 0.5;
}

// 40 quarters of c5.
std::vector<RollNote> Quarters() {
    std::vector<RollNote> notes;
    for (int i = 0; i < 40; ++i) notes.push_back({72, false, i * 0.25, 0.25, false, "", "c"});
    return notes;
}

std::string Optional(std::optional<std::size_t> index) { return index ? std::to_string(*index) : "none"; }

NoteView* ViewOf(const Harness& h) { return h.Find<NoteView>("noteView"); }

}  // namespace

// The grid worked by hand: 250 pixels of time for 1.25 whole notes after a
// gutter of 100, 25 rows of 10 pixels.
class NoteRollTest : public QObject {
    Q_OBJECT

    struct Bar {
        const char* name;
        std::size_t index;
        std::optional<int> pitch;
        bool dotted;
        std::optional<QRectF> rect;
    };
    static constexpr Bar Bars[] = {
        {"c5 a quarter", 0, 72, false, QRectF(100, 210, 50, 10)},
        {"8d#5 dotted", 1, 75, true, QRectF(150, 180, 37.5, 10)},
        {"a pause", 2, std::nullopt, false, std::nullopt},
        {"2g6 a half", 3, 91, false, QRectF(237.5, 20, 100, 10)},
        {"16b4 below", 4, 71, false, QRectF(337.5, 220, 12.5, 10)},
    };

    // 40 quarters, 10 whole notes, in 250 pixels of time: drawn at 96
    // pixels a whole note, 960 across, so 710 to scroll. Note i takes
    // 24i to 24i + 24 of it.
    struct Scroll {
        const char* name;
        double scrolled;
        std::size_t index;
        double showing;
        double paging;
    };
    static constexpr Scroll Scrolls[] = {
        {"shown stays", 0, 5, 0, 0},
        {"past the right", 0, 20, 254, 480},
        {"partly past the right", 0, 10, 14, 240},
        {"before the left", 254, 3, 72, 72},
        {"the last", 0, 39, 710, 710},
        {"the first from the end", 710, 0, 0, 0},
    };

private slots:
    void aLongRingtoneScrolls_data() { test::AddRows(Scrolls); }
    void aLongRingtoneScrolls() {
        const Scroll& row = test::TheRow(Scrolls);
        const std::vector<RollNote> notes = Quarters();
        const NoteRoll roll(notes, QSizeF(350, 240), 100, row.scrolled);
        QCOMPARE(roll.PixelsPerWhole(), LeastPixelsPerWhole);
        QCOMPARE(roll.ScrollRange(), 710.0);
        QCOMPARE(roll.ScrollShowing(row.index), row.showing);
        QCOMPARE(roll.ScrollPaging(row.index), row.paging);
        QCOMPARE(roll.Column(row.index).left(), 100 + 24.0 * row.index - row.scrolled);
    }

    void theScrollStaysInTheTime() {
        const std::vector<RollNote> notes = Quarters();
        QCOMPARE(NoteRoll(notes, QSizeF(350, 240), 100, -5).Scrolled(), 0.0);
        QCOMPARE(NoteRoll(notes, QSizeF(350, 240), 100, 2000).Scrolled(), 710.0);
        const NoteRoll roll(notes, QSizeF(350, 240), 100, 240);
        // Note 10 at the gutter's edge; the notes scrolled under the gutter
        // are not there to click.
        QCOMPARE(roll.NoteAt(QPointF(101, 5)), std::optional<std::size_t>(10));
        QCOMPARE(roll.NoteAt(QPointF(50, 5)), std::nullopt);
        QCOMPARE(roll.NotesAcross(100, 350), (std::pair<std::size_t, std::size_t>{10, 21}));
        // Wide enough for all of it, nothing scrolls.
        QCOMPARE(NoteRoll(notes, QSizeF(1100, 240), 100, 50).ScrollRange(), 0.0);
    }

    void barsLieOnTheirPitchRowsAndLengths_data() { test::AddRows(Bars); }
    void barsLieOnTheirPitchRowsAndLengths() {
        const Bar& row = test::TheRow(Bars);
        CNotes ringtone;
        ringtone.SetFull_RTTTL("Walk:d=4,o=5,b=120:c,8d#.,p,2g6,16b4");
        const std::vector<RollNote> notes = RollNotesOf(ringtone);
        const NoteRoll roll(notes, QSizeF(350, 250), 100);
        QCOMPARE(notes.size(), std::size_t{5});
        QCOMPARE(roll.LowestPitch(), 69);
        QCOMPARE(roll.HighestPitch(), 93);
        QCOMPARE(notes[row.index].pitch, row.pitch);
        QCOMPARE(notes[row.index].dotted, row.dotted);
        QCOMPARE(roll.NoteRect(row.index), row.rect);
        QCOMPARE(notes[row.index].problem.empty(), row.index != 4);
        // Anywhere in the note's time is the note, at any height.
        const QRectF column = roll.Column(row.index);
        QCOMPARE(roll.NoteAt(QPointF(column.center().x(), 3)), std::optional<std::size_t>(row.index));
        QCOMPARE(roll.NoteAt(QPointF(column.left() + 0.01, 240)), std::optional<std::size_t>(row.index));
    }

    void outsideTheNotesIsNoNote() {
        CNotes ringtone;
        ringtone.SetFull_RTTTL("Two:d=4,o=5,b=120:c,d");
        const std::vector<RollNote> notes = RollNotesOf(ringtone);
        const NoteRoll roll(notes, QSizeF(300, 120), 100);
        QCOMPARE(roll.NoteAt(QPointF(99, 50)), std::nullopt);
        QCOMPARE(roll.NoteAt(QPointF(300, 50)), std::nullopt);
        // Two notes an octave apart at least: rows 68 to 79 around c5 and d5.
        QCOMPARE(roll.HighestPitch() - roll.LowestPitch() + 1, 12);
        QCOMPARE(roll.PitchBand(ComposerLowestPitch, ComposerHighestPitch), QRectF(100, 0, 200, 80));
    }

    // The notes drawn again for a strip of the view: those whose time
    // touches it (c 100-150, d# 150-187.5, p to 237.5, g to 337.5, b to 350).
    void notesAcrossAStrip() {
        CNotes ringtone;
        ringtone.SetFull_RTTTL("Walk:d=4,o=5,b=120:c,8d#.,p,2g6,16b4");
        const std::vector<RollNote> notes = RollNotesOf(ringtone);
        const NoteRoll roll(notes, QSizeF(350, 250), 100);
        using Span = std::pair<std::size_t, std::size_t>;
        QCOMPARE(roll.NotesAcross(0, 350), (Span{0, 5}));
        QCOMPARE(roll.NotesAcross(160, 170), (Span{1, 2}));
        QCOMPARE(roll.NotesAcross(149, 190), (Span{0, 3}));
        QCOMPARE(roll.NotesAcross(150, 187.5), (Span{1, 2}));
        QCOMPARE(roll.NotesAcross(340, 400), (Span{4, 5}));
        QCOMPARE(roll.NotesAcross(0, 99), (Span{0, 0}));
    }

    void pitchesHaveTheirNames() {
        QCOMPARE(PitchName(72), std::string("c5"));
        QCOMPARE(PitchName(71), std::string("b4"));
        QCOMPARE(PitchName(94), std::string("a#6"));
        QCOMPARE(PitchOfFrequency(880), 81);
        QCOMPARE(PitchOfFrequency(1046), 84);  // a sharp b sounds as the c above
    }

    // The caret in "c, 8d#., p" (tokens at 0, 3 and 9) names the note of the token at or before it.
    void theCaretNamesTheNoteOfItsToken() {
        const std::vector<TextSpan> spans{{0, 1}, {3, 5}, {9, 1}};
        const std::pair<int, std::size_t> rows[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {5, 1}, {9, 2}, {40, 2}};
        for (const auto& [position, note] : rows)
            QCOMPARE(Optional(NoteAtCaret(spans, position)) + " at " + std::to_string(position),
                     std::to_string(note) + " at " + std::to_string(position));
    }

    void tokensAreFoundInTheShownText() {
        CNotes ringtone;
        ringtone.SetOutputSeparator(", ");
        ringtone.SetFull_RTTTL("Walk:d=4,o=5,b=120:c,8d#.,p");
        QCOMPARE(NoteSpans(ringtone, Notation::RTTTL, QStringLiteral("c, 8d#., p")),
                 (std::vector<TextSpan>{{0, 1}, {3, 4}, {9, 1}}));
        QCOMPARE(NoteSpans(ringtone, Notation::Composer, QStringLiteral("4c1, 8.#d1, 4-")),
                 (std::vector<TextSpan>{{0, 3}, {5, 5}, {12, 2}}));
        // A text typed over is no longer the notes' text.
        QVERIFY(NoteSpans(ringtone, Notation::RTTTL, QStringLiteral("c, 8d#., p, e")).empty());
    }

    void reportLinesNameTheirNote() {
        const std::pair<const char*, std::optional<std::size_t>> rows[] = {
            {"note 15, 16b4: below the composer's octaves", 14},
            {"note 1, 4b: below the composer's octaves", 0},
            {"Some notes cannot be entered on the handset as written.", std::nullopt},
            {"note x, 4b: below", std::nullopt},
            {"note 12 is odd", std::nullopt},
            {"note 0, c: no such note", std::nullopt}};
        for (const auto& [line, note] : rows)
            QCOMPARE(line + (" -> " + Optional(ReportedNote(line))), line + (" -> " + Optional(note)));
    }

    // Notes starting at 0.5, 1.0, 2.0, the sound ending at 4.0: before, in each, after the end.
    void theSoundingNoteFollowsTheSeconds() {
        QCOMPARE(SoundingAt({0.5, 1.0, 2.0, 4.0}, 0.0), std::nullopt);
        QCOMPARE(SoundingAt({0.5, 1.0, 2.0, 4.0}, 0.5), std::optional(Sounding{0, 0.0}));
        QCOMPARE(SoundingAt({0.5, 1.0, 2.0, 4.0}, 1.5), std::optional(Sounding{1, 0.5}));
        QCOMPARE(SoundingAt({0.5, 1.0, 2.0, 4.0}, 2.5), std::optional(Sounding{2, 0.25}));
        QCOMPARE(SoundingAt({0.5, 1.0, 2.0, 4.0}, 4.5), std::nullopt);
    }
};

class NoteViewTest : public QObject {
    Q_OBJECT

    struct Click {
        const char* name;
        int showAs;  // 0 RTTTL, 1 Composer, 2 keypresses
        std::size_t note;
        const char* token;
    };
    static constexpr Click Clicks[] = {
        {"RTTTL half", 0, 3, "2g6"},     {"RTTTL pause", 0, 2, "p"},        {"composer dotted", 1, 1, "8.#d1"},
        {"composer first", 1, 0, "4c1"}, {"keys held", 2, 1, "(hold 2)8#"}, {"keys last", 2, 4, "7888**"},
    };

private slots:
    // The shown ringtone's notes (where their bars lie the roll's tests show), the same bars
    // whatever notation the text shows.
    void theViewHoldsTheShownRingtone() {
        Harness h(Walk, "Walk");
        NoteView* view = ViewOf(h);
        QVERIFY(view->isVisible());
        QCOMPARE(view->Notes().size(), std::size_t{5});
        const NoteRoll roll = view->Roll();
        // The note below the composer's octaves tells why in its tip.
        QCOMPARE(view->TipAt(roll.NoteRect(4)->center()), QStringLiteral("note 5, 16b4: below the composer's octaves"));
        QCOMPARE(view->TipAt(roll.NoteRect(0)->center()), QStringLiteral("note 1, c"));
        h.Option("optShowAs1")->click();
        QCOMPARE(view->Roll().NoteRect(3), roll.NoteRect(3));
        // Another ringtone, other bars; an empty display, none.
        h.Get(0, "One:d=4,o=5,b=120:e", "");
        QCOMPARE(view->Notes().size(), std::size_t{1});
    }

    // A click on a note selects it, its token in the text, and plays it; a
    // pause plays nothing.
    void aClickSelectsTheToken_data() { test::AddRows(Clicks); }
    void aClickSelectsTheToken() {
        const Click& row = test::TheRow(Clicks);
        Harness h(Walk, "Walk");
        h.Option("optShowAs" + std::to_string(row.showAs))->click();
        NoteView* view = ViewOf(h);
        const QPoint at = view->Roll().Column(row.note).center().toPoint();
        const std::size_t playsBefore = h.player.Played().size();
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QCOMPARE(Optional(h.window->SelectedNote()), Optional(row.note));
        QCOMPARE(view->Selected(), std::optional<std::size_t>(row.note));
        QCOMPARE(h.Find<QPlainTextEdit>("txtRingtone")->textCursor().selectedText(), QString::fromLatin1(row.token));
        QCOMPARE(h.player.Played().size(), playsBefore + (row.note == 2 ? 0 : 1));
    }

    // The caret in the tone text selects the note of its token; the arrow
    // keys in the view step along.
    void theCaretAndTheArrowsSelect() {
        Harness h(Walk, "Walk");
        h.Option("optShowAs0")->click();  // "c, 8d#., p, 2g6, 16b4"
        auto* text = h.Find<QPlainTextEdit>("txtRingtone");
        QTextCursor caret = text->textCursor();
        caret.setPosition(13);
        text->setTextCursor(caret);
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("3"));
        QCOMPARE(text->textCursor().position(), 13);  // the caret stays where it was put
        NoteView* view = ViewOf(h);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("4"));
        QTest::keyClick(view, Qt::Key_Right);  // the last stays
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("4"));
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("2g6"));
        h.window->SetSelectedNote(std::nullopt);
        QTest::keyClick(view, Qt::Key_Left);  // from none, the last
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("4"));
        h.window->SetSelectedNote(9);  // past the last: none marked
        QCOMPARE(Optional(view->Selected()), std::string("none"));
        QCOMPARE(text->textCursor().selectedText(), QString());
    }

    // Up and Down in the view move the selected note a semitone, with Shift
    // an octave, or every note while none is selected; each change is
    // stored, and the bar moves with it.
    void theArrowsInTheViewTranspose() {
        Harness h("[A]\r\nRTTTL=A:d=4,o=5,b=125:c,d\r\n", "A");
        h.Option("optShowAs0")->click();
        NoteView* view = ViewOf(h);
        const auto stored = [&h] { return h.ListFile(); };
        h.window->SetSelectedNote(1);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(h.Text("txtRingtone"), QStringLiteral("c, d#"));
        QCOMPARE(stored(), std::string("[A]\r\nRTTTL=A:d=4,o=5,b=125:c, d#\r\n"));
        QCOMPARE(view->Notes()[1].pitch, std::optional<int>(75));
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(h.Text("txtRingtone"), QStringLiteral("c, d#4"));
        QCOMPARE(Optional(view->Selected()), std::string("1"));  // the note stays selected
        h.window->SetSelectedNote(std::nullopt);
        QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(stored(), std::string("[A]\r\nRTTTL=A:d=4,o=5,b=125:c6, d#\r\n"));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(h.Text("txtRingtone"), QStringLiteral("b, d"));
        h.Do("mnuEditUndo");
        QCOMPARE(h.Text("txtRingtone"), QStringLiteral("c6, d#"));
    }

    // Another ringtone shown starts with no note selected; the same one
    // shown again keeps its note.
    void anotherRingtoneSelectsNone() {
        Harness h(std::string(Walk) + "[Zed]\r\nRTTTL=Zed:d=4,o=5,b=120:c,d,e\r\n", "Walk");
        h.window->SetSelectedNote(1);
        h.ClickRow(0);
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("1"));
        h.ClickRow(1);
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("none"));
        QCOMPARE(Optional(ViewOf(h)->Selected()), std::string("none"));
    }

    // A click on a line about a note selects it; the lines about the whole
    // ringtone select nothing.
    void aReportLineSelectsItsNote() {
        Harness h(Walk, "Walk");
        auto* problems = h.Find<QListWidget>("txtMessage");
        QCOMPARE(h.Text("txtMessage"), QStringLiteral("Some notes cannot be entered on the handset as written.\n"
                                                      "note 5, 16b4: below the composer's octaves\n"));
        const auto click = [&](int row) {
            QTest::mouseClick(problems->viewport(), Qt::LeftButton, {},
                              problems->visualItemRect(problems->item(row)).center());
            return Optional(h.window->SelectedNote());
        };
        QCOMPARE(click(0), std::string("none"));
        QCOMPARE(click(1), std::string("4"));
        QCOMPARE(h.Find<QPlainTextEdit>("txtRingtone")->textCursor().selectedText(), QStringLiteral("7888**"));
    }

    // The player reports where the sound is; the lit note and the cursor
    // follow it, and go when the play ends. Notes at b=120: c 0 to 0.5 s,
    // d# to 0.875, the pause to 1.375, g to 2.375, b to 2.5, and a few
    // milliseconds of gaps after the tones.
    void theLitNoteFollowsThePlayer() {
        Harness h(Walk, "Walk");
        NoteView* view = ViewOf(h);
        const std::vector<double> positions{0.25, 0.7, 1.0, 1.8, 5.0, 2.45};
        const std::vector<std::string> expected{"0", "1", "2", "3", "none", "4"};
        std::vector<std::string> lit;
        bool cursorInNote = true;
        h.player.PlayThrough(positions, [&](double) {
            const std::string want = expected[lit.size()];
            (void)QTest::qWaitFor([&] { return Optional(view->LitNote()) == want; }, 3000);
            lit.push_back(Optional(view->LitNote()));
            if (const std::optional<std::size_t> note = view->LitNote()) {
                const QRectF column = view->Roll().Column(*note);
                cursorInNote = cursorInNote && view->CursorX() && *view->CursorX() >= column.left() &&
                               *view->CursorX() <= column.right();
            }
        });
        h.Do("cmdPlaySound");
        QCOMPARE(test::Join(lit), test::Join(expected));
        QVERIFY(cursorInNote);
        QCOMPARE(Optional(view->LitNote()), std::string("none"));  // the play has ended
        QCOMPARE(view->CursorX(), std::nullopt);
    }

    // A ringtone too long for the width scrolls: its notes keep a readable
    // width, the selected note is brought into view, a click on it selects
    // it, and a play turns the pages so that the lit note stays shown.
    void aLongRingtoneScrollsAcross() {
        Harness h(LongTone("Long") + LongTone("Longer") + std::string(Walk), "Long");
        NoteView* view = ViewOf(h);
        QVERIFY(view->ScrollBar()->isVisible());
        QCOMPARE(view->Roll().PixelsPerWhole(), LeastPixelsPerWhole);
        QVERIFY(view->Roll().NoteRect(0)->bottom() <= view->ScrollBar()->y());
        h.window->SetSelectedNote(150);
        QVERIFY(Shown(*view, 150));
        QVERIFY(!Shown(*view, 0));
        QTest::mouseClick(view, Qt::LeftButton, {}, view->Roll().Column(150).center().toPoint());
        QCOMPARE(Optional(h.window->SelectedNote()), std::string("150"));
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(Optional(view->Selected()), std::string("149"));
        h.window->SetSelectedNote(2);
        QVERIFY(Shown(*view, 2));

        h.window->SetSelectedNote(std::nullopt);
        std::vector<std::string> hidden;
        std::optional<std::size_t> before;
        int lastScroll = 0;
        h.player.PlayThrough({0.3, 20.1, 40.2, 49.6}, [&](double seconds) {
            const auto moved = [&] { return view->LitNote() && view->LitNote() != before; };
            (void)QTest::qWaitFor(moved, 3000);
            const std::optional<std::size_t> lit = before = view->LitNote();
            if (!lit || !Shown(*view, *lit)) hidden.push_back(std::to_string(seconds));
            lastScroll = view->ScrollBar()->value();
        });
        h.Do("cmdPlaySound");
        QCOMPARE(test::Join(hidden), std::string());
        QCOMPARE(lastScroll, view->ScrollBar()->maximum());

        // Another ringtone starts at its start; a short one does not scroll.
        h.ClickRow(1);
        QCOMPARE(view->ScrollBar()->value(), 0);
        QVERIFY(Shown(*view, 0));
        h.ClickRow(2);
        QVERIFY(!view->ScrollBar()->isVisible());
    }

    // The tone text and the view take the room of a larger window, and
    // nothing is cut off or lies on another at the smallest and a large
    // size (the size kept and restored is tested with the start-up).
    void theWindowGrows() {
        Harness h(Walk, "Walk");
        frmConverter& window = *h.window;
        window.show();
        window.resize(window.minimumSize());
        QCOMPARE(test::Join(test::LayoutFaults(window)), std::string());
        const QSize smallView = ViewOf(h)->size(), smallText = h.Find("txtRingtone")->size();
        window.resize(1400, 900);
        QCOMPARE(test::Join(test::LayoutFaults(window)), std::string());
        QVERIFY(ViewOf(h)->height() > smallView.height() && ViewOf(h)->width() > smallView.width());
        QVERIFY(h.Find("txtRingtone")->height() > smallText.height());
    }
};

}  // namespace tw

TW_UI_TEST_MAIN(tw::NoteRollTest, tw::NoteViewTest)
#include "note_view_test.moc"

// The note view's part of the window: the selected note, kept in step with
// the caret in the tone text and the problem list; a click on a note plays
// it briefly; the arrow keys move the selection and the notes.
#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "sound/cwave.h"
#include "ui/frm_converter.h"
#include "ui/note_view.h"

namespace tw {
namespace {

// How long a clicked note sounds, in seconds.
constexpr double ClickedNoteSeconds = 0.2;

}  // namespace

std::optional<std::size_t> frmConverter::SelectedNote() const { return selectedNote_; }

void frmConverter::SetSelectedNote(std::optional<std::size_t> index) { SelectNote(index, true); }

void frmConverter::SelectNote(std::optional<std::size_t> index, bool selectToken) {
    // A note the ringtone lacks stays selected, so that a change of it can
    // say so; the view and the text mark none.
    selectedNote_ = index;
    noteView->SetSelected(selectedNote_);
    if (!selectToken) return;
    QTextCursor token = txtRingtone->textCursor();
    token.clearSelection();
    if (selectedNote_ && *selectedNote_ < noteSpans_.size()) {
        const TextSpan& span = noteSpans_[*selectedNote_];
        if (span.start + span.length < txtRingtone->document()->characterCount()) {
            token.setPosition(span.start);
            token.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
        }
    }
    settingToneText_ = true;
    txtRingtone->setTextCursor(token);
    settingToneText_ = false;
}

void frmConverter::ShowToneText(const QString& text, Notation notation) {
    settingToneText_ = true;
    txtRingtone->setPlainText(text);
    settingToneText_ = false;
    const CNotes& ringtone = session_.Ringtone();
    noteSpans_ = NoteSpans(ringtone, notation, text);
    noteView->SetNotes(RollNotesOf(ringtone));
    SelectNote(selectedNote_, true);
}

// The caret names the note whose token it is in; text typed over the
// tokens leaves the selection alone.
void frmConverter::txtRingtone_CaretMoved() {
    if (settingToneText_ || noteSpans_.empty()) return;
    const TextSpan& last = noteSpans_.back();
    if (last.start + last.length != txtRingtone->document()->characterCount() - 1) return;
    SelectNote(NoteAtCaret(noteSpans_, txtRingtone->textCursor().position()), false);
}

void frmConverter::noteView_Click(std::size_t index) {
    SetSelectedNote(index);
    if (selectedNote_) PlayNote(*selectedNote_);
}

void frmConverter::txtMessage_Click(int row) {
    const QListWidgetItem* line = txtMessage->item(row);
    if (line == nullptr) return;
    const QVariant note = line->data(Qt::UserRole);
    if (note.isValid()) SetSelectedNote(static_cast<std::size_t>(note.toULongLong()));
}

// In the view, Left and Right step through the notes (from none, Right
// starts at the first and Left at the last); Up and Down move the selected
// note, or every note, a semitone, with Shift an octave, as the Edit menu
// does.
bool frmConverter::noteView_Key(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const std::size_t count = session_.Ringtone().Notes().size();
    if (held == Qt::NoModifier && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        if (count == 0) return true;
        std::size_t index = key == Qt::Key_Right ? 0 : count - 1;
        if (selectedNote_ && *selectedNote_ < count) {
            index = *selectedNote_;
            if (key == Qt::Key_Right && index + 1 < count) ++index;
            if (key == Qt::Key_Left && index > 0) --index;
        }
        SetSelectedNote(index);
        return true;
    }
    if ((held == Qt::NoModifier || held == Qt::ShiftModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        // The menu's own entry, so that an entry switched off does nothing.
        const bool octave = held == Qt::ShiftModifier;
        const char* const entry = key == Qt::Key_Up ? (octave ? "mnuEditOctaveUp" : "mnuEditSemitoneUp")
                                                    : (octave ? "mnuEditOctaveDown" : "mnuEditSemitoneDown");
        if (auto* action = findChild<QAction*>(QString::fromLatin1(entry)); action != nullptr && action->isEnabled())
            action->trigger();
        return true;
    }
    return false;
}

// The note's pitch, briefly; a pause, a note without a pitch and a missing
// sound device play nothing and say nothing.
void frmConverter::PlayNote(std::size_t index) {
    try {
        const double hertz = session_.Ringtone().Notes().at(index).SoundFrequency();
        if (hertz <= 0.0 || hertz > HighestSoundFrequency) return;
        CWave wave(player_);
        wave.Start();
        wave.AddNote(hertz, ClickedNoteSeconds);
        wave.Play();
    } catch (...) {
    }
}

}  // namespace tw

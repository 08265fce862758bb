// Shaping the shown ringtone from the Edit menu: the selected note, or every
// note, moved by semitones or octaves or into the composer's octaves, or made
// shorter or longer; each change stored in the list at once, with Undo and
// Redo through the changes of the ringtone shown.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "engine/engine_error.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"

namespace tw {
namespace {

constexpr const char* TransposeTitle = "Transpose";
constexpr const char* FitTitle = "Fit Into the Composer's Octaves";
constexpr const char* LengthTitle = "Note Length";
constexpr const char* StoreTitle = "Store Ringtone Error";
// The changes Undo keeps, the oldest forgotten first: each holds the notes
// twice, and a ringtone may hold hundreds of thousands.
constexpr std::size_t MaxShapeSteps = 100;

// One shaping entry of the Edit menu: its control name, caption and keys.
struct ShapeEntry {
    const char* name;
    const char* caption;
    QKeyCombination key;
};

// The arrows with Ctrl move the melody (with Shift by octaves) and change
// the length; the text fields keep their own meaning of these keys while
// they have the focus.
const ShapeEntry ShapeEntries[] = {
    {"mnuEditSemitoneUp", "Transpose Up a &Semitone", Qt::CTRL | Qt::Key_Up},
    {"mnuEditSemitoneDown", "Transpose Do&wn a Semitone", Qt::CTRL | Qt::Key_Down},
    {"mnuEditOctaveUp", "Transpose Up an &Octave", Qt::CTRL | Qt::SHIFT | Qt::Key_Up},
    {"mnuEditOctaveDown", "Transpose Down an Oc&tave", Qt::CTRL | Qt::SHIFT | Qt::Key_Down},
    {"mnuEditFit", "&Fit Into the Composer's Octaves", Qt::CTRL | Qt::SHIFT | Qt::Key_F},
    {"mnuEditShorter", "S&horter Note", Qt::CTRL | Qt::Key_Left},
    {"mnuEditLonger", "&Longer Note", Qt::CTRL | Qt::Key_Right},
};

QAction* ShapeAction(QMenu& menu, const char* name, const char* caption) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

void frmConverter::BuildShapeMenu() {
    mnuEditUndo = ShapeAction(*mnuEdit, "mnuEditUndo", "&Undo");
    mnuEditUndo->setShortcut(QKeySequence::Undo);
    mnuEditRedo = ShapeAction(*mnuEdit, "mnuEditRedo", "Re&do");
    mnuEditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep1"));
    for (const ShapeEntry& entry : ShapeEntries) {
        QAction* action = ShapeAction(*mnuEdit, entry.name, entry.caption);
        action->setShortcut(QKeySequence(entry.key));
        mnuEditShape.push_back(action);
        if (entry.name == std::string_view("mnuEditFit"))
            mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep2"));
    }
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep3"));
}

std::vector<std::pair<QAction*, void (frmConverter::*)()>> frmConverter::ShapeCommands() const {
    static constexpr void (frmConverter::*handlers[])() = {
        &frmConverter::mnuEditSemitoneUp_Click, &frmConverter::mnuEditSemitoneDown_Click,
        &frmConverter::mnuEditOctaveUp_Click,   &frmConverter::mnuEditOctaveDown_Click,
        &frmConverter::mnuEditFit_Click,        &frmConverter::mnuEditShorter_Click,
        &frmConverter::mnuEditLonger_Click,
    };
    std::vector<std::pair<QAction*, void (frmConverter::*)()>> commands;
    for (std::size_t i = 0; i < mnuEditShape.size(); ++i) commands.emplace_back(mnuEditShape[i], handlers[i]);
    commands.emplace_back(mnuEditUndo, &frmConverter::mnuEditUndo_Click);
    commands.emplace_back(mnuEditRedo, &frmConverter::mnuEditRedo_Click);
    return commands;
}

void frmConverter::SetShapeState() {
    const bool shown = EditsApply();
    const bool notes = shown && session_.Ringtone().Count() > 0;
    for (QAction* action : mnuEditShape) action->setEnabled(notes);
    mnuEditUndo->setEnabled(shown && !undoSteps_.empty());
    mnuEditRedo->setEnabled(shown && !redoSteps_.empty());
}

void frmConverter::ForgetShapes() {
    undoSteps_.clear();
    redoSteps_.clear();
}

void frmConverter::mnuEditSemitoneUp_Click() {
    Reshape(TransposeTitle, [this](const CNotes& r) { return Transposed(r, 1, selectedNote_); });
}

void frmConverter::mnuEditSemitoneDown_Click() {
    Reshape(TransposeTitle, [this](const CNotes& r) { return Transposed(r, -1, selectedNote_); });
}

void frmConverter::mnuEditOctaveUp_Click() {
    Reshape(TransposeTitle, [this](const CNotes& r) { return Transposed(r, 12, selectedNote_); });
}

void frmConverter::mnuEditOctaveDown_Click() {
    Reshape(TransposeTitle, [this](const CNotes& r) { return Transposed(r, -12, selectedNote_); });
}

void frmConverter::mnuEditFit_Click() {
    Reshape(FitTitle, [this](const CNotes& r) { return FittedIntoComposerOctaves(r, selectedNote_); });
}

void frmConverter::mnuEditShorter_Click() {
    Reshape(LengthTitle, [this](const CNotes& r) { return LengthStepped(r, selectedNote_, -1); });
}

void frmConverter::mnuEditLonger_Click() {
    Reshape(LengthTitle, [this](const CNotes& r) { return LengthStepped(r, selectedNote_, 1); });
}

void frmConverter::mnuEditUndo_Click() { StepHistory(true); }

void frmConverter::mnuEditRedo_Click() { StepHistory(false); }

void frmConverter::Reshape(const std::string& title, const std::function<ShapedRingtone(const CNotes&)>& shape) {
    if (!EditsApply()) return;
    if (selectedNote_ && *selectedNote_ >= session_.Ringtone().Notes().size()) {
        services_.MsgBox("There is no note " + std::to_string(*selectedNote_ + 1) + ".", MsgButtons::OkOnly,
                         MsgIcon::Exclamation, title);
        return;
    }
    ShapeStep step;
    ShapedRingtone shaped;
    // The change acts on the ringtone as the list holds it now.
    const bool stored = StoreShapedNotes([&](CNotes& ringtone) {
        step.before = NoteTokens(ringtone);
        shaped = shape(ringtone);
        if (!shaped.changed) return false;
        ApplyShape(ringtone, shaped);
        step.after = NoteTokens(ringtone);
        return true;
    });
    if (!stored) return;
    if (shaped.changed && step.before != step.after) {
        undoSteps_.push_back(std::move(step));
        if (undoSteps_.size() > MaxShapeSteps) undoSteps_.erase(undoSteps_.begin());
        redoSteps_.clear();
    }
    ShowRingtone();
    if (!shaped.problems.empty()) {
        std::string text = "Not every note could be changed as asked:";
        for (const std::string& problem : shaped.problems) text += "\r\n" + problem;
        services_.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Information, title);
    }
}

bool frmConverter::StoreShapedNotes(const std::function<bool(CNotes&)>& change) {
    const std::string shownRow = session_.ShownRow();
    try {
        session_.ChangeShown(change);
    } catch (const SessionError& e) {
        if (e.reason() == SessionError::Reason::EntryGone) ForgetShapes();
        ShowRingtone();
        services_.MsgBox("Could not store the changed ringtone!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, StoreTitle);
        return false;
    }
    if (session_.ShownRow() != shownRow) RenameRow(shownRow, session_.ShownRow());
    return true;
}

void frmConverter::StepHistory(bool undo) {
    std::vector<ShapeStep>& from = undo ? undoSteps_ : redoSteps_;
    std::vector<ShapeStep>& to = undo ? redoSteps_ : undoSteps_;
    if (from.empty() || !EditsApply()) return;
    const ShapeStep step = from.back();
    const std::vector<std::string>& now = undo ? step.after : step.before;
    const std::vector<std::string>& wanted = undo ? step.before : step.after;
    bool changedElsewhere = false;
    const bool stored = StoreShapedNotes([&](CNotes& ringtone) {
        if (NoteTokens(ringtone) != now) {
            changedElsewhere = true;
            return false;
        }
        ApplyShape(ringtone, NotesRestored(ringtone, wanted));
        return true;
    });
    if (!stored) return;
    if (changedElsewhere) {
        ForgetShapes();
        ShowRingtone();
        services_.MsgBox(
            std::string("Another program has changed the ringtone's notes since, so there is nothing to ") +
                (undo ? "undo." : "redo."),
            MsgButtons::OkOnly, MsgIcon::Information, undo ? "Undo" : "Redo");
        return;
    }
    from.pop_back();
    to.push_back(step);
    ShowRingtone();
}

}  // namespace tw

// The results area: the enabling rules, emptying and filling the display,
// the choice of display notation.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/frm_converter.h"
#include "ui/notation_choice.h"
#include "ui/note_view.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"

namespace tw {
namespace {

const char* const ResultsCaptions[] = {"    RTTTL/Chimekit Ringtone shown", "    Nokia Composer Ringtone shown",
                                       "    Ringtone Keypresses shown"};

}  // namespace

void frmConverter::SetState() {
    mnuFileDelete->setEnabled(cboList->ListCount() > 1);

    const bool rows = lstRingtones->ListCount() > 0;
    cmdExport->setEnabled(rows);
    fraResults->setVisible(rows);
    mnuRingtoneExport->setEnabled(rows);
    mnuFileBatchWAV->setEnabled(rows);

    const bool selected = lstRingtones->ListIndex() >= 0;
    cmdDelete->setEnabled(selected);
    cmdPlaySound->setEnabled(selected);
    cmdSave->setEnabled(selected);
    for (QAction* save : mnuRingtoneSave) save->setEnabled(selected);
    mnuFilePhoneRingtone->setEnabled(selected);
    // The menu itself, not only its entry in the menu bar: enabling the
    // window again after the quick help must not enable it.
    mnuEdit->setEnabled(selected);
    mnuEdit->menuAction()->setEnabled(selected);
    SetShapeState();
}

void frmConverter::ClearDisplay() {
    txtMessage->clear();
    lblNoteCount->setText(QStringLiteral("0"));
    txtName->setText(QString());
    txtTempo->setEditText(QString());
    selectedNote_.reset();
    noteSpans_.clear();
    noteView->SetNotes({});
    noteView->SetSelected(std::nullopt);
    settingToneText_ = true;
    txtRingtone->setPlainText(QString());
    settingToneText_ = false;
}

void frmConverter::Clear() {
    ClearDisplay();
    session_.Clear();
}

int frmConverter::ShowAsIndex() const {
    for (std::size_t i = 0; i < optShowAs.size(); ++i)
        if (optShowAs[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

// With no display notation chosen, the keypresses show.
std::string frmConverter::ShownNotes() const { return session_.Ringtone().Only(NotationOrKeypresses(ShowAsIndex())); }

// One row a line, in the problem colour; a row about a note knows it.
void frmConverter::ShowMessageText(const std::string& text) {
    txtMessage->clear();
    QPalette colours = txtMessage->palette();
    colours.setColor(QPalette::Base, palette().color(QPalette::Button));
    colours.setColor(QPalette::Text, ProblemColour(colours));
    txtMessage->setPalette(colours);
    QStringList lines = ShownLines(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (const QString& line : lines) {
        auto* row = new QListWidgetItem(line, txtMessage);
        row->setToolTip(line);
        if (const std::optional<std::size_t> note = ReportedNote(TextBytes(line)))
            row->setData(Qt::UserRole, static_cast<qulonglong>(*note));
    }
    txtMessage->setVisible(!text.empty());
}

void frmConverter::ShowRingtone() {
    const CNotes& ringtone = session_.Ringtone();
    try {
        txtName->setText(ShownText(ringtone.Name()));
        txtTempo->setEditText(ShownText(ringtone.Tempo()));
        lblNoteCount->setText(QString::number(ringtone.Count()));
        ShowToneText(ShownLines(ShownNotes()), NotationOrKeypresses(ShowAsIndex()));
        ShowMessageText(ringtone.ErrorMessage());
    } catch (const std::exception&) {
        noteSpans_.clear();
        noteView->SetNotes(RollNotesOf(ringtone));
        ShowMessageText("Errors were encountered converting this tone.");
        return;
    }
    SetState();
}

void frmConverter::optShowAs_Click(int notationIndex) {
    const std::optional<Notation> notation = NotationAt(notationIndex);
    if (!notation) return;
    fraResults->setTitle(QString::fromLatin1(ResultsCaptions[notationIndex]));
    try {
        ShowToneText(ShownLines(session_.Ringtone().Only(*notation)), *notation);
    } catch (const std::exception&) {
        // The text stays as it was; showing the ringtone again reports the problem.
    }
}

}  // namespace tw

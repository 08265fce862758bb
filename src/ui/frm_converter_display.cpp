// The results area: the enabling rules, emptying and filling the display,
// the choice of display notation.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/frm_converter.h"
#include "ui/notation_choice.h"
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
}

void frmConverter::ClearDisplay() {
    txtMessage->setPlainText(QString());
    lblNoteCount->setText(QStringLiteral("0"));
    txtName->setText(QString());
    txtTempo->setEditText(QString());
    txtRingtone->setPlainText(QString());
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

void frmConverter::ShowMessageText(const std::string& text) {
    txtMessage->setPlainText(ShownLines(text));
    txtMessage->setVisible(!text.empty());
}

void frmConverter::ShowRingtone() {
    const CNotes& ringtone = session_.Ringtone();
    try {
        txtName->setText(ShownText(ringtone.Name()));
        txtTempo->setEditText(ShownText(ringtone.Tempo()));
        lblNoteCount->setText(QString::number(ringtone.Count()));
        txtRingtone->setPlainText(ShownLines(ShownNotes()));
        ShowMessageText(ringtone.ErrorMessage());
    } catch (const std::exception&) {
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
        txtRingtone->setPlainText(ShownLines(session_.Ringtone().Only(*notation)));
    } catch (const std::exception&) {
        // The text stays as it was; showing the ringtone again reports the problem.
    }
}

}  // namespace tw

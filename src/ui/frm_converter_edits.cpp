// Editing the shown ringtone's name and tempo in place: stored in the
// current list when the field is left, or when a command starts.
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>

#include "engine/ringtone_name.h"
#include "engine/text_rules.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"

namespace tw {
namespace {

constexpr std::string_view NameTitle = "Ringtone Name";

}  // namespace

bool frmConverter::EditsApply() { return session_.Showing() && lstRingtones->ListIndex() >= 0; }

void frmConverter::CommitEdits() {
    if (committing_) return;
    QScopedValueRollback guard(committing_, true);
    txtName_LostFocus();
    txtTempo_LostFocus();
}

void frmConverter::txtName_LostFocus() {
    if (!EditsApply()) return;
    const QString typed = txtName->text();
    const std::string oldName = session_.Ringtone().Name();
    if (typed == ShownText(oldName)) return;

    // The name is stored as it is made fit for every notation, and a box
    // says what had to be replaced.
    const FittedName fitted = FitRingtoneName(TextBytes(typed));
    const std::string& newName = fitted.name;
    const std::string shownRow = session_.ShownRow();
    try {
        const RenameCheck check = session_.CheckRename(newName);
        if (check == RenameCheck::Unchanged ||
            (check == RenameCheck::ReplacesOther &&
             services_.MsgBox("There is already a ringtone named '" + newName + "' in the '" + session_.ListName() +
                                  "' list.\r\n\r\nDo you want to replace it?",
                              MsgButtons::YesNo, MsgIcon::Question, NameTitle) != MsgAnswer::Yes)) {
            txtName->setText(ShownText(oldName));
            return;
        }
        session_.Rename(newName);
    } catch (const SessionError& e) {
        txtName->setText(ShownText(oldName));
        if (e.reason() == SessionError::Reason::BadRingtoneName)
            services_.MsgBox(std::string(e.what()) + "  The name has been put back.", MsgButtons::OkOnly,
                             MsgIcon::Exclamation, NameTitle);
        else
            services_.MsgBox("Could not store the ringtone under its new name!\r\n\r\n" + std::string(e.what()),
                             MsgButtons::OkOnly, MsgIcon::Critical, "Rename Ringtone Error");
        return;
    }
    txtName->setText(ShownText(newName));
    RenameRow(shownRow, newName);
    if (!fitted.changes.empty()) {
        std::string text = "The ringtone is stored as '" + newName + "':";
        for (const std::string& change : fitted.changes) text += "\r\n" + change;
        services_.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Information, NameTitle);
    }
}

// The row is found by its text: a click on another row may have moved the
// selection already when the edit is stored.
void frmConverter::RenameRow(const std::string& oldRow, const std::string& newName) {
    int row = lstRingtones->ListIndex();
    const std::vector<std::string>& rows = lstRingtones->Items();
    if (rows.at(static_cast<std::size_t>(row)) != oldRow) {
        const auto shown = std::find(rows.begin(), rows.end(), oldRow);
        if (shown != rows.end()) row = static_cast<int>(shown - rows.begin());
    }
    row = lstRingtones->SetItemText(row, newName);
    for (int i = lstRingtones->ListCount() - 1; i >= 0; --i)
        if (i != row && SameIgnoringCase(lstRingtones->List(i), newName)) {
            lstRingtones->RemoveItem(i);
            if (i < row) --row;
        }
}

void frmConverter::txtTempo_LostFocus() {
    if (!EditsApply()) return;
    const QString typed = txtTempo->currentText();
    const std::string oldTempo = session_.Ringtone().Tempo();
    if (typed == ShownText(oldTempo) || txtName->text().isEmpty()) return;

    const std::optional<int> value = TempoValue(TextBytes(typed));
    const std::string newTempo = value ? std::to_string(*value) : oldTempo;
    txtTempo->setEditText(ShownText(newTempo));
    if (newTempo == oldTempo) return;
    const std::string shownRow = session_.ShownRow();
    try {
        session_.SetTempo(newTempo);
        // An entry stored under a name from before names were made fit
        // takes its fit name.
        if (session_.ShownRow() != shownRow) RenameRow(shownRow, session_.ShownRow());
    } catch (const SessionError& e) {
        txtTempo->setEditText(ShownText(oldTempo));
        services_.MsgBox("Could not store the new tempo!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, "Store Ringtone Error");
    }
}

}  // namespace tw

// Editing the shown ringtone's name and tempo in place: stored in the
// current list when the field is left, or when a command starts.
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>

#include "engine/engine_error.h"
#include "ui/frm_converter.h"
#include "lists/list_error.h"
#include "session/ringtone_rename.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

constexpr std::string_view NameTitle = "Ringtone Name";

// A tempo the handset and the header can hold: a number whose integer value
// is 1 to 32767.
std::optional<int> TempoValue(std::string_view text) {
    if (!IsNumeric(text)) return std::nullopt;
    try {
        const std::int32_t value = ToInt32(text);
        if (value >= 1 && value <= 32767) return value;
    } catch (const EngineError&) {
    }
    return std::nullopt;
}

}  // namespace

bool frmConverter::EditsApply() { return showing_ && lstRingtones->ListIndex() >= 0; }

void frmConverter::CommitEdits() {
    if (committing_) return;
    QScopedValueRollback guard(committing_, true);
    txtName_LostFocus();
    txtTempo_LostFocus();
}

void frmConverter::txtName_LostFocus() {
    if (!EditsApply()) return;
    const QString typed = txtName->text();
    const std::string oldName = ringtone_.Name();
    if (typed == ShownText(oldName)) return;

    const std::string newName(TrimSpaces(TextBytes(typed)));
    if (newName == oldName) {
        txtName->setText(ShownText(oldName));
        return;
    }
    if (newName.empty() || newName.find(':') != std::string::npos) {
        txtName->setText(ShownText(oldName));
        services_.MsgBox(newName.empty() ? "A ringtone needs a name.  The name has been put back."
                                         : "A ringtone name cannot hold \":\".  The name has been put back.",
                         MsgButtons::OkOnly, MsgIcon::Exclamation, NameTitle);
        return;
    }
    try {
        if (HasOtherEntry(list_, oldName, newName) &&
            services_.MsgBox("There is already a ringtone named '" + newName + "' in the '" + list_.ListName() +
                                 "' list.\r\n\r\nDo you want to replace it?",
                             MsgButtons::YesNo, MsgIcon::Question, NameTitle) != MsgAnswer::Yes) {
            txtName->setText(ShownText(oldName));
            return;
        }
        ringtone_.SetName(newName);
        StoreRenamed(list_, oldName);
    } catch (const ListError& e) {
        ringtone_.SetName(oldName);
        txtName->setText(ShownText(oldName));
        services_.MsgBox("Could not store the ringtone under its new name!\r\n\r\n" + std::string(e.what()),
                         MsgButtons::OkOnly, MsgIcon::Critical, "Rename Ringtone Error");
        return;
    }
    txtName->setText(ShownText(newName));

    // The row shows the new name; a row of the ringtone it replaced goes.
    // The row is found by its text: a click on another row may have moved
    // the selection already when the edit is stored.
    int row = lstRingtones->ListIndex();
    const std::vector<std::string>& rows = lstRingtones->Items();
    if (rows.at(static_cast<std::size_t>(row)) != shownRow_) {
        const auto shown = std::find(rows.begin(), rows.end(), shownRow_);
        if (shown != rows.end()) row = static_cast<int>(shown - rows.begin());
    }
    row = lstRingtones->SetItemText(row, newName);
    shownRow_ = newName;
    for (int i = lstRingtones->ListCount() - 1; i >= 0; --i)
        if (i != row && SameIgnoringCase(lstRingtones->List(i), newName)) {
            lstRingtones->RemoveItem(i);
            if (i < row) --row;
        }
}

void frmConverter::txtTempo_LostFocus() {
    if (!EditsApply()) return;
    const QString typed = txtTempo->currentText();
    const std::string oldTempo = ringtone_.Tempo();
    if (typed == ShownText(oldTempo) || txtName->text().isEmpty()) return;

    const std::optional<int> value = TempoValue(TextBytes(typed));
    const std::string newTempo = value ? std::to_string(*value) : oldTempo;
    txtTempo->setEditText(ShownText(newTempo));
    if (newTempo == oldTempo) return;
    ringtone_.SetTempo(newTempo);
    try {
        list_.SaveToFile();
    } catch (const ListError& e) {
        ringtone_.SetTempo(oldTempo);
        txtTempo->setEditText(ShownText(oldTempo));
        services_.MsgBox("Could not store the new tempo!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, "Store Ringtone Error");
    }
}

}  // namespace tw

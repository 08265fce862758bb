#pragma once

#include <array>

#include "lists/tone_list_export.h"
#include "ui/modal_form.h"

class QCheckBox;
class QRadioButton;

namespace tw {

class RingtoneSession;
class ToolkitServices;

// "Export Ringtone List": writes every ringtone of the session's current
// list into tonelist.txt in the program directory, in the notations and
// layout chosen, and opens it in the desktop's text editor; `session` must
// outlive the dialog. Every opening starts
// from the same choices: keypresses only, formatted for viewing, no type
// names.
class frmExport final : public ModalForm {
public:
    frmExport(ToolkitServices& services, const RingtoneSession& session, QWidget* parent = nullptr);

    void FormLoad() override;
    // Writes the file, opens it, closes the dialog. A file that could not
    // be written is reported and not opened; the file that was there stays.
    void cmdOk_Click();
    void cmdCancel_Click();

    // The choices the controls show.
    ExportChoices Choices() const;

private:
    ToolkitServices& services_;
    const RingtoneSession& session_;
    std::array<QCheckBox*, 3> chkExport{};
    std::array<QRadioButton*, 2> optFormat{};
    QCheckBox* chkShowType = nullptr;
};

}  // namespace tw

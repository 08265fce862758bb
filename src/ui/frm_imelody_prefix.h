#pragma once

#include "ui/modal_form.h"

class QCheckBox;

namespace tw {

class ToolkitServices;

// Asks how the octave prefixes of an iMelody file are read, for a file the
// two readings give different notes: until the next prefix, or for one note
// only. The file cannot tell which its writer meant.
class frmIMelodyPrefix final : public ModalForm {
public:
    explicit frmIMelodyPrefix(ToolkitServices& services, QWidget* parent = nullptr);

    // The box as offered, and after "&Ok" as left.
    void SetOneNote(bool oneNote) { oneNote_ = oneNote; }
    bool OneNote() const { return oneNote_; }

    void FormLoad() override;
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ToolkitServices& services_;
    QCheckBox* chkOneNote = nullptr;
    bool oneNote_ = false;
};

}  // namespace tw

#pragma once

#include <QDialog>

namespace tw {

// A dialog that the toolkit services show modally. Each showing starts with
// Prepare: the form counts as not accepted and runs its FormLoad. The form
// records whether it was accepted.
class ModalForm : public QDialog {
public:
    using QDialog::QDialog;

    void Prepare() {
        dialogAccepted_ = false;
        FormLoad();
    }
    virtual void FormLoad() {}
    bool DialogAccepted() const { return dialogAccepted_; }

protected:
    void SetDialogAccepted(bool accepted) { dialogAccepted_ = accepted; }

private:
    bool dialogAccepted_ = false;
};

}  // namespace tw

#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

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

    // A button of this form named after its control (objectName), running
    // `onClick`; the default button answers Enter, the others never do.
    template <typename Handler>
    QPushButton* AddButton(const QString& caption, const char* name, bool isDefault, Handler onClick) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        if (isDefault) button->setDefault(true);
        else button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, onClick);
        return button;
    }

    // OK (the default button) and Cancel, named cmdOk and cmdCancel, added
    // at the end of a dialog's button row.
    template <typename OnOk, typename OnCancel>
    void AddOkCancel(QHBoxLayout& row, OnOk onOk, OnCancel onCancel, const QString& ok = QStringLiteral("&Ok"),
                     const QString& cancel = QStringLiteral("&Cancel")) {
        row.addWidget(AddButton(ok, "cmdOk", true, onOk));
        row.addWidget(AddButton(cancel, "cmdCancel", false, onCancel));
    }

private:
    bool dialogAccepted_ = false;
};

}  // namespace tw

#include "ui/frm_imelody_prefix.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/toolkit.h"

namespace tw {

frmIMelodyPrefix::frmIMelodyPrefix(ToolkitServices& services, QWidget* parent)
    : ModalForm(parent), services_(services) {
    setObjectName(QStringLiteral("frmIMelodyPrefix"));
    setWindowTitle(QStringLiteral("iMelody File"));
    setModal(true);

    auto* lblWhy = new QLabel(
        QStringLiteral("The octave prefixes (*0 to *8) of this file can be read two ways, which give different "
                       "notes: as holding until the next prefix (as Android and most players read them), or as "
                       "standing for the one note after them, a note without a prefix being in *4 (as Gammu and "
                       "files made after a widely copied guide write them). The file cannot tell which its writer "
                       "meant."),
        this);
    lblWhy->setObjectName(QStringLiteral("lblWhy"));
    lblWhy->setWordWrap(true);
    chkOneNote = new QCheckBox(QStringLiteral("An octave prefix is for &one note only"), this);
    chkOneNote->setObjectName(QStringLiteral("chkOneNote"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWhy);
    layout->addWidget(chkOneNote);
    layout->addLayout(buttons);
    resize(420, 200);
}

void frmIMelodyPrefix::FormLoad() {
    services_.CentreOnScreen(*this);
    chkOneNote->setChecked(oneNote_);
    chkOneNote->setFocus();
}

void frmIMelodyPrefix::cmdOk_Click() {
    oneNote_ = chkOneNote->isChecked();
    SetDialogAccepted(true);
    accept();
}

void frmIMelodyPrefix::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

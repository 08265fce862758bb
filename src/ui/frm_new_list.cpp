#include "ui/frm_new_list.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "engine/text_rules.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {

frmNewList::frmNewList(ToolkitServices& services, QWidget* parent) : ModalForm(parent), services_(services) {
    setObjectName(QStringLiteral("frmNewList"));
    setModal(true);

    fra = new QGroupBox(this);
    fra->setObjectName(QStringLiteral("fra"));
    lblNote = new QLabel(fra);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    auto* Label1 = new QLabel(QStringLiteral("List Name:"), fra);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtListName = new QLineEdit(fra);
    txtListName->setObjectName(QStringLiteral("txtListName"));
    Label1->setBuddy(txtListName);
    auto* inside = new QGridLayout(fra);
    inside->addWidget(lblNote, 0, 0, 1, 2);
    inside->addWidget(Label1, 1, 0);
    inside->addWidget(txtListName, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fra);
    layout->addLayout(buttons);
    resize(380, 170);
}

void frmNewList::FormLoad() {
    services_.CentreOnScreen(*this);
    if (mode_ == ListNameMode::New) {
        setWindowTitle(QStringLiteral("New Ringtone List"));
        fra->setTitle(QStringLiteral("New Ringtone List"));
        lblNote->setText(QStringLiteral("Type in a name for your new ringtone list. eg. Dance, TV Themes"));
        txtListName->clear();
    } else {
        setWindowTitle(QStringLiteral("Rename Ringtone List"));
        fra->setTitle(QStringLiteral("Rename Ringtone List"));
        lblNote->setText(QStringLiteral("Type in a new name for your ringtone list."));
        txtListName->setText(ShownText(enteredListName_));
        txtListName->selectAll();
    }
    txtListName->setFocus();
}

void frmNewList::cmdOk_Click() {
    const std::string typed = TextBytes(txtListName->text());
    if (TrimSpaces(typed).empty()) return;
    SetDialogAccepted(true);
    enteredListName_ = typed;
    accept();
}

void frmNewList::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

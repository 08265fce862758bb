#include "ui/frm_busy.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {

frmBusy::frmBusy(ToolkitServices& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("frmBusy"));
    setWindowTitle(QStringLiteral("Please Wait..."));
    // No close box: the window goes when the work is done.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Frame1 = new QGroupBox(QStringLiteral("Current Activity"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblMessage = new QLabel(Frame1);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setMinimumWidth(320);
    prgProgress = new QProgressBar(Frame1);
    prgProgress->setObjectName(QStringLiteral("prgProgress"));
    prgProgress->setRange(0, 1);
    prgProgress->setValue(0);
    prgProgress->setFormat(QStringLiteral("%v of %m"));
    auto* inside = new QVBoxLayout(Frame1);
    inside->addWidget(lblMessage);
    inside->addWidget(prgProgress);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->hide();
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        cmdCancel->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);
    resize(380, 110);
}

void frmBusy::Form_Load() { services_.CentreOnScreen(*this); }

void frmBusy::SetMessage(const std::string& text) { lblMessage->setText(ShownText(text)); }

void frmBusy::SetProgress(int done, int total) {
    prgProgress->setRange(0, std::max(total, 1));
    prgProgress->setValue(std::clamp(done, 0, std::max(total, 1)));
}

void frmBusy::ShowCancel() { cmdCancel->show(); }

void frmBusy::Unload() {
    unloading_ = true;
    close();
    unloading_ = false;
}

// Escape does not close the window.
void frmBusy::reject() {
    if (unloading_) QDialog::reject();
}

void frmBusy::closeEvent(QCloseEvent* event) {
    if (unloading_) QDialog::closeEvent(event);
    else event->ignore();
}

}  // namespace tw

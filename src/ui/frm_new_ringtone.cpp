#include "ui/frm_new_ringtone.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {
namespace {

QLabel* WrappedLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

}  // namespace

frmNewRingTone::frmNewRingTone(ToolkitServices& services, QWidget* parent) : ModalForm(parent), services_(services) {
    setObjectName(QStringLiteral("frmNewRingTone"));
    setWindowTitle(QStringLiteral("Get a Ringtone"));
    setModal(true);

    auto* Label1 = WrappedLabel("Label1",
                                "WARNING! There are many different types of tones on the web which means that this "
                                "program will not always convert them correctly.",
                                this);
    auto* Label2 = WrappedLabel(
        "Label2", "Copy and Paste the ringtone text you want to convert from into the box below, then click Ok. ",
        this);
    auto* Frame1 = new QGroupBox(QStringLiteral("Source Ringtone Text"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtSource = new QPlainTextEdit(Frame1);
    txtSource->setObjectName(QStringLiteral("txtSource"));
    txtSource->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSource->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSource->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    (new QVBoxLayout(Frame1))->addWidget(txtSource);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton(QStringLiteral("&Paste"), "cmdPaste", false, [this] { cmdPaste_Click(); }));
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttons);
    resize(480, 320);
}

void frmNewRingTone::FormLoad() { services_.CentreOnScreen(*this); }

void frmNewRingTone::cmdPaste_Click() { txtSource->setPlainText(ShownText(services_.ClipboardText())); }

void frmNewRingTone::cmdOk_Click() {
    SetDialogAccepted(true);
    sourceText_ = TextBytes(txtSource->toPlainText());
    accept();
}

void frmNewRingTone::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

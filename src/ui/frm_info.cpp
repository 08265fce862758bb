#include "ui/frm_info.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/about_box.h"
#include "ui/click_label.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {
namespace {

QLabel* Label(QWidget* parent, const char* name, const std::string& text) {
    auto* label = new QLabel(ShownText(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The box's picture: a green step box with a quaver on it.
QPixmap Artwork() {
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(128, 255, 128));
    painter.drawRoundedRect(QRectF(3, 3, 58, 58), 8, 8);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(18, 38, 14, 10));
    painter.drawLine(QPointF(31, 43), QPointF(31, 14));
    painter.drawLine(QPointF(31, 14), QPointF(44, 24));
    return picture;
}

}  // namespace

frmInfo::frmInfo(ToolkitServices& services, QWidget* parent) : ModalForm(parent), services_(services) {
    setObjectName(QStringLiteral("frmInfo"));
    setModal(true);
    const AboutBoxTexts texts = AboutTexts();

    auto* Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(Artwork());
    Image2->setAlignment(Qt::AlignTop);

    lblAppName = Label(this, "lblAppName", {});
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(22);
    serif.setBold(true);
    lblAppName->setFont(serif);
    auto* lblMsg3 = Label(this, "lblMsg3", texts.lblMsg3);
    auto* lblMsg4 = Label(this, "lblMsg4", texts.lblMsg4);
    auto* lblContact = Label(this, "lblContact", texts.Contact);
    auto* Label2 = Label(this, "Label2", texts.Label2);
    lblMyWeb = new ClickLabel(ShownText(texts.lblMyWeb), this);
    lblMyWeb->setObjectName(QStringLiteral("lblMyWeb"));
    MakeLinkLook(*lblMyWeb);
    lblMyWeb->OnClick([this] { lblMyWeb_Click(); });
    auto* Label3 = Label(this, "Label3", texts.Label3);
    auto* lblCopy = Label(this, "lblCopy", texts.Notice);
    lblCopy->setWordWrap(true);
    QFont small = lblCopy->font();
    small.setPixelSize(10);
    lblCopy->setFont(small);

    auto* cmdOK = new QPushButton(ShownText(texts.cmdOK), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* bugs = new QHBoxLayout;
    bugs->addWidget(lblMsg4);
    bugs->addWidget(lblContact);
    bugs->addStretch();
    auto* visit = new QHBoxLayout;
    visit->setSpacing(0);
    visit->addWidget(Label2);
    visit->addWidget(lblMyWeb);
    visit->addWidget(new QLabel(QStringLiteral(" "), this));
    visit->addWidget(Label3);
    visit->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(lblAppName);
    text->addWidget(lblMsg3);
    text->addLayout(bugs);
    text->addLayout(visit);
    text->addStretch();
    text->addWidget(lblCopy);
    auto* top = new QHBoxLayout;
    top->addWidget(Image2);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(440, 210);
}

void frmInfo::FormLoad() {
    services_.CentreOnScreen(*this);
    const AboutBoxTexts texts = AboutTexts();
    setWindowTitle(ShownText(texts.Caption));
    lblAppName->setText(ShownText(texts.lblAppName));
}

void frmInfo::cmdOK_Click() {
    SetDialogAccepted(true);
    accept();
}

// The address the label shows is the address opened.
void frmInfo::lblMyWeb_Click() { services_.OpenWebPage(TextBytes(lblMyWeb->text())); }

}  // namespace tw

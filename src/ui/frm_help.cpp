#include "ui/frm_help.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

#include "shell/twips.h"
#include "ui/click_label.h"
#include "ui/text_codec.h"

namespace tw {
namespace {

// The window's controls are placed for its final size (6100 x 2630 twips);
// while it grows they show as far as it has grown.
QRect Twips(int left, int top, int width, int height) {
    const PixelRect pixels = PixelsFromTwips(TwipRect{left, top, width, height});
    return {pixels.Left, pixels.Top, pixels.Width, pixels.Height};
}

}  // namespace

frmHelp::frmHelp() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(ShownText(QuickHelpCaption));
    setAttribute(Qt::WA_QuitOnClose, false);

    lblHelpNum = new QLabel(this);
    lblHelpNum->setObjectName(QStringLiteral("lblHelpNum"));
    MakeStepBox(*lblHelpNum);
    lblHelpNum->setGeometry(Twips(120, 120, 375, 255));
    lblHelpText = new QLabel(this);
    lblHelpText->setObjectName(QStringLiteral("lblHelpText"));
    lblHelpText->setTextFormat(Qt::PlainText);
    lblHelpText->setWordWrap(true);
    lblHelpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHelpText->setGeometry(Twips(600, 90, 5400, 2040));
    QFont small = lblHelpText->font();
    small.setPixelSize(10);
    lblHelpText->setFont(small);
    cmdOk = new QPushButton(ShownText(QuickHelpOkCaption), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setGeometry(Twips(5040, 2160, 900, 360));
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    tmr = new QTimer(this);
    tmr->setObjectName(QStringLiteral("tmr"));
    tmr->setInterval(QuickHelpTimerMilliseconds);
    connect(tmr, &QTimer::timeout, this, [this] { tmr_Timer(); });
}

void frmHelp::Form_Load(QWidget& mainWindow) {
    lblHelpNum->setText(ShownText(HelpNumberCaption(helpNum_)));
    lblHelpText->setText(ShownText(ShownHelpText(helpNum_)));
    const QPoint corner = mainWindow.pos();
    animation_.emplace(TwipsFromPixels(corner.x()), TwipsFromPixels(corner.y()));
    Place(animation_->Frame());
    mainWindow_ = &mainWindow;
    mainWindow.setEnabled(false);
    show();
    raise();
    activateWindow();
    tmr->start();
}

void frmHelp::tmr_Timer() {
    if (!animation_) {
        tmr->stop();
        return;
    }
    if (!animation_->Tick()) tmr->stop();
    Place(animation_->Frame());
}

bool frmHelp::Animating() const { return tmr->isActive(); }

void frmHelp::cmdOk_Click() { close(); }

void frmHelp::closeEvent(QCloseEvent* event) {
    tmr->stop();
    if (mainWindow_) {
        mainWindow_->setEnabled(true);
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    mainWindow_ = nullptr;
    QWidget::closeEvent(event);
}

// A window cannot be shown at no size; it starts at one pixel.
void frmHelp::Place(const TwipRect& frame) {
    const PixelRect pixels = PixelsFromTwips(frame);
    move(pixels.Left, pixels.Top);
    resize(std::max(pixels.Width, 1), std::max(pixels.Height, 1));
}

}  // namespace tw

#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

#include "shell/quick_help.h"

class QLabel;
class QPushButton;
class QTimer;

namespace tw {

// "Quick Help": the text of one numbered step. It grows out of the main
// window's top-left corner, 10 ms a step, and keeps the main window disabled
// until it is closed. A window of its own, so that it stays usable while the
// main window is disabled.
class frmHelp final : public QWidget {
public:
    frmHelp();

    // The help number to show; set before Form_Load.
    void SetHelpNum(int helpNumber) { helpNum_ = helpNumber; }

    // Fills the box and the text, starts at `mainWindow`'s top-left corner
    // at no size, disables `mainWindow`, shows itself and starts the timer.
    void Form_Load(QWidget& mainWindow);
    void tmr_Timer();
    void cmdOk_Click();

    // Where the window started, in twips from the screen's top.
    int StartTop() const { return animation_ ? animation_->StartTop() : 0; }
    bool Animating() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Place(const TwipRect& frame);

    int helpNum_ = 0;
    std::optional<QuickHelpAnimation> animation_;
    QPointer<QWidget> mainWindow_;
    QLabel* lblHelpNum = nullptr;
    QLabel* lblHelpText = nullptr;
    QPushButton* cmdOk = nullptr;
    QTimer* tmr = nullptr;
};

}  // namespace tw

#include "ui/click_label.h"

#include <QMouseEvent>

#include "shell/quick_help.h"

namespace tw {

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { setTextFormat(Qt::PlainText); }

void ClickLabel::OnClick(std::function<void()> handler) { click_ = std::move(handler); }

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (clicked && click_) click_();
}

void MakeStepBox(QLabel& box) {
    box.setAlignment(Qt::AlignCenter);
    box.setAutoFillBackground(true);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Window, QColor(HelpBoxColour.Red, HelpBoxColour.Green, HelpBoxColour.Blue));
    palette.setColor(QPalette::WindowText, Qt::black);
    box.setPalette(palette);
    box.setFrameShape(QFrame::Box);
}

void MakeLinkLook(QLabel& label) {
    QFont font = label.font();
    font.setUnderline(true);
    label.setFont(font);
    QPalette palette = label.palette();
    // The desktop's link colour: blue in a light palette, readable in a dark one.
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label.setPalette(palette);
    label.setCursor(Qt::PointingHandCursor);
}

}  // namespace tw

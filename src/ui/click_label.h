#pragma once

#include <QLabel>

#include <functional>

class QMouseEvent;

namespace tw {

// A label that runs its Click handler when it is clicked with the left
// button (pressed and released on it), as the green help boxes and the home
// site's address do.
class ClickLabel final : public QLabel {
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

    void OnClick(std::function<void()> handler);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> click_;
    bool pressed_ = false;
};

// The small light green box of a numbered step: caption "1." and so on.
void MakeStepBox(QLabel& box);

// A label that reads as a link: blue and underlined, with the hand pointer.
void MakeLinkLook(QLabel& label);

}  // namespace tw

#pragma once

#include "shell/twips.h"

class QMainWindow;

namespace tw {

struct SavedSettings;

// Where the main window stands and how large it is, in the twips the saved
// settings keep: its place and size read at start-up, put on a screen
// attached now, and read back at shutdown. The window's outer size counts
// its borders and title bar as the design has them (the design's outer size
// less its client area), whatever the desktop draws, so that the design's
// outer size gives the design's client area and a saved size comes back
// unchanged. `window` must outlive this object.
class MainWindowPlacement {
public:
    explicit MainWindowPlacement(QMainWindow& window) : window_(window) {}

    // Top, Left, Width, Height, then the window state. A place off every
    // screen attached now is moved onto the primary screen.
    void Place(const SavedSettings& saved);
    // The window's place, size and state into `settings`. Where the desktop
    // places the windows and tells no program where they are (Wayland), the
    // place read at start-up is written back.
    void Keep(SavedSettings& settings) const;

    TwipSize OuterTwips() const;
    void SetOuterTwips(TwipSize outer);

private:
    TwipSize NonClientTwips() const;

    QMainWindow& window_;
    float readLeft_ = 0;
    float readTop_ = 0;
};

}  // namespace tw

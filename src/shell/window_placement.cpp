#include "shell/window_placement.h"

#include <algorithm>

namespace tw {
namespace {

// The overlap of two rectangles along one axis; 0 or less when none.
int Overlap(int start1, int end1, int start2, int end2) { return std::min(end1, end2) - std::max(start1, start2); }

}  // namespace

bool IsReachable(const TwipRect& window, const std::vector<TwipRect>& screens) {
    const TwipRect strip{window.Left, window.Top, window.Width, GrabStripHeight};
    const int neededWidth = std::max(1, std::min(GrabStripWidth, window.Width));
    return std::any_of(screens.begin(), screens.end(), [&](const TwipRect& screen) {
        return Overlap(strip.Left, strip.Right(), screen.Left, screen.Right()) >= neededWidth &&
               Overlap(strip.Top, strip.Bottom(), screen.Top, screen.Bottom()) >= GrabStripHeight / 2;
    });
}

TwipRect KeepOnScreen(const TwipRect& window, const std::vector<TwipRect>& screens, const TwipRect& primary) {
    if (IsReachable(window, screens)) return window;
    TwipRect moved = Centred({window.Width, window.Height}, primary);
    moved.Left = std::max(moved.Left, primary.Left);
    moved.Top = std::max(moved.Top, primary.Top);
    return moved;
}

TwipRect Centred(TwipSize size, const TwipRect& screen) {
    return {screen.Left + (screen.Width - size.Width) / 2, screen.Top + (screen.Height - size.Height) / 2, size.Width,
            size.Height};
}

}  // namespace tw

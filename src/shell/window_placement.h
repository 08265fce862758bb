#pragma once

#include <vector>

#include "shell/twips.h"

// Keeping a restored window where the user can reach it: a saved position
// may lie on a screen that is no longer attached.
namespace tw {

// How much of the window's top edge must lie on one screen for the window to
// count as reachable: a strip as tall as a title bar and as wide as a hand's
// grab (or the whole window when it is narrower).
inline constexpr int GrabStripHeight = 300;
inline constexpr int GrabStripWidth = 1500;

// Whether a strip of the window's top edge, GrabStripWidth wide and at least
// half of GrabStripHeight tall, lies on one of `screens`.
bool IsReachable(const TwipRect& window, const std::vector<TwipRect>& screens);

// The window unchanged when it is reachable; otherwise moved onto `primary`:
// centred there, with its top edge on the screen even when the window is
// taller than the screen. The size never changes.
TwipRect KeepOnScreen(const TwipRect& window, const std::vector<TwipRect>& screens, const TwipRect& primary);

// The position that centres a window of `size` on a screen of `screen`,
// as the start-up default and the dialogs use it: (screen - window) / 2.
TwipRect Centred(TwipSize size, const TwipRect& screen);

}  // namespace tw

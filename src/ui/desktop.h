#pragma once

namespace tw {

// Runs the desktop program: the main window until it is closed. Returns the
// process exit code. Needs a display (X11 or Wayland, or QT_QPA_PLATFORM).
int RunDesktop(int argc, char** argv);

// Whether the desktop program has a display to open its window on.
bool HasDisplay();

}  // namespace tw

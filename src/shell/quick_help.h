#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "shell/twips.h"

// The quick help of the four numbered steps: the green boxes that open it,
// the texts of the quick-help window (frmHelp) and its opening animation,
// which grows the window out of the main window's top-left corner.
namespace tw {

// The green step boxes lblNum(0..3) and the quick-help window's own box.
inline constexpr std::array<std::string_view, 4> HelpBoxCaptions{"1.", "2.", "3.", "4."};
inline constexpr std::string_view HelpBoxTooltip = "Click for help";
struct RgbColour {
    int Red;
    int Green;
    int Blue;
};
inline constexpr RgbColour HelpBoxColour{128, 255, 128};

inline constexpr std::string_view QuickHelpCaption = "Quick Help";
inline constexpr std::string_view QuickHelpOkCaption = "&Ok";

// The quick-help texts are numbered 1 to 4, one for each step box.
inline constexpr int FirstHelpNumber = 1;
inline constexpr int LastHelpNumber = 4;

// The paragraphs of help text `helpNumber`; none for a number outside 1 to 4.
std::vector<std::string_view> HelpParagraphs(int helpNumber);

// The help text as it is kept: the paragraphs separated by two carriage
// returns (CR CR); empty for a number outside 1 to 4.
std::string HelpText(int helpNumber);

// The help text for the window's label: each CR CR shown as one empty line
// ("\n\n").
std::string ShownHelpText(int helpNumber);

// The caption of the quick-help window's box: the number and ".".
std::string HelpNumberCaption(int helpNumber);

// The opening animation: a 10 ms timer; every tick moves the window right and
// down and makes it wider and taller, until its top is 1500 twips or more
// below where it started.
inline constexpr int QuickHelpTimerMilliseconds = 10;
inline constexpr int QuickHelpStepRight = 48;
inline constexpr int QuickHelpStepDown = 160;
inline constexpr int QuickHelpStepWider = 610;
inline constexpr int QuickHelpStepTaller = 263;
inline constexpr int QuickHelpDrop = 1500;

class QuickHelpAnimation {
public:
    // The window starts at the main window's left and top, 0 by 0 twips.
    QuickHelpAnimation(int mainLeft, int mainTop);

    const TwipRect& Frame() const { return frame_; }
    int StartTop() const { return startTop_; }
    bool Running() const { return running_; }

    // One timer tick: moves and grows the window. False once the animation
    // has ended (stop the timer); a tick after the end changes nothing.
    bool Tick();

private:
    TwipRect frame_;
    int startTop_;
    bool running_ = true;
};

// Where the window is after `ticks` ticks (the animation stops by itself).
TwipRect QuickHelpFrameAfter(int mainLeft, int mainTop, int ticks);

}  // namespace tw

#include <gtest/gtest.h>

#include <vector>

#include "window_placement.h"

namespace {

using tw::KeepOnScreen;
using tw::TwipRect;

// Two 1920 x 1080 screens side by side; the primary is the left one.
const TwipRect Primary{0, 0, 28800, 16200};
const TwipRect Second{28800, 0, 28800, 16200};
const std::vector<TwipRect> Both{Primary, Second};

TEST(WindowPlacement, AWindowOnAnyScreenStaysWhereItWas) {
    for (const TwipRect window : {TwipRect{1500, 900, 10155, 6840}, TwipRect{40000, 3000, 10155, 6840},
                                  TwipRect{24000, 100, 10155, 6840},  // across the two screens
                                  TwipRect{-8000, 0, 10155, 6840}}) {  // mostly left of the screen, grab strip on it
        SCOPED_TRACE(std::to_string(window.Left) + "," + std::to_string(window.Top));
        EXPECT_EQ(KeepOnScreen(window, Both, Primary), window);
    }
}

TEST(WindowPlacement, AWindowOffEveryScreenMovesOntoThePrimaryScreenKeepingItsSize) {
    // On a screen that is no longer attached.
    EXPECT_EQ(KeepOnScreen({40000, 3000, 10155, 6840}, {Primary}, Primary), (TwipRect{9322, 4680, 10155, 6840}));
    // Its title strip above the top of the screen.
    EXPECT_EQ(KeepOnScreen({1500, -6000, 10155, 6840}, Both, Primary), (TwipRect{9322, 4680, 10155, 6840}));
    // Only a sliver at the right edge.
    EXPECT_EQ(KeepOnScreen({57000, 500, 10155, 6840}, Both, Primary), (TwipRect{9322, 4680, 10155, 6840}));
    // Taller and wider than the screen: its top-left corner goes on the screen.
    EXPECT_EQ(KeepOnScreen({90000, 90000, 40000, 20000}, Both, Primary), (TwipRect{0, 0, 40000, 20000}));
}

TEST(WindowPlacement, CentringUsesHalfTheSpaceLeft) {
    EXPECT_EQ(tw::Centred({10155, 6840}, Second), (TwipRect{28800 + 9322, 4680, 10155, 6840}));
}

}  // namespace

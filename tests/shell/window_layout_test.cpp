#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

#include "shell/twips.h"
#include "shell/window_layout.h"
#include "shell/window_placement.h"

namespace {

using tw::MainWindowLayout;
using tw::TwipRect;
using tw::TwipSize;

TEST(WindowLayout, AtTheDesignSizeTheFramesHaveTheirDesignFigures) {
    const MainWindowLayout layout = tw::LayoutForClient(tw::DesignClientSize);
    const std::pair<TwipRect MainWindowLayout::*, TwipRect> cases[] = {
        {&MainWindowLayout::fraResults, {2940, 1440, 7035, 4365}},
        {&MainWindowLayout::fraRingtones, {60, 60, 2775, 5760}},
        {&MainWindowLayout::lstRingtones, {120, 600, 2535, 4125}},
        {&MainWindowLayout::cmdDelete, {1440, 5085, 1035, 615}},
        {&MainWindowLayout::lblHelpRingtoneList, {120, 4785, 2535, 255}},
        {&MainWindowLayout::txtRingtone, {960, 1140, 5835, 810}},
        {&MainWindowLayout::noteView, {960, 2010, 5835, 1515}},
        {&MainWindowLayout::cmdSave, {4905, 3690, 975, 615}},
        {&MainWindowLayout::txtMessage, {960, 3690, 3915, 615}},
        {&MainWindowLayout::lblMyWeb, {2280, 5865, 4575, 210}},
        {&MainWindowLayout::lblBack, {240, 300, 6675, 3345}},
        {&MainWindowLayout::fraClickHelp, {60, 3750, 735, 555}}};
    for (const auto& [member, rect] : cases) EXPECT_EQ(layout.*member, rect) << rect.Left << "," << rect.Top;
}

TEST(WindowLayout, ResizingMovesOnlyTheGrowingPartsAndTheirBottomRows) {
    const MainWindowLayout design = tw::DesignLayout();
    const MainWindowLayout big = tw::LayoutForClient({20000, 12000});
    for (const auto member : {&MainWindowLayout::fraSource, &MainWindowLayout::fraFrom, &MainWindowLayout::fraDisplayAs,
                              &MainWindowLayout::cboList, &MainWindowLayout::txtName, &MainWindowLayout::txtTempo,
                              &MainWindowLayout::lblNoteCount, &MainWindowLayout::lblBegin})
        EXPECT_EQ(big.*member, design.*member);
    EXPECT_EQ(big.fraResults, (TwipRect{2940, 1440, 17000, 10245}));
    EXPECT_EQ(big.fraRingtones, (TwipRect{60, 60, 2775, 11640}));
    EXPECT_EQ(big.cmdPlaySound, (TwipRect{17000 - 1095, 10245 - 675, 975, 615}));
    EXPECT_EQ(big.cmdSave, (TwipRect{17000 - 2130, 10245 - 675, 975, 615}));
    EXPECT_EQ(big.txtMessage, (TwipRect{960, 10245 - 675, 17000 - 2130 - 30 - 960, 615}));
    // The tone text takes a quarter of the room that grows, the note view the rest.
    EXPECT_EQ(big.txtRingtone, (TwipRect{960, 1140, 17000 - 1200, 2066}));
    EXPECT_EQ(big.noteView, (TwipRect{960, 1140 + 2066 + 60, 17000 - 1200, 8265 - 2066 - 60}));
}

// The room of the tone text and the note view: the text a quarter, three
// lines at least, the view the rest unless that is too little to show notes.
TEST(WindowLayout, TheToneTextAndTheNoteViewShareTheirRoom) {
    struct Row {
        int height;
        int text;
        int view;  // its height; its top is 60 below the text's bottom
    };
    const Row rows[] = {{8000, 2000, 5940}, {2385, 810, 1515}, {1470, 810, 600}, {1469, 1469, 0}, {0, 0, 0}};
    for (const Row& row : rows) {
        TwipRect text, view;
        tw::ShareToneArea({960, 1140, 5000, row.height}, text, view);
        EXPECT_EQ(text, (TwipRect{960, 1140, 5000, row.text})) << row.height;
        EXPECT_EQ(view.Height, row.view) << row.height;
        if (row.view > 0) EXPECT_EQ(view.Top, 1140 + row.text + 60) << row.height;
        else EXPECT_EQ(view.Top, 1140 + row.height) << row.height;
    }
}

// Near the smallest size the tone text keeps two lines (600 twips), and
// then follows its room; it always ends clear of the row below.
struct SmallToneTextCase {
    int clientHeight;
    int text;
};

void PrintTo(const SmallToneTextCase& c, std::ostream* os) { *os << "client height " << c.clientHeight; }

class SmallToneTextTest : public ::testing::TestWithParam<SmallToneTextCase> {};

TEST_P(SmallToneTextTest, KeepsTwoLinesClearOfTheRowBelow) {
    const SmallToneTextCase& c = GetParam();
    const MainWindowLayout layout = tw::LayoutForClient({tw::DesignClientSize.Width, c.clientHeight});
    EXPECT_EQ(layout.txtRingtone, (TwipRect{960, 1140, 5835, c.text}));
    EXPECT_EQ(layout.noteView.Height, 0);
    EXPECT_LT(layout.txtRingtone.Top + layout.txtRingtone.Height, layout.txtMessage.Top);
    EXPECT_LT(layout.txtRingtone.Top + layout.txtRingtone.Height, layout.cmdSave.Top);
}

// The smallest client area is 4245 high: its tone text's room is 510.
INSTANTIATE_TEST_SUITE_P(WindowLayout, SmallToneTextTest,
                         ::testing::Values(SmallToneTextCase{4245, 600}, SmallToneTextCase{4335, 600},
                                           SmallToneTextCase{4336, 601}, SmallToneTextCase{5000, 1265}));

TEST(WindowLayout, AWindowBelowTheMinimumSnapsBackBeforeItIsLaidOut) {
    const std::pair<TwipSize, std::optional<TwipSize>> cases[] = {{{10155, 4965}, std::nullopt},
                                                                  {{20000, 9000}, std::nullopt},
                                                                  {{10140, 6840}, TwipSize{10155, 6840}},
                                                                  {{12000, 4950}, TwipSize{12000, 4965}},
                                                                  {{3000, 1500}, TwipSize{10155, 4965}}};
    for (const auto& [outer, snap] : cases)
        EXPECT_EQ(tw::MinimumSizeSnap(outer), snap) << outer.Width << "x" << outer.Height;
    const tw::ResizeOutcome minimized = tw::OnResize(true, {2000, 400}, {1900, 0});
    EXPECT_FALSE(minimized.SnapOuterTo || minimized.Layout);
    const tw::ResizeOutcome small = tw::OnResize(false, {9000, 6000}, {8880, 5280});
    EXPECT_TRUE(small.SnapOuterTo && !small.Layout);
    EXPECT_EQ(tw::OnResize(false, tw::DesignOuterSize, tw::DesignClientSize).Layout,
              tw::LayoutForClient(tw::DesignClientSize));
}

TEST(Twips, FifteenTwipsMakeOnePixelRoundingHalvesToEven) {
    const std::pair<double, int> cases[] = {{10155, 677}, {6840, 456},   {7.5, 0},
                                            {22.5, 2},    {9322.5, 622}, {1e300, std::numeric_limits<int>::max()}};
    for (const auto& [twips, pixels] : cases) EXPECT_EQ(tw::PixelsFromTwips(twips), pixels) << twips;
    EXPECT_EQ(tw::TwipsFromPixels(677), 10155);
    EXPECT_EQ(tw::TwipsFromPixels(std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
}

TEST(WindowPlacement, AWindowOnAnyScreenStaysAndOneOffEveryScreenMovesOntoThePrimaryKeepingItsSize) {
    const TwipRect primary{0, 0, 28800, 16200}, second{28800, 0, 28800, 16200};  // side by side
    const std::vector<TwipRect> both{primary, second};
    for (const TwipRect window : {TwipRect{1500, 900, 10155, 6840}, TwipRect{40000, 3000, 10155, 6840},
                                  TwipRect{24000, 100, 10155, 6840},  // across the two screens
                                  TwipRect{-8000, 0, 10155, 6840}})   // mostly off, its grab strip on
        EXPECT_EQ(tw::KeepOnScreen(window, both, primary), window) << window.Left;
    const TwipRect centred{9322, 4680, 10155, 6840};
    EXPECT_EQ(tw::KeepOnScreen({40000, 3000, 10155, 6840}, {primary}, primary), centred);  // its screen is gone
    EXPECT_EQ(tw::KeepOnScreen({1500, -6000, 10155, 6840}, both, primary), centred);       // title above the top
    EXPECT_EQ(tw::KeepOnScreen({57000, 500, 10155, 6840}, both, primary), centred);        // a sliver at the edge
    // Larger than the screen: its top-left corner goes on the screen.
    EXPECT_EQ(tw::KeepOnScreen({90000, 90000, 40000, 20000}, both, primary), (TwipRect{0, 0, 40000, 20000}));
    EXPECT_EQ(tw::Centred({10155, 6840}, second), (TwipRect{28800 + 9322, 4680, 10155, 6840}));
}

}  // namespace

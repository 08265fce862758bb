#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "twips.h"
#include "window_layout.h"

namespace {

using tw::LayoutForClient;
using tw::MainWindowLayout;
using tw::MinimumSizeSnap;
using tw::TwipRect;
using tw::TwipSize;

TEST(WindowLayout, AtTheDesignSizeTheFramesHaveTheirDesignFigures) {
    const MainWindowLayout layout = LayoutForClient(tw::DesignClientSize);
    EXPECT_EQ(layout.fraResults, (TwipRect{2940, 1440, 7035, 4365}));
    EXPECT_EQ(layout.fraRingtones, (TwipRect{60, 60, 2775, 5760}));
    EXPECT_EQ(layout.lstRingtones, (TwipRect{120, 600, 2535, 4125}));
    EXPECT_EQ(layout.cmdExport, (TwipRect{300, 5085, 1035, 615}));
    EXPECT_EQ(layout.cmdDelete, (TwipRect{1440, 5085, 1035, 615}));
    EXPECT_EQ(layout.lblHelpRingtoneList, (TwipRect{120, 4785, 2535, 255}));
    EXPECT_EQ(layout.lblBack, (TwipRect{240, 300, 6675, 3345}));
    EXPECT_EQ(layout.txtRingtone, (TwipRect{960, 1140, 5835, 2385}));
    EXPECT_EQ(layout.cmdPlaySound, (TwipRect{5940, 3690, 975, 615}));
    EXPECT_EQ(layout.cmdSave, (TwipRect{4905, 3690, 975, 615}));
    EXPECT_EQ(layout.txtMessage, (TwipRect{960, 3690, 3915, 615}));
    EXPECT_EQ(layout.fraClickHelp, (TwipRect{60, 3750, 735, 555}));
    EXPECT_EQ(layout.lblMyWeb, (TwipRect{2280, 5865, 4575, 210}));
    EXPECT_EQ(layout.lblCopy, (TwipRect{60, 5865, 4395, 210}));
}

TEST(WindowLayout, ResizingMovesOnlyTheGrowingPartsAndTheirBottomRows) {
    const MainWindowLayout design = tw::DesignLayout();
    const MainWindowLayout big = LayoutForClient({20000, 12000});
    // Kept in place and size.
    for (const auto member : {&MainWindowLayout::fraSource, &MainWindowLayout::fraFrom, &MainWindowLayout::fraDisplayAs,
                              &MainWindowLayout::cboList, &MainWindowLayout::txtName, &MainWindowLayout::txtTempo,
                              &MainWindowLayout::lblNoteCount, &MainWindowLayout::lblBegin})
        EXPECT_EQ(big.*member, design.*member);
    EXPECT_EQ(big.fraResults, (TwipRect{2940, 1440, 17000, 10245}));
    EXPECT_EQ(big.fraRingtones, (TwipRect{60, 60, 2775, 11640}));
    EXPECT_EQ(big.cmdPlaySound, (TwipRect{17000 - 1095, 10245 - 675, 975, 615}));
    EXPECT_EQ(big.cmdSave, (TwipRect{17000 - 2130, 10245 - 675, 975, 615}));
    EXPECT_EQ(big.txtRingtone, (TwipRect{960, 1140, 17000 - 1200, 10245 - 1980}));
}

TEST(WindowLayout, AWindowBelowTheMinimumSnapsBack) {
    struct Case {
        TwipSize outer;
        std::optional<TwipSize> snap;
    };
    const Case cases[] = {
        {{10155, 4965}, std::nullopt},          {{20000, 9000}, std::nullopt},
        {{10140, 6840}, TwipSize{10155, 6840}}, {{12000, 4950}, TwipSize{12000, 4965}},
        {{3000, 1500}, TwipSize{10155, 4965}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outer.Width) + " x " + std::to_string(c.outer.Height));
        EXPECT_EQ(MinimumSizeSnap(c.outer), c.snap);
    }
}

TEST(WindowLayout, TheResizeHandlerIgnoresAMinimizedWindowAndSnapsBeforeLayingOut) {
    const tw::ResizeOutcome minimized = tw::OnResize(true, {2000, 400}, {1900, 0});
    EXPECT_FALSE(minimized.SnapOuterTo);
    EXPECT_FALSE(minimized.Layout);

    const tw::ResizeOutcome small = tw::OnResize(false, {9000, 6000}, {8880, 5280});
    EXPECT_EQ(small.SnapOuterTo, (TwipSize{10155, 6000}));
    EXPECT_FALSE(small.Layout);

    const tw::ResizeOutcome fine = tw::OnResize(false, tw::DesignOuterSize, tw::DesignClientSize);
    EXPECT_FALSE(fine.SnapOuterTo);
    ASSERT_TRUE(fine.Layout);
    EXPECT_EQ(*fine.Layout, LayoutForClient(tw::DesignClientSize));
}

TEST(Twips, FifteenTwipsMakeOnePixel) {
    EXPECT_EQ(tw::PixelsFromTwips(10155), 677);
    EXPECT_EQ(tw::PixelsFromTwips(6840), 456);
    EXPECT_EQ(tw::PixelsFromTwips(7.5), 0);    // half a pixel: to the even neighbour
    EXPECT_EQ(tw::PixelsFromTwips(22.5), 2);
    EXPECT_EQ(tw::PixelsFromTwips(9322.5), 622);  // 621.5
    EXPECT_EQ(tw::PixelsFromTwips(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(tw::TwipsFromPixels(677), 10155);
    EXPECT_EQ(tw::TwipsFromPixels(std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
    EXPECT_EQ(tw::PixelsFromTwips(TwipRect{60, 60, 2775, 5760}), (tw::PixelRect{4, 4, 185, 384}));
    EXPECT_EQ(tw::TwipsFromPixels(tw::PixelRect{4, 4, 185, 384}), (TwipRect{60, 60, 2775, 5760}));
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "quick_help.h"

namespace {

using tw::HelpText;
using tw::QuickHelpAnimation;
using tw::TwipRect;

TEST(QuickHelp, TextsAreParagraphsSeparatedByTwoCarriageReturns) {
    EXPECT_EQ(HelpText(4),
              "The converted ringtone appears in the large display here.\r\r"
              "For Keypresses, press the keys as shown (not the commas or spaces though! - they're there to separate "
              "the notes).\r\r"
              "Don't forget to enter the Tempo (or BPM) into your phone to set the playback speed.\r\r"
              "'Used Notes' tells you how many notes are in the ringtone.");
    const std::size_t paragraphs[] = {4, 4, 3, 4};
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(tw::HelpParagraphs(number).size(), paragraphs[number - 1]);
        EXPECT_EQ(HelpText(number).find('\n'), std::string::npos);
    }
}

TEST(QuickHelp, TextsKeepTheirDoubleSpacesAndText3HasNoFinalFullStop) {
    const std::string one = HelpText(1);
    EXPECT_EQ(one.rfind("This is where you specify what the original ringtone format is.\r\r1. A program called Chimekit "
                        "(available on the Tonehaven Download page) allows you to generate and play ringtones in a "
                        "format called RTTTL.  This format is not directly compatible with any mobile phone.",
                        0),
              0U);
    EXPECT_NE(HelpText(2).find("pick a file.  The type of file is set in Box 1."), std::string::npos);
    const std::string three = HelpText(3);
    EXPECT_EQ(three.rfind("1. Select 'Keypresses' to display", 0), 0U);
    const std::string ending = "which can be downloaded from Tonehaven";
    EXPECT_EQ(three.substr(three.size() - ending.size()), ending);
    EXPECT_EQ(tw::HelpParagraphs(2).back(), "3. When you are ready, click the 'Get...' button to read in the ringtone.");
}

TEST(QuickHelp, TheWindowShowsEachParagraphBreakAsOneEmptyLine) {
    const std::string shown = tw::ShownHelpText(3);
    EXPECT_EQ(shown.find('\r'), std::string::npos);
    EXPECT_NE(shown.find("in the order displayed.\n\n2. Select 'Nokia Composer'"), std::string::npos);
    EXPECT_EQ(shown.find("\n\n\n"), std::string::npos);
}

TEST(QuickHelp, NumbersOutsideOneToFourHaveNoText) {
    for (const int number : {0, 5}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(HelpText(number), "");
        EXPECT_EQ(tw::ShownHelpText(number), "");
    }
    EXPECT_EQ(tw::HelpNumberCaption(3), "3.");
    EXPECT_EQ(tw::HelpNumberCaption(7), "7.");
}

TEST(QuickHelp, TheAnimationEndsAfterTenTicks) {
    QuickHelpAnimation animation(1200, 900);
    EXPECT_EQ(animation.Frame(), (TwipRect{1200, 900, 0, 0}));
    EXPECT_EQ(animation.StartTop(), 900);
    int ticks = 0;
    while (animation.Tick()) ++ticks;
    ++ticks;  // the tick that stopped it moved the window too
    EXPECT_EQ(ticks, 10);
    EXPECT_FALSE(animation.Running());
    EXPECT_EQ(animation.Frame(), (TwipRect{1200 + 480, 900 + 1600, 6100, 2630}));
    // A tick that arrives after the timer was stopped changes nothing.
    EXPECT_FALSE(animation.Tick());
    EXPECT_EQ(animation.Frame(), (TwipRect{1680, 2500, 6100, 2630}));
}

TEST(QuickHelp, StepPositionsGrowByTheSameAmountEachTick) {
    EXPECT_EQ(tw::QuickHelpFrameAfter(0, 0, 1), (TwipRect{48, 160, 610, 263}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(0, 0, 9), (TwipRect{432, 1440, 5490, 2367}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(-300, -7000, 10), (TwipRect{180, -5400, 6100, 2630}));
}

}  // namespace

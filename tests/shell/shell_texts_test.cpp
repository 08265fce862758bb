// The texts the shell shows: the version in the captions, the help file and
// the quick help.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/safe_file.h"
#include "shell/about_box.h"
#include "shell/help_file.h"
#include "shell/quick_help.h"
#include "support/temp_files.h"

namespace {

using tw::TwipRect;
using tw::test::ReadBytes;

TEST(AboutBox, CaptionsCarryTheVersionWithItsMinorNumberWhole) {
    EXPECT_EQ(tw::MainWindowCaption({4, 10}), "Tunewright V4.10");
    EXPECT_EQ(tw::AboutAppName({4, 0}, 12), "Tunewright V4.0 (Build 12)");
}

TEST(HelpFile, IsWrittenIntoTheProgramDirectoryOnlyWhenMissing) {
    tw::test::TempDir home;
    EXPECT_TRUE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(tw::HelpFilePath(home.path()), home / "tunehelp.html");
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), tw::HelpFileContent());
    EXPECT_EQ(tw::test::FilesIn(home.path()), std::set<std::string>{"tunehelp.html"});  // nothing else left behind
    tw::test::WriteBytes(home / "tunehelp.html", "<p>my own notes</p>");
    EXPECT_FALSE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), "<p>my own notes</p>");
    EXPECT_THROW(tw::InstallHelpFile(home / "tunehelp.html"), tw::FileError);  // a file, no folder
    EXPECT_THROW(tw::InstallHelpFile(home / "missing"), tw::FileError);
    EXPECT_FALSE(std::filesystem::exists(home / "missing"));
}

TEST(QuickHelp, TextsAreParagraphsSeparatedByTwoCarriageReturnsAndShownWithOneEmptyLine) {
    const std::size_t paragraphs[] = {4, 4, 3, 4};
    for (int number = 1; number <= 4; ++number) {
        std::string kept, shown;
        for (const std::string_view paragraph : tw::HelpParagraphs(number)) {
            EXPECT_EQ(paragraph.find_first_of("\r\n"), std::string_view::npos) << paragraph;
            kept += std::string(paragraph) + "\r\r";
            shown += std::string(paragraph) + "\n\n";
        }
        EXPECT_EQ(tw::HelpParagraphs(number).size(), paragraphs[number - 1]) << number;
        EXPECT_EQ(tw::HelpText(number) + "\r\r", kept) << number;
        EXPECT_EQ(tw::ShownHelpText(number) + "\n\n", shown) << number;
    }
    for (const int number : {0, 5}) EXPECT_EQ(tw::HelpText(number) + tw::ShownHelpText(number), "") << number;
}

TEST(QuickHelp, TheAnimationGrowsByTheSameStepEachTickAndEndsAfterTen) {
    tw::QuickHelpAnimation animation(1200, 900);
    EXPECT_EQ(animation.Frame(), (TwipRect{1200, 900, 0, 0}));
    int ticks = 1;  // the tick that stops it moves the window too
    while (animation.Tick()) ++ticks;
    EXPECT_EQ(ticks, 10);
    EXPECT_FALSE(animation.Running());
    EXPECT_EQ(animation.Frame(), (TwipRect{1200 + 480, 900 + 1600, 6100, 2630}));
    EXPECT_FALSE(animation.Tick());  // a tick after the timer was stopped changes nothing
    EXPECT_EQ(animation.Frame(), (TwipRect{1680, 2500, 6100, 2630}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(0, 0, 1), (TwipRect{48, 160, 610, 263}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(-300, -7000, 10), (TwipRect{180, -5400, 6100, 2630}));
}

}  // namespace

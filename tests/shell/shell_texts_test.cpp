// The texts the shell shows: the About box, the help file and the quick help.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "about_box.h"
#include "help_file.h"
#include "quick_help.h"
#include "safe_file.h"
#include "shell_test_support.h"

namespace {

using tw::TwipRect;
using tw::test::ReadBytes;

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

TEST(AboutBox, CaptionNameAndTextsCarryTheVersion) {
    EXPECT_EQ(tw::MainWindowCaption(), "Tunewright V3.3");
    EXPECT_EQ(tw::MainWindowCaption({4, 10}), "Tunewright V4.10");
    EXPECT_EQ(tw::AboutAppName({4, 0}, 12), "Tunewright V4.0 (Build 12)");
    const tw::AboutBoxTexts t = tw::AboutTexts();
    EXPECT_EQ(t.Caption + "|" + t.lblAppName + "|" + t.lblMsg3 + "|" + t.lblMsg4 + "|" + t.Label2 + "|" + t.lblMyWeb +
                  "|" + t.Label3 + "|" + t.cmdOK,
              "About...|Tunewright V3.3 (Build 5)||Please direct any bugs to|and visit |https://tunewright.example/|"
              "for updates.|&Ok");
    EXPECT_FALSE(t.Contact.empty() || t.Notice.empty());
}

TEST(HelpFile, IsAnHtmlPageCoveringTheNotationsTheListsAndTheKeysWithEveryAnchorItLinks) {
    const std::string_view html = tw::HelpFileContent();
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0U);
    EXPECT_EQ(std::count(html.begin(), html.end(), '\0'), 0);
    for (const char* part : {"<meta charset=\"utf-8\">", "name=\"contents\"", "</html>", "Song:d=8,o=6,b=100:c,d,4e",
                             "Song:Tempo=100:8c2, 8d2, 4e2", "Song:Tempo=100:18*, 2, 39", "name=\"keys\"",
                             "<td><code>*</code></td><td>next octave", "(hold 1)", "Favtones", "tonelist.txt",
                             "Save As WAV file...", "Note Separators...", "New List...", "menu.dat"})
        EXPECT_TRUE(Contains(html, part)) << part;
    std::string_view rest = html;
    for (std::size_t at = rest.find("href=\"#"); at != std::string_view::npos; at = rest.find("href=\"#")) {
        rest.remove_prefix(at + 7);
        const std::string name(rest.substr(0, rest.find('"')));
        EXPECT_TRUE(Contains(html, "name=\"" + name + "\"")) << name;
    }
    EXPECT_EQ(tw::HelpNotFoundTitle, "Help not found");
    EXPECT_EQ(tw::HelpNotFoundText(), "The help file tunehelp.html does not exist.");
    EXPECT_EQ(tw::CannotOpenHelpTitle, "Cannot open Help");
    EXPECT_EQ(tw::CannotOpenHelpText("https://site.test/"),
              "Errors loading the help file.  Please visit https://site.test/ for help.");
}

TEST(HelpFile, IsWrittenIntoTheProgramDirectoryOnlyWhenMissing) {
    tw::test::ShellTempDir home;
    EXPECT_TRUE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(tw::HelpFilePath(home.path()), home / "tunehelp.html");
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), tw::HelpFileContent());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 1);  // nothing else left behind
    tw::test::WriteBytes(home / "tunehelp.html", "<p>my own notes</p>");
    EXPECT_FALSE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), "<p>my own notes</p>");
    EXPECT_THROW(tw::InstallHelpFile(home / "tunehelp.html"), tw::FileError);  // a file, no folder
    EXPECT_THROW(tw::InstallHelpFile(home / "missing"), tw::FileError);
    EXPECT_FALSE(std::filesystem::exists(home / "missing"));
}

TEST(QuickHelp, TextsAreParagraphsSeparatedByTwoCarriageReturns) {
    EXPECT_EQ(tw::HelpText(4),
              "The converted ringtone appears in the large display here.\r\r"
              "For Keypresses, press the keys as shown (not the commas or spaces though! - they're there to separate "
              "the notes).\r\r"
              "Don't forget to enter the Tempo (or BPM) into your phone to set the playback speed.\r\r"
              "'Used Notes' tells you how many notes are in the ringtone.");
    const std::size_t paragraphs[] = {4, 4, 3, 4};
    for (int number = 1; number <= 4; ++number) {
        EXPECT_EQ(tw::HelpParagraphs(number).size(), paragraphs[number - 1]) << number;
        EXPECT_EQ(tw::HelpText(number).find('\n'), std::string::npos) << number;
    }
    // The texts keep their double spaces; text 3 has no final full stop.
    EXPECT_EQ(tw::HelpText(1).rfind("This is where you specify what the original ringtone format is.\r\r1. A program "
                                    "called Chimekit (available on the Tonehaven Download page) allows you to generate "
                                    "and play ringtones in a format called RTTTL.  This format is not directly "
                                    "compatible with any mobile phone.", 0), 0U);
    EXPECT_TRUE(Contains(tw::HelpText(2), "pick a file.  The type of file is set in Box 1."));
    const std::string three = tw::HelpText(3);
    EXPECT_EQ(three.rfind("1. Select 'Keypresses' to display", 0), 0U);
    EXPECT_EQ(three.substr(three.size() - 38), "which can be downloaded from Tonehaven");
    EXPECT_EQ(tw::HelpParagraphs(2).back(), "3. When you are ready, click the 'Get...' button to read in the ringtone.");
    // The window shows each paragraph break as one empty line.
    const std::string shown = tw::ShownHelpText(3);
    EXPECT_EQ(shown.find('\r'), std::string::npos);
    EXPECT_TRUE(Contains(shown, "in the order displayed.\n\n2. Select 'Nokia Composer'"));
    EXPECT_EQ(shown.find("\n\n\n"), std::string::npos);
    for (const int number : {0, 5}) EXPECT_EQ(tw::HelpText(number) + tw::ShownHelpText(number), "") << number;
    EXPECT_EQ(tw::HelpNumberCaption(3) + tw::HelpNumberCaption(7), "3.7.");
}

TEST(QuickHelp, TheAnimationGrowsByTheSameStepEachTickAndEndsAfterTen) {
    tw::QuickHelpAnimation animation(1200, 900);
    EXPECT_EQ(animation.Frame(), (TwipRect{1200, 900, 0, 0}));
    EXPECT_EQ(animation.StartTop(), 900);
    int ticks = 1;  // the tick that stops it moves the window too
    while (animation.Tick()) ++ticks;
    EXPECT_EQ(ticks, 10);
    EXPECT_FALSE(animation.Running());
    EXPECT_EQ(animation.Frame(), (TwipRect{1200 + 480, 900 + 1600, 6100, 2630}));
    EXPECT_FALSE(animation.Tick());  // a tick after the timer was stopped changes nothing
    EXPECT_EQ(animation.Frame(), (TwipRect{1680, 2500, 6100, 2630}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(0, 0, 1), (TwipRect{48, 160, 610, 263}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(0, 0, 9), (TwipRect{432, 1440, 5490, 2367}));
    EXPECT_EQ(tw::QuickHelpFrameAfter(-300, -7000, 10), (TwipRect{180, -5400, 6100, 2630}));
}

}  // namespace

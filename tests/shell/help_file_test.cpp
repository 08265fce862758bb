#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "help_file.h"
#include "safe_file.h"
#include "shell_test_support.h"

namespace {

using tw::test::ReadBytes;
using tw::test::ShellTempDir;
using tw::test::WriteBytes;

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

TEST(HelpFile, IsAnHtmlPageWithAContentsAnchor) {
    const std::string_view html = tw::HelpFileContent();
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0U);
    EXPECT_TRUE(Contains(html, "<meta charset=\"utf-8\">"));
    EXPECT_TRUE(Contains(html, "name=\"contents\""));
    EXPECT_TRUE(Contains(html, "</html>"));
    EXPECT_EQ(std::count(html.begin(), html.end(), '\0'), 0);
}

TEST(HelpFile, CoversTheNotationsTheListsSavingAndTheKeypressTable) {
    const std::string_view html = tw::HelpFileContent();
    for (const char* part : {"Song:d=8,o=6,b=100:c,d,4e", "Song:Tempo=100:8c2, 8d2, 4e2", "Song:Tempo=100:18*, 2, 39",
                             "name=\"keys\"", "<td><code>*</code></td><td>next octave", "(hold 1)", "Favtones",
                             "tonelist.txt", "Save As WAV file...", "Note Separators...", "New List...", "menu.dat"}) {
        SCOPED_TRACE(part);
        EXPECT_TRUE(Contains(html, part));
    }
    // Every anchor the contents point to exists.
    std::string_view rest = html;
    for (std::size_t at = rest.find("href=\"#"); at != std::string_view::npos; at = rest.find("href=\"#")) {
        rest.remove_prefix(at + 7);
        const std::string name(rest.substr(0, rest.find('"')));
        SCOPED_TRACE(name);
        EXPECT_TRUE(Contains(html, "name=\"" + name + "\""));
    }
}

TEST(HelpFile, IsWrittenIntoTheProgramDirectoryWhenMissing) {
    ShellTempDir home;
    EXPECT_TRUE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(tw::HelpFilePath(home.path()), home / "tunehelp.html");
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), tw::HelpFileContent());
    // Nothing else is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 1);
}

TEST(HelpFile, AFileThatIsThereIsLeftAsItIs) {
    ShellTempDir home;
    WriteBytes(home / "tunehelp.html", "<p>my own notes</p>");
    EXPECT_FALSE(tw::InstallHelpFile(home.path()));
    EXPECT_EQ(ReadBytes(home / "tunehelp.html"), "<p>my own notes</p>");
}

TEST(HelpFile, AProgramDirectoryThatCannotHoldItIsReported) {
    ShellTempDir home;
    WriteBytes(home / "not-a-folder", "");
    EXPECT_THROW(tw::InstallHelpFile(home / "not-a-folder"), tw::FileError);
    EXPECT_THROW(tw::InstallHelpFile(home / "missing"), tw::FileError);
    EXPECT_FALSE(std::filesystem::exists(home / "missing"));
}

TEST(HelpFile, MessageTexts) {
    EXPECT_EQ(tw::HelpNotFoundTitle, "Help not found");
    EXPECT_EQ(tw::HelpNotFoundText(), "The help file tunehelp.html does not exist.");
    EXPECT_EQ(tw::CannotOpenHelpTitle, "Cannot open Help");
    EXPECT_EQ(tw::CannotOpenHelpText("https://site.test/"),
              "Errors loading the help file.  Please visit https://site.test/ for help.");
}

}  // namespace

// The list file format, list names and where the lists live.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lists/ini_document.h"
#include "lists/list_error.h"
#include "lists/list_names.h"
#include "lists/program_directory.h"
#include "support/expect_error.h"

namespace {

using tw::IniDocument;
using Lines = std::vector<std::string>;

TEST(IniDocument, HeaderNameIsBetweenTheFirstBracketAndTheLastBracketOfTheTrimmedLine) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"[Test]", "Test"},   {"  [X]  ", "X"},       {"\t[Tab]", "Tab"}, {"[A[1]]", "A[1]"},
        {"[A]x]", "A]x"},     {"[A] note", "A"},      {"[open", "open"},  {"[]", ""},
        {"[ Foo ]", " Foo "}, {"x[y]", std::nullopt}, {"", std::nullopt}, {"RTTTL=[x]", std::nullopt}};
    for (const auto& [line, name] : cases) EXPECT_EQ(IniDocument::HeaderName(line), name) << '"' << line << '"';
}

TEST(IniDocument, ReadsCrLfLfAndLoneCrAndWritesCrLf) {
    for (const std::string text : {"[A]\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2", "[A]\nRTTTL=1\n\n[B]\nRTTTL=2\n",
                                   "[A]\rRTTTL=1\r\r[B]\rRTTTL=2\r", "[A]\r\nRTTTL=1\n\r[B]\nRTTTL=2\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        const IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(document.Lines(), (Lines{"[A]", "RTTTL=1", "", "[B]", "RTTTL=2"}));
        EXPECT_EQ(document.Text(), "[A]\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2\r\n");
    }
}

TEST(IniDocument, ValuesMatchWithoutCaseAndTheFirstMatchWins) {
    const IniDocument document = IniDocument::Parse(
        "lead=in\r\n[Foo]\r\nother=x\r\nRtTtL =  a=b  \r\nRTTTL=second key\r\n[FOO]\r\nRTTTL=second section\r\n");
    EXPECT_EQ(document.Value("foo", "RTTTL"), "a=b");
    EXPECT_EQ(document.Value("FOO", "other"), "x");
    EXPECT_EQ(document.Value("Foo", "missing"), std::nullopt);
    EXPECT_EQ(document.Value("Bar", "RTTTL"), std::nullopt);
    EXPECT_EQ(document.Value("", "lead"), std::nullopt);  // lines before the first header belong to no section
    EXPECT_EQ(document.SectionNames(), (Lines{"Foo", "FOO"}));
}

TEST(IniDocument, SetValueAddsAMissingKeyBeforeTheSectionsTrailingBlankLinesAndRefusesLineBreaks) {
    IniDocument document = IniDocument::Parse("[A]\nnote=1\n\n[B]\nRTTTL=2\n");
    document.SetValue("a", "RTTTL", "1");
    EXPECT_EQ(document.Text(), "[A]\r\nnote=1\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2\r\n");
    for (const auto& [section, key, value] :
         {std::tuple{"A\nB", "RTTTL", "x"}, {"A", "R\nT", "x"}, {"A", "RTTTL", "x\ry"}})
        EXPECT_THROW(document.SetValue(section, key, value), tw::ListError);
    EXPECT_EQ(document.Text(), "[A]\r\nnote=1\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2\r\n");
}

TEST(IniDocument, RemoveSectionRemovesTheFirstMatchUpToTheNextHeader) {
    IniDocument document =
        IniDocument::Parse("top\n[A]\nRTTTL=a\n[Foo]\nRTTTL=f\nextra\n\n[FOO]\nRTTTL=F\n[C]\nRTTTL=c\n");
    EXPECT_TRUE(document.RemoveSection("foo"));
    EXPECT_TRUE(document.RemoveSection("C"));
    EXPECT_FALSE(document.RemoveSection("C"));
    EXPECT_EQ(document.Text(), "top\r\n[A]\r\nRTTTL=a\r\n[FOO]\r\nRTTTL=F\r\n");
}

TEST(IniDocument, RenameSectionRenamesTheFirstMatchWhereItStands) {
    IniDocument document = IniDocument::Parse("[A]\nRTTTL=a\n  [Foo] note\nRTTTL=f\n[FOO]\nRTTTL=F\n[C]\nRTTTL=c\n");
    EXPECT_TRUE(document.RenameSection("foo", "fOO"));
    EXPECT_TRUE(document.RenameSection("a", "Longer A"));
    EXPECT_FALSE(document.RenameSection("B", "b"));
    EXPECT_THROW(document.RenameSection("C", "C\nD"), tw::ListError);
    EXPECT_EQ(document.Text(),
              "[Longer A]\r\nRTTTL=a\r\n  [fOO] note\r\nRTTTL=f\r\n[FOO]\r\nRTTTL=F\r\n[C]\r\nRTTTL=c\r\n");
    EXPECT_EQ(document.SectionNames(), (Lines{"Longer A", "fOO", "FOO", "C"}));
    EXPECT_EQ(document.Value("longer a", "RTTTL"), "a");
    EXPECT_EQ(document.Value("A", "RTTTL"), std::nullopt);
    EXPECT_EQ(document.Value("c", "RTTTL"), "c");  // the sections after it moved with it
    document.SetValue("C", "RTTTL", "d");
    EXPECT_TRUE(document.Text().ends_with("[C]\r\nRTTTL=d\r\n"));
    // A header that would read otherwise around the new name is written whole.
    IniDocument open = IniDocument::Parse("[open\nRTTTL=o\n");
    EXPECT_TRUE(open.RenameSection("OPEN", "x]y"));
    EXPECT_EQ(open.Text(), "[x]y]\r\nRTTTL=o\r\n");
    EXPECT_EQ(open.SectionNames(), Lines{"x]y"});
}

TEST(ListNames, RefusesWhatCannotBeAListFileAndFileNamesLeavingTheirFolder) {
    const std::string good[] = {"Favtones", "A[1]", "caf\xC3\xA9", "menus", "x.dat", std::string(100, 'x')};
    for (const std::string& name : good) EXPECT_EQ(tw::CheckListName(name), name);
    EXPECT_EQ(tw::CheckListName("  TV Themes  "), "TV Themes");
    const std::string bad[] = {std::string(101, 'x'), "",         "   ",     "a/b",     "/",
                               "tab\there",           "bell\x07", "del\x7F", ".hidden", " .hidden",
                               "~Favtones",           "menu",     "MENU",    " Menu "};
    for (const std::string& name : bad) {
        SCOPED_TRACE(testing::PrintToString(name));
        const std::string text =
            tw::test::ExpectError<tw::ListError>([&] { tw::CheckListName(name); }, tw::ListError::Reason::BadName);
        EXPECT_NE(text.find("cannot be a list name"), std::string::npos);
        EXPECT_EQ(text.find_first_of("\t\x07\x7F"), std::string::npos) << text;  // no control characters shown
    }
    // Names of files written into a folder (the WAV files of a list) stay inside it.
    for (const char* bad : {"", ".", "..", "a/b", "/", "../x", "line\nbreak", "esc\x1B"})
        EXPECT_TRUE(tw::FileNameProblem(bad).has_value()) << testing::PrintToString(std::string(bad));
    for (const char* good : {"Test", "...", ".x", "a b", "A[1]", "~x", "menu"})
        EXPECT_FALSE(tw::FileNameProblem(good)) << good;
}

TEST(ProgramDirectory, TunewrightHomeThenXdgDataHomeThenHome) {
    using Environment = std::map<std::string, std::string, std::less<>>;
    const std::pair<Environment, std::filesystem::path> cases[] = {
        {{{"TUNEWRIGHT_HOME", "/portable/tw"}, {"XDG_DATA_HOME", "/data"}, {"HOME", "/home/me"}}, "/portable/tw"},
        {{{"TUNEWRIGHT_HOME", ""}, {"XDG_DATA_HOME", "/data"}, {"HOME", "/home/me"}}, "/data/Tunewright"},
        {{{"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/me"}}, "/home/me/.local/share/Tunewright"},
        {{{"TUNEWRIGHT_HOME", "tw"}}, std::filesystem::current_path() / "tw"},  // made absolute
    };
    for (const auto& c : cases) {
        const auto lookup = [&](std::string_view name) -> std::optional<std::string> {
            const auto found = c.first.find(name);
            return found == c.first.end() ? std::nullopt : std::optional(found->second);
        };
        EXPECT_EQ(tw::LocateProgramDirectory(lookup), c.second);
    }
    EXPECT_THROW(tw::LocateProgramDirectory([](std::string_view) { return std::nullopt; }), tw::ListError);
}

}  // namespace

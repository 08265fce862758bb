#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ini_document.h"
#include "list_error.h"

namespace {

using tw::IniDocument;

TEST(IniHeader, NameIsBetweenFirstBracketAndLastBracketOfTrimmedLine) {
    const struct {
        const char* line;
        std::optional<std::string> name;
    } cases[] = {
        {"[Test]", "Test"},      {"  [X]  ", "X"},    {"\t[Tab]", "Tab"},   {"[A[1]]", "A[1]"},
        {"[A]x]", "A]x"},        {"[A] note", "A"},   {"[open", "open"},   {"[]", ""},
        {"[ Foo ]", " Foo "},    {"x[y]", std::nullopt}, {"", std::nullopt}, {"RTTTL=[x]", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto name = IniDocument::HeaderName(c.line);
        ASSERT_EQ(name.has_value(), c.name.has_value());
        if (name) EXPECT_EQ(*name, *c.name);
    }
}

TEST(IniParse, AcceptsCrLfLfAndLoneCrAndWritesCrLf) {
    for (const std::string text : {"[A]\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2", "[A]\nRTTTL=1\n\n[B]\nRTTTL=2\n",
                                   "[A]\rRTTTL=1\r\r[B]\rRTTTL=2\r", "[A]\r\nRTTTL=1\n\r[B]\nRTTTL=2\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        const IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(document.Lines(), (std::vector<std::string>{"[A]", "RTTTL=1", "", "[B]", "RTTTL=2"}));
        EXPECT_EQ(document.Text(), "[A]\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2\r\n");
        EXPECT_EQ(document.Value("b", "rtttl"), "2");
    }
}

TEST(IniValue, MatchesWithoutCaseAndTakesTheFirstMatch) {
    const IniDocument document = IniDocument::Parse(
        "lead=in\r\n[Foo]\r\nother=x\r\nRtTtL =  a=b  \r\nRTTTL=second key\r\n[FOO]\r\nRTTTL=second section\r\n");
    EXPECT_EQ(document.Value("foo", "RTTTL"), "a=b");
    EXPECT_EQ(document.Value("FOO", "other"), "x");
    EXPECT_EQ(document.Value("Foo", "missing"), std::nullopt);
    EXPECT_EQ(document.Value("Bar", "RTTTL"), std::nullopt);
    EXPECT_EQ(document.Value("", "lead"), std::nullopt);  // lines before the first header belong to no section
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Foo", "FOO"}));
}

TEST(IniSetValue, AddsAMissingKeyBeforeTheSectionsTrailingBlankLines) {
    IniDocument document = IniDocument::Parse("[A]\nnote=1\n\n[B]\nRTTTL=2\n");
    document.SetValue("a", "RTTTL", "1");
    EXPECT_EQ(document.Text(), "[A]\r\nnote=1\r\nRTTTL=1\r\n\r\n[B]\r\nRTTTL=2\r\n");
    EXPECT_EQ(document.Value("B", "RTTTL"), "2");
}

TEST(IniSetValue, RefusesLineBreaks) {
    IniDocument document;
    for (const auto& [section, value] : {std::pair{"A\nB", "x"}, {"A", "x\ry"}}) {
        try {
            document.SetValue(section, "RTTTL", value);
            ADD_FAILURE() << "stored a line break";
        } catch (const tw::ListError& e) {
            EXPECT_EQ(e.reason(), tw::ListError::Reason::BadText);
        }
    }
    EXPECT_TRUE(document.Lines().empty());
}

TEST(IniSetValue, EveryNameWithoutLineBreaksIsFoundAgain) {
    for (const std::string name : {"A[1]", " lead", "trail ", "a]b", "[", "]", "", "x=y", "[x]", "\tT", "\xC3\xBC"}) {
        SCOPED_TRACE(name);
        IniDocument document = IniDocument::Parse("[Other]\nRTTTL=o\n");
        document.SetValue(name, "RTTTL", "v");
        const IniDocument reread = IniDocument::Parse(document.Text());
        EXPECT_EQ(reread.SectionNames(), (std::vector<std::string>{"Other", name}));
        EXPECT_EQ(reread.Value(name, "RTTTL"), "v");
    }
}

TEST(IniRemoveSection, RemovesTheFirstMatchUpToTheNextHeader) {
    IniDocument document = IniDocument::Parse("top\n[A]\nRTTTL=a\n[Foo]\nRTTTL=f\nextra\n\n[FOO]\nRTTTL=F\n[C]\nRTTTL=c\n");
    EXPECT_TRUE(document.RemoveSection("foo"));
    EXPECT_EQ(document.Text(), "top\r\n[A]\r\nRTTTL=a\r\n[FOO]\r\nRTTTL=F\r\n[C]\r\nRTTTL=c\r\n");
    EXPECT_EQ(document.Value("Foo", "RTTTL"), "F");
    EXPECT_TRUE(document.RemoveSection("C"));
    EXPECT_FALSE(document.RemoveSection("C"));
    EXPECT_EQ(document.Text(), "top\r\n[A]\r\nRTTTL=a\r\n[FOO]\r\nRTTTL=F\r\n");
}

}  // namespace

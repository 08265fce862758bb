#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "list_error.h"
#include "list_names.h"

namespace {

TEST(ListNames, RefusesWhatCannotBeAListFile) {
    const struct {
        std::string given;
        std::optional<std::string> kept;  // nothing when refused
    } cases[] = {
        {"Favtones", "Favtones"},
        {"  TV Themes  ", "TV Themes"},
        {"A[1]", "A[1]"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {std::string(100, 'x'), std::string(100, 'x')},
        {std::string(101, 'x'), std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"a/b", std::nullopt},
        {"/", std::nullopt},
        {"tab\there", std::nullopt},
        {"bell\x07", std::nullopt},
        {"del\x7F", std::nullopt},
        {".hidden", std::nullopt},
        {" .hidden", std::nullopt},
        {"~Favtones", std::nullopt},
        {"menu", std::nullopt},
        {"MENU", std::nullopt},
        {" Menu ", std::nullopt},
        {"menus", "menus"},
        {"x.dat", "x.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.given));
        if (c.kept) {
            EXPECT_EQ(tw::CheckListName(c.given), *c.kept);
            continue;
        }
        try {
            tw::CheckListName(c.given);
            ADD_FAILURE() << "accepted";
        } catch (const tw::ListError& e) {
            EXPECT_EQ(e.reason(), tw::ListError::Reason::BadName);
            EXPECT_NE(std::string(e.what()).find("cannot be a list name"), std::string::npos);
            EXPECT_EQ(std::string(e.what()).find_first_of("\t\x07\x7F"), std::string::npos) << "control characters shown";
        }
    }
}

TEST(ListNames, FileNameProblemKeepsFilesInsideTheirFolder) {
    for (const char* bad : {"", ".", "..", "a/b", "/", "../x", "line\nbreak", "esc\x1B"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(bad)));
        EXPECT_TRUE(tw::FileNameProblem(bad).has_value());
    }
    for (const char* good : {"Test", "...", ".x", "a b", "A[1]", "~x", "menu"}) {
        SCOPED_TRACE(good);
        EXPECT_FALSE(tw::FileNameProblem(good).has_value());
    }
}

}  // namespace

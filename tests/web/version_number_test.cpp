#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "update_check.h"
#include "version_number.h"

namespace {

TEST(VersionNumber, ReadsDecimalTexts) {
    const struct {
        std::string text;
        std::optional<double> value;
    } cases[] = {
        {"3.3", 3.3},          {" 3.4 ", 3.4},         {"3.", 3.0},           {"2-", -2.0},
        {"", 0.0},             {"   ", 0.0},           {"3,3", std::nullopt}, {"v3.3", std::nullopt},
        {"1e3", std::nullopt}, {"3.3.1", std::nullopt}, {std::string(400, '9'), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tw::ReadVersionNumber(c.text), c.value);
    }
    EXPECT_EQ(tw::VersionNumber({3, 3}), 3.3);
    EXPECT_EQ(tw::VersionNumber({3, 10}), 3.1);  // minor 10 reads as 3.1
}

TEST(VersionCompare, NewerEqualAndOlderSiteVersions) {
    const double program = tw::VersionNumber(tw::ThisProgramVersion);
    const struct {
        const char* site;
        bool silent;
        std::optional<std::string> title;
    } cases[] = {
        {"3.4", false, "New Version Available!"},
        {"3.4", true, "New Version Available!"},  // asked also at the quiet start
        {"3.30", false, "No New Version Available"},
        {"3.3", true, std::nullopt},
        {"3.25", false, std::nullopt},  // 3.25 is older than 3.3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.site) + (c.silent ? " silent" : " from the menu"));
        const auto box = tw::VersionBox(program, *tw::ReadVersionNumber(c.site), c.silent);
        EXPECT_EQ(box ? std::optional<std::string>(box->Title) : std::nullopt, c.title);
    }
}

}  // namespace

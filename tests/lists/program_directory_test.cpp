#include <gtest/gtest.h>

#include <map>
#include <string>

#include "list_error.h"
#include "program_directory.h"

namespace {

tw::EnvironmentLookup From(std::map<std::string, std::string, std::less<>> values) {
    return [values = std::move(values)](std::string_view name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

TEST(ProgramDirectory, TunewrightHomeThenXdgDataHomeThenHome) {
    const struct {
        std::map<std::string, std::string, std::less<>> environment;
        const char* expected;
    } cases[] = {
        {{{"TUNEWRIGHT_HOME", "/portable/tw"}, {"XDG_DATA_HOME", "/data"}, {"HOME", "/home/me"}}, "/portable/tw"},
        {{{"TUNEWRIGHT_HOME", ""}, {"XDG_DATA_HOME", "/data"}, {"HOME", "/home/me"}}, "/data/Tunewright"},
        {{{"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/me"}}, "/home/me/.local/share/Tunewright"},
        {{{"XDG_DATA_HOME", ""}, {"HOME", "/home/me"}}, "/home/me/.local/share/Tunewright"},
        {{{"HOME", "/home/me"}}, "/home/me/.local/share/Tunewright"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(tw::LocateProgramDirectory(From(c.environment)), std::filesystem::path(c.expected));
    }
}

TEST(ProgramDirectory, RelativeTunewrightHomeIsMadeAbsolute) {
    EXPECT_EQ(tw::LocateProgramDirectory(From({{"TUNEWRIGHT_HOME", "tw"}})), std::filesystem::current_path() / "tw");
}

TEST(ProgramDirectory, NothingToGoOnIsAnError) {
    EXPECT_THROW(tw::LocateProgramDirectory(From({})), tw::ListError);
}

}  // namespace

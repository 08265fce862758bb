#include "lists/program_directory.h"

#include <cstdlib>
#include <system_error>

#include "lists/list_error.h"

namespace tw {

std::filesystem::path LocateProgramDirectory(const EnvironmentLookup& environment) {
    const auto set = [&environment](std::string_view name) -> std::optional<std::string> {
        auto value = environment(name);
        if (value && value->empty()) return std::nullopt;
        return value;
    };
    if (const auto home = set("TUNEWRIGHT_HOME")) {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(*home, error);
        return error ? std::filesystem::path(*home) : absolute;
    }
    if (const auto data = set("XDG_DATA_HOME"); data && std::filesystem::path(*data).is_absolute())
        return std::filesystem::path(*data) / "Tunewright";
    if (const auto home = set("HOME")) return std::filesystem::path(*home) / ".local" / "share" / "Tunewright";
    throw ListError(ListError::Reason::Io,
                    "could not find the program directory: set TUNEWRIGHT_HOME, XDG_DATA_HOME or HOME");
}

std::optional<std::string> EnvironmentValue(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

std::filesystem::path ProgramDirectory() {
    const std::filesystem::path directory = LocateProgramDirectory(EnvironmentValue);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory))
        throw ListError(ListError::Reason::Io, "could not create the program directory " + directory.string() + ": " +
                                                   (error ? error.message() : "it is not a folder"));
    return directory;
}

}  // namespace tw

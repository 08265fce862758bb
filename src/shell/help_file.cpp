#include "shell/help_file.h"

#include <system_error>

#include "files/safe_file.h"

namespace tw {

std::filesystem::path HelpFilePath(const std::filesystem::path& programDirectory) {
    return programDirectory / HelpFileName;
}

bool InstallHelpFile(const std::filesystem::path& programDirectory) {
    const std::filesystem::path path = HelpFilePath(programDirectory);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (error && error != std::errc::no_such_file_or_directory)
        throw FileError("could not look for the help file " + path.string() + ": " + error.message());
    if (std::filesystem::exists(status)) return false;
    ReplaceFile(path, HelpFileContent());
    return true;
}

std::string HelpNotFoundText() { return "The help file " + std::string(HelpFileName) + " does not exist."; }

std::string CannotOpenHelpText(std::string_view homeAddress) {
    return "Errors loading the help file.  Please visit " + std::string(homeAddress) + " for help.";
}

}  // namespace tw

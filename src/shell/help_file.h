#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "web/web_address.h"

// The program's help file: an HTML page compiled into the program and
// written into the program directory when it is not there, from where the
// window's help viewer opens it at its contents.
namespace tw {

inline constexpr std::string_view HelpFileName = "tunehelp.html";

// The help file's bytes (UTF-8 HTML).
std::string_view HelpFileContent();

// Where the help file lives: the program directory and HelpFileName.
std::filesystem::path HelpFilePath(const std::filesystem::path& programDirectory);

// Writes the help file into the program directory when nothing of its name
// is there (through a temporary file and a rename); a file that is there is
// left as it is. True when it was written. Throws FileError when it cannot
// be written.
bool InstallHelpFile(const std::filesystem::path& programDirectory);

// The message boxes of Help > Contents, both with the exclamation icon.
inline constexpr std::string_view HelpNotFoundTitle = "Help not found";
// "The help file tunehelp.html does not exist."
std::string HelpNotFoundText();
inline constexpr std::string_view CannotOpenHelpTitle = "Cannot open Help";
// "Errors loading the help file.  Please visit " + the home site + " for help."
std::string CannotOpenHelpText(std::string_view homeAddress = HomeBaseUrl);

}  // namespace tw

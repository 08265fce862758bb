#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "web/program_version.h"

// Version numbers are decimal numbers: the program's own is its major number,
// ".", and its minor number read as one number (3.3; a minor version of 10
// would read as 3.1). Reading never depends on the desktop's locale.
namespace tw {

// A decimal number as the program's text rules know it (spaces around it,
// one sign in front or behind, at most one decimal point); nothing for any
// other text and for a number too large to hold.
std::optional<double> ReadDecimal(std::string_view text);

// The version a text gives: 0 for an empty or blank text, nothing for a text
// that is not a number.
std::optional<double> ReadVersionNumber(std::string_view text);

// "3.3" for major 3, minor 3.
std::string VersionText(ProgramVersion version);

// The program version as a number, for comparing with the site's.
double VersionNumber(ProgramVersion version);

}  // namespace tw

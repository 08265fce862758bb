#pragma once

#include <string>

namespace tw {

// A double for a message: six significant digits, independent of the locale
// ("0.375", "523", "0.000228889", "inf").
std::string NumberText(double value);

}  // namespace tw

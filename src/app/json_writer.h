#pragma once

#include <string>
#include <string_view>

#include "engine/utf8.h"

namespace tw {

// The text as a JSON string literal with its quotes. Text that is not valid
// UTF-8 is taken as Latin-1, so the result is always valid UTF-8.
std::string JsonString(std::string_view text);

// The shortest decimal form that reads back as the same double.
std::string JsonNumber(double value);

}  // namespace tw

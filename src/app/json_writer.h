#pragma once

#include <string>
#include <string_view>

namespace tw {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The text as a JSON string literal with its quotes. Text that is not valid
// UTF-8 is taken as Latin-1, so the result is always valid UTF-8.
std::string JsonString(std::string_view text);

// The shortest decimal form that reads back as the same double.
std::string JsonNumber(double value);

}  // namespace tw

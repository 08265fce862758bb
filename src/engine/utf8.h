#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Appends the code point, which must be below U+0800, as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t codePoint);

// The bytes as UTF-8: unchanged when they already are, otherwise each byte
// taken as a Latin-1 character, as older files write names.
std::string TextAsUtf8(std::string_view bytes);

}  // namespace tw

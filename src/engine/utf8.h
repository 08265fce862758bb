#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Adds the character `code` (up to U+FFFF) to `out` in UTF-8.
void AppendUtf8(std::string& out, std::uint32_t code);

// The bytes as UTF-8: unchanged when they already are, otherwise each byte
// taken as a Latin-1 character, as older files write names.
std::string TextAsUtf8(std::string_view bytes);

// A UTF-8 text as ISO-8859-1, one byte a character, as Smart Messaging
// carries names. A byte that starts no UTF-8 character is kept as it is, so a
// Latin-1 text stays itself; a character beyond U+00FF becomes '?' and is
// counted in `unmapped`.
std::string Latin1FromUtf8(std::string_view text, std::size_t& unmapped);

}  // namespace tw

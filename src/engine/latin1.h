#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Names in ISO-8859-1, as Smart Messaging carries them, and the program's
// UTF-8.
namespace tw {

// A UTF-8 text as ISO-8859-1, one byte a character. A byte that starts no
// UTF-8 character is kept as it is, so a Latin-1 text stays itself; a
// character beyond U+00FF becomes '?' and is counted in `unmapped`.
std::string Latin1FromUtf8(std::string_view text, std::size_t& unmapped);

// Adds the character `code` (up to U+FFFF) to `out` in UTF-8.
void AppendUtf8(std::string& out, std::uint32_t code);

}  // namespace tw

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The list offered when the program directory holds no list yet.
inline constexpr std::string_view DefaultListName = "Favtones";
// The longest list name, in bytes.
inline constexpr std::size_t MaxListNameBytes = 100;

// Why `name` cannot be a list name, or nothing when it can. The name is
// judged as given (trim it first): empty, holding "/" or a control
// character, beginning with "." or "~", longer than MaxListNameBytes, or
// "menu" in any letter case (menu.dat holds the web menus) are refused.
std::optional<std::string> ListNameProblem(std::string_view name);

// The list name with its spaces trimmed, or ListError (BadName) saying why
// it cannot be used.
std::string CheckListName(std::string_view name);

// Why a ringtone name cannot be used as a file name inside a folder (empty,
// "." or "..", holding "/" or a control character), or nothing.
std::optional<std::string> FileNameProblem(std::string_view name);

// The name with every control character shown as "?", for messages.
std::string Printable(std::string_view name);

}  // namespace tw

#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "lists/ini_document.h"

// menu.dat, the small INI file of the home site that holds the entries of the
// two web menus and the number of the newest released version:
//
//   [Menu]
//   Version=3.3
//   [Ringtones]
//   Total=2
//   1=Ringtones A - E,https://tunewright.example/ringtones.html
//   2=...
//   [Links]
//   ...
namespace tw {

// The name of the file on the site and in the program directory.
inline constexpr std::string_view MenuFileName = "menu.dat";
// What a menu.dat text begins with, in this letter case.
inline constexpr std::string_view MenuFileStart = "[Menu]";
// The longest value read from the file; longer values are cut.
inline constexpr std::size_t IniValueLimit = 499;

// The text before the first comma of an entry value (all of it when there is
// no comma), and the text after that comma (all of it when there is none).
std::string TextBeforeComma(std::string_view s);
std::string TextAfterComma(std::string_view s);

// Whether a text begins with "[Menu]" exactly.
bool StartsAsMenuFile(std::string_view text);

// A menu.dat text, read key by key. Section and key names match without
// regard to case; a missing section or key reads as empty text.
class MenuFile {
public:
    // No file: every value reads as empty text.
    MenuFile() = default;
    static MenuFile Parse(std::string_view text);

    // One value, cut to IniValueLimit characters.
    std::string ReadIniValue(std::string_view section, std::string_view key) const;

    // `Version` of section `Menu` as it is written.
    std::string VersionValue() const { return ReadIniValue("Menu", "Version"); }
    // That version as a number: 0 when empty, nothing when not a number.
    std::optional<double> Version() const;

private:
    explicit MenuFile(IniDocument document) : document_(std::move(document)) {}

    IniDocument document_;
};

// One value of the INI file at `file`; empty text when the file, the section
// or the key is missing. Throws FileError when the file cannot be read.
std::string ReadIniValue(std::string_view section, std::string_view key, const std::filesystem::path& file);

}  // namespace tw

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/menu_file.h"

// The entries of the two web menus of the main window, "&Latest Ringtones"
// and "Top Mobile &Sites", as menu.dat or the built-in defaults give them.
namespace tw {

// The caption the web menus show until their first fill.
inline constexpr std::string_view LoadingCaption = "Loading...";
// The most entries read from one section of menu.dat, whatever its Total says.
inline constexpr int MaxMenuEntries = 50;
// The target of a section's last entry that stands for the advertising page.
inline constexpr std::string_view ContactTarget = "contact";

struct MenuEntry {
    std::string Caption;
    std::string Target;  // the address opened when the entry is clicked

    // A caption of "-" shows as a separator line.
    bool IsSeparator() const { return Caption == "-"; }
    bool operator==(const MenuEntry&) const = default;
};

struct WebMenus {
    std::vector<MenuEntry> Ringtones;  // "&Latest Ringtones"
    std::vector<MenuEntry> Links;      // "Top Mobile &Sites"
    bool operator==(const WebMenus&) const = default;
};

// The menus shown while no version of menu.dat is known.
WebMenus DefaultMenus(std::string_view baseUrl);

// The entries of section `section` ("Ringtones" or "Links"): keys 1 to Total,
// Total rounded to a whole number and capped at MaxMenuEntries, each value
// "caption,target". A value without a comma is skipped. When the last entry's
// target is "contact", it becomes a separator line followed by an entry of
// that caption that opens the site's advertising page. Entries whose target
// is not a web address (blanks around it aside) are left out; separators stay. Nothing when the
// section gives no entry: Total missing, not a number or below 1, or no
// usable value.
std::optional<std::vector<MenuEntry>> ReadMenuSection(const MenuFile& file, std::string_view section,
                                                      std::string_view baseUrl);

// The menus a version check leaves: read from the file when its version is
// above 0, each menu falling back to its defaults when its section gives no
// entry; the defaults when the version is 0 or less or not a number.
WebMenus MenusFor(const MenuFile& file, std::string_view baseUrl);

}  // namespace tw

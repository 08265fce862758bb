#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

// Finding a web browser to open a page with.
namespace tw {

// The programs tried, in this order; the first found on PATH is used.
inline constexpr std::array<std::string_view, 5> BrowserCandidates = {
    "xdg-open", "sensible-browser", "x-www-browser", "firefox", "chromium",
};

// The first candidate that is an executable file in one of the absolute
// folders of `pathVariable` (the value of PATH: folders separated by ":";
// empty and relative entries are passed over). Nothing when none is found.
std::optional<std::filesystem::path> FindBrowser(std::string_view pathVariable);

}  // namespace tw

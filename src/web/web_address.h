#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/program_version.h"

// The addresses of the home site: the base address every page and menu.dat
// hang off, and the addresses the program hands to a web browser.
namespace tw {

// The home site. The name never resolves, so an offline start stays quiet.
inline constexpr std::string_view HomeBaseUrl = "https://tunewright.example/";
// The local test server that the command-line word "local" selects.
inline constexpr std::string_view LocalBaseUrl = "http://127.0.0.1:8077/";
// The environment variable that points the program at another site.
inline constexpr std::string_view BaseUrlVariable = "TUNEWRIGHT_BASE_URL";
// The command-line word that selects the local test server.
inline constexpr std::string_view LocalWord = "local";

// Whether `address` is an absolute http: or https: address with a host (and
// no user name, no blank and no control character): the only kind of address
// the program fetches or opens.
bool IsWebAddress(std::string_view address);

// A base address from a text such as TUNEWRIGHT_BASE_URL's value: a web
// address without query or fragment, given a final "/" when it lacks one.
// Nothing when the text is no such address. Blanks around it are dropped.
std::optional<std::string> BaseUrlFrom(std::string_view text);

// Whether the program's arguments are exactly the word "local".
bool IsLocalCommandLine(const std::vector<std::string>& args);

// BaseURL: the local test server for the word "local", else the value of
// TUNEWRIGHT_BASE_URL when it is a usable base address, else the home site.
std::string ChooseBaseUrl(bool localWord, const std::optional<std::string>& variable);

// The address of a document of the site: the base address followed by it.
std::string DocumentAddress(std::string_view baseUrl, std::string_view document);

// The query item that names the program: "from=TunewrightV3.3".
std::string FromQueryItem(ProgramVersion version = ThisProgramVersion);

// The address a web page is opened at: `address` (blanks around it dropped)
// with the query item added to its query, before any "#fragment": "?" when it
// has no query yet, "&" when its query does not already end in "?" or "&".
// Bytes above 127 are percent-encoded. Nothing when `address` is not a web
// address; such an address is never opened.
std::optional<std::string> AddressToOpen(std::string_view address, ProgramVersion version = ThisProgramVersion);

}  // namespace tw

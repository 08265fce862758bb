#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "web/program_version.h"
#include "web/web_fetch.h"
#include "web/web_menus.h"

// The version check: what a fetch of menu.dat does to the cached copy in the
// program directory, which message box it leads to, and which entries the
// two web menus then hold. The window runs the fetch, shows the box and fills
// the menus; everything it decides is here.
namespace tw {

enum class BoxIcon { Information, Question };
enum class BoxButtons { Ok, YesNo };

// A message box to show: icon, buttons, title and text (with CR LF breaks).
struct MessageBoxText {
    BoxIcon Icon;
    BoxButtons Buttons;
    std::string Title;
    std::string Text;
    bool operator==(const MessageBoxText&) const = default;
};

// The site cannot be reached (shown only when the check is not silent).
MessageBoxText NotConnectedBox();
// The site has a newer version; Yes opens the download page.
MessageBoxText NewVersionBox();
// The program is the site's newest version (shown only when not silent).
MessageBoxText NoNewVersionBox();

// The box after a fetch that reached the site: the question when the
// program's version is smaller than the site's (also when silent), "No New
// Version Available" when equal and not silent, else nothing.
std::optional<MessageBoxText> VersionBox(double programVersion, double siteVersion, bool silent);

// Why a fetch result does not replace the cached menu.dat; nothing when it
// does. Only a complete HTTP 200 answer of at most MaxDocumentSize bytes
// that begins with "[Menu]" is taken.
std::optional<std::string> MenuFileRefusal(const FetchResult& fetch);

// What one version check comes to.
struct UpdateCheck {
    bool Reached = false;                     // the site was reachable (not "Not Connected")
    std::optional<std::string> NewCache;      // the text that replaces the cache: the document and CR LF
    std::optional<std::string> Refusal;       // why the fetched document was not taken
    std::optional<std::string> CacheProblem;  // the cache could not be read or written
    std::string VersionValue;                 // `Version` of the menu.dat in effect, as written
    std::optional<double> SiteVersion;        // that version as a number; nothing when it is not one
    std::optional<MessageBoxText> Box;        // the one box to show, if any
    std::string DownloadAddress;              // opened (through OpenWebPage) when the question is answered Yes
    WebMenus Menus;                           // the entries the two web menus hold afterwards
};

// Decides a check from a fetch of BaseURL + "menu.dat" and the cached text
// (nothing when there is no cache file). The menu.dat in effect afterwards is
// the fetched one when it is taken, else the cached one.
UpdateCheck DecideUpdateCheck(const FetchResult& fetch, const std::optional<std::string>& cached, bool silent,
                              std::string_view baseUrl, ProgramVersion version = ThisProgramVersion);

// The same with the cache file at `cachePath`, which a taken document
// replaces through a temporary file and a rename. A cache that cannot be
// read counts as missing; one that cannot be written keeps its old content,
// while the menus follow the fetched document. Both are told in CacheProblem.
UpdateCheck CheckForUpdates(const FetchResult& fetch, const std::filesystem::path& cachePath, bool silent,
                            std::string_view baseUrl, ProgramVersion version = ThisProgramVersion);

}  // namespace tw

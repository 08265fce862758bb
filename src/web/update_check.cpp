#include "web/update_check.h"

#include "files/safe_file.h"
#include "web/menu_file.h"
#include "web/version_number.h"
#include "web/web_address.h"

namespace tw {

MessageBoxText NotConnectedBox() {
    return {BoxIcon::Information, BoxButtons::Ok, "Not Connected",
            "You need to be connected to the internet to check for a newer version of the Tunewright."};
}

MessageBoxText NewVersionBox() {
    return {BoxIcon::Question, BoxButtons::YesNo, "New Version Available!",
            "A newer version of this program is now available with bug fixes and new features.\r\n\r\n"
            "Would you like to go to the download page now?"};
}

MessageBoxText NoNewVersionBox() {
    return {BoxIcon::Information, BoxButtons::Ok, "No New Version Available",
            "You already have the latest version of the Tunewright."};
}

std::optional<MessageBoxText> VersionBox(double programVersion, double siteVersion, bool silent) {
    if (programVersion < siteVersion) return NewVersionBox();
    if (programVersion == siteVersion && !silent) return NoNewVersionBox();
    return std::nullopt;
}

std::optional<std::string> MenuFileRefusal(const FetchResult& fetch) {
    switch (fetch.Outcome) {
    case FetchOutcome::Document: break;
    case FetchOutcome::CannotConnect:
        return "could not connect to the site" + (fetch.Detail.empty() ? "" : ": " + fetch.Detail);
    case FetchOutcome::HostNotFound:
        return "the site's host name was not found" + (fetch.Detail.empty() ? "" : ": " + fetch.Detail);
    case FetchOutcome::TimedOut:
        return "the site did not answer within " + std::to_string(FetchTimeLimit.count() / 1000) + " seconds";
    case FetchOutcome::OtherError: return fetch.Detail.empty() ? "the transfer failed" : fetch.Detail;
    }
    if (fetch.HttpStatus != 200) return "the site answered with HTTP status " + std::to_string(fetch.HttpStatus);
    if (fetch.Body.size() > MaxDocumentSize)
        return "the document is larger than " + std::to_string(MaxDocumentSize) + " bytes";
    if (!StartsAsMenuFile(fetch.Body)) return "the document does not begin with " + std::string(MenuFileStart);
    return std::nullopt;
}

UpdateCheck DecideUpdateCheck(const FetchResult& fetch, const std::optional<std::string>& cached, bool silent,
                              std::string_view baseUrl, ProgramVersion version) {
    UpdateCheck check;
    check.Reached = !fetch.Unreachable();
    check.Refusal = MenuFileRefusal(fetch);
    if (!check.Refusal) check.NewCache = fetch.Body + "\r\n";
    if (fetch.Unreachable() && !silent) check.Box = NotConnectedBox();

    const std::optional<std::string>& inEffect = check.NewCache ? check.NewCache : cached;
    const MenuFile file = inEffect ? MenuFile::Parse(*inEffect) : MenuFile{};
    check.VersionValue = file.VersionValue();
    check.SiteVersion = file.Version();
    check.DownloadAddress = DocumentAddress(baseUrl, "download.html");
    if (check.Reached && check.SiteVersion) check.Box = VersionBox(VersionNumber(version), *check.SiteVersion, silent);
    check.Menus = MenusFor(file, baseUrl);
    return check;
}

UpdateCheck CheckForUpdates(const FetchResult& fetch, const std::filesystem::path& cachePath, bool silent,
                            std::string_view baseUrl, ProgramVersion version) {
    std::optional<std::string> cached;
    std::optional<std::string> readProblem;
    try {
        // No fetched menu.dat is longer than a document may be: no more is read.
        cached = ReadFileStart(cachePath, MaxDocumentSize);
    } catch (const FileError& e) {
        readProblem = e.what();
    }
    UpdateCheck check = DecideUpdateCheck(fetch, cached, silent, baseUrl, version);
    check.CacheProblem = std::move(readProblem);
    if (check.NewCache) {
        try {
            ReplaceFile(cachePath, *check.NewCache);
        } catch (const FileError& e) {
            check.CacheProblem = e.what();
        }
    }
    return check;
}

}  // namespace tw

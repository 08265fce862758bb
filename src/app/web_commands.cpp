#include "app/web_commands.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "engine/text_rules.h"
#include "lists/list_error.h"
#include "lists/program_directory.h"
#include "web/browser_search.h"
#include "web/menu_file.h"
#include "web/qt/qt_browser.h"
#include "web/qt/qt_web_fetcher.h"
#include "web/update_check.h"
#include "web/web_address.h"

namespace tw {
namespace {

// The base address for "menus" and "check": the words after the subcommand
// are nothing or "local".
std::string BaseUrlFor(const std::string& command, const std::vector<std::string>& words) {
    if (words.size() > 1 || (words.size() == 1 && words.front() != LocalWord))
        throw UsageError{"web " + command + " takes nothing but the word 'local'"};
    if (!words.empty()) return std::string(LocalBaseUrl);
    const std::optional<std::string> variable = EnvironmentValue(BaseUrlVariable);
    if (variable && !BaseUrlFrom(*variable))
        throw CommandFailure{ExitNothingRead, std::string(BaseUrlVariable) +
                                                  " is not an http or https address with a host and without query or "
                                                  "fragment: " +
                                                  *variable};
    return ChooseBaseUrl(false, variable);
}

// Runs the check against menu.dat of `baseUrl` with the cache in the program
// directory.
UpdateCheck RunCheck(const std::string& baseUrl, bool silent) {
    std::filesystem::path cache;
    try {
        cache = ProgramDirectory() / MenuFileName;
    } catch (const ListError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    const FetchResult fetch = FetchDocument(DocumentAddress(baseUrl, MenuFileName));
    return CheckForUpdates(fetch, cache, silent, baseUrl);
}

std::string WithLineFeeds(std::string_view text) { return ReplaceAll(text, "\r\n", "\n"); }

void PrintMenu(std::string_view title, const std::vector<MenuEntry>& entries, std::ostream& out) {
    out << title << ":\n";
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator()) out << "  -\n";
        else out << "  " << entry.Caption << '\t' << entry.Target << '\n';
    }
}

// The problems that leave the cache as it was, one line each; true when
// there was one.
bool ReportProblems(const UpdateCheck& check, std::ostream& err) {
    bool any = false;
    if (check.Refusal) {
        err << "error: menu.dat was not updated: " << *check.Refusal << '\n';
        any = true;
    }
    if (check.CacheProblem) {
        err << "error: " << *check.CacheProblem << '\n';
        any = true;
    }
    return any;
}

int Menus(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const UpdateCheck check = RunCheck(BaseUrlFor("menus", words), true);
    out << "Version: " << (check.VersionValue.empty() ? "0" : check.VersionValue) << '\n';
    PrintMenu("Latest Ringtones", check.Menus.Ringtones, out);
    PrintMenu("Top Mobile Sites", check.Menus.Links, out);
    const bool problems = ReportProblems(check, err);
    if (!check.SiteVersion) err << "error: the Version in menu.dat is not a number: " << check.VersionValue << '\n';
    return problems || !check.SiteVersion ? ExitProblems : ExitClean;
}

int Check(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const UpdateCheck check = RunCheck(BaseUrlFor("check", words), false);
    if (!check.Reached)
        throw CommandFailure{ExitNothingRead, NotConnectedBox().Title + ": " + NotConnectedBox().Text + " (" +
                                                  check.Refusal.value_or("") + ")"};
    if (check.Box) {
        out << check.Box->Title << '\n' << WithLineFeeds(check.Box->Text) << '\n';
        if (check.Box->Buttons == BoxButtons::YesNo)
            out << "Yes opens " << AddressToOpen(check.DownloadAddress).value_or(check.DownloadAddress) << '\n';
    }
    const bool problems = ReportProblems(check, err);
    if (!check.SiteVersion) err << "error: the Version in menu.dat is not a number: " << check.VersionValue << '\n';
    return problems || !check.SiteVersion ? ExitProblems : ExitClean;
}

int Open(const std::vector<std::string>& words, std::ostream& out) {
    if (words.size() != 1) throw UsageError{"web open needs one ADDRESS"};
    const std::optional<std::string> address = AddressToOpen(words.front());
    if (!address)
        throw CommandFailure{ExitNothingRead, "not an absolute http or https address with a host: " + words.front()};
    const std::optional<std::string> path = EnvironmentValue("PATH");
    if (!FindBrowser(path.value_or(""))) {
        std::string candidates;
        for (const std::string_view candidate : BrowserCandidates)
            candidates += (candidates.empty() ? "" : ", ") + std::string(candidate);
        throw CommandFailure{ExitNothingRead, "no web browser found on PATH (" + candidates + ")"};
    }
    if (!OpenWebPage(words.front())) throw CommandFailure{ExitNothingRead, "the web browser could not be started"};
    out << *address << '\n';
    return ExitClean;
}

}  // namespace

int RunWebCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) throw UsageError{"web needs menus, check or open"};
    const std::string& command = args.front();
    const std::vector<std::string> words(args.begin() + 1, args.end());
    if (command == "menus") return Menus(words, out, err);
    if (command == "check") return Check(words, out, err);
    if (command == "open") return Open(words, out);
    throw UsageError{"unknown web command '" + command + "'"};
}

}  // namespace tw

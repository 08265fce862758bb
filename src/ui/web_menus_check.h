#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ui/toolkit.h"
#include "web/web_fetch.h"
#include "web/web_menus.h"

class QMenu;

namespace tw {

// The web side of the main window: the version check that fetches menu.dat
// in the background, keeps the cached copy in the program directory and
// fills the window's two web menus from it (or from the cache, or the
// defaults), and the entries and pages those menus open. The window owns one
// and hands it its two menus once they are built; the menus, `services` and
// `fetcher` must outlive it. One check runs at a time.
class WebMenusCheck {
public:
    WebMenusCheck(ToolkitServices& services, WebFetcher& fetcher, std::filesystem::path programDirectory);
    // A check under way ends unseen: it must not call back into a window
    // that is gone.
    ~WebMenusCheck();
    WebMenusCheck(const WebMenusCheck&) = delete;
    WebMenusCheck& operator=(const WebMenusCheck&) = delete;

    void SetMenus(QMenu& ringtones, QMenu& links);
    const std::string& BaseURL() const { return baseURL_; }
    void SetBaseURL(std::string address) { baseURL_ = std::move(address); }

    // Fetches menu.dat; silent at start-up, else with the busy pointer until
    // it ends and a box whatever the outcome. A check asked for while one
    // runs is ignored.
    void CheckForUpdates(bool silent);
    // Ends a check under way unseen.
    void Stop();
    // Opens the page of entry `entry` of `menu`; a separator or an entry
    // beyond the menu opens nothing.
    void OpenEntry(QMenu& menu, int entry);
    // A page of the site: "" for its front page.
    void OpenPage(const std::string& document);

private:
    void CheckDone(const FetchResult& fetch, bool silent);
    void EndCheck();
    static void FillMenu(QMenu& menu, const char* base, const std::vector<MenuEntry>& entries);

    ToolkitServices& services_;
    WebFetcher& fetcher_;
    std::filesystem::path programDirectory_;
    std::string baseURL_;
    QMenu* ringtones_ = nullptr;
    QMenu* links_ = nullptr;
    bool checkShowsBusy_ = false;
};

}  // namespace tw

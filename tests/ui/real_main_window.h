#pragma once

// The main window as the program opens it on a real display, for the
// programs that picture it or measure it: the real toolkit services, no
// sound, settings of a program that has run before (so no About box), and a
// web check that goes to a port of 127.0.0.1 that refuses.
#include <cstdlib>
#include <filesystem>

#include "shell/saved_settings.h"
#include "shell/settings_store.h"
#include "sound/player.h"
#include "support/test_http_server.h"
#include "ui/frm_converter.h"
#include "ui/qt_toolkit.h"
#include "web/qt/qt_web_fetcher.h"

namespace tw::test {

struct RealMainWindow {
    explicit RealMainWindow(const std::filesystem::path& directory)
        : settings(SettingsOf(directory)), window(toolkit, player, settings, fetcher, directory) {
        window.Form_Load();
    }

    static MemorySettingsStore SettingsOf(const std::filesystem::path& directory) {
        ::setenv("TUNEWRIGHT_BASE_URL", RefusedBaseUrl().c_str(), 1);
        MemorySettingsStore store;
        store.SaveSetting(SettingKey::RingToneDirectory, directory.string());
        return store;
    }

    MemorySettingsStore settings;
    QtToolkit toolkit;
    NullPlayer player;
    QtWebFetcher fetcher;
    frmConverter window;
};

}  // namespace tw::test

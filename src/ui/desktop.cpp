#include "ui/desktop.h"

#include <QApplication>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "lists/program_directory.h"
#include "shell/qt/qt_settings_store.h"
#include "shell/saved_settings.h"
#include "sound/qt/qt_player.h"
#include "ui/frm_converter.h"
#include "ui/qt_toolkit.h"
#include "web/qt/qt_web_fetcher.h"

namespace tw {
namespace {

bool Set(const char* name) { return EnvironmentValue(name).has_value(); }

}  // namespace

bool HasDisplay() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"); }

int RunDesktop(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(SettingsApplication.data(), SettingsApplication.size()));
    QApplication::setOrganizationName(QString::fromUtf8(SettingsApplication.data(), SettingsApplication.size()));
    QtToolkit toolkit;

    std::filesystem::path directory;
    try {
        directory = ProgramDirectory();
    } catch (const std::exception& e) {
        toolkit.MsgBox(std::string("The folder for the ringtone lists could not be used.\r\n\r\n") + e.what(),
                       MsgButtons::OkOnly, MsgIcon::Critical);
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    QtPlayer player;
    QtSettingsStore settings;
    QtWebFetcher fetcher;
    frmConverter window(toolkit, player, settings, fetcher, directory);
    window.SetCommandLine(args);
    window.Form_Load();
    return QApplication::exec();
}

}  // namespace tw

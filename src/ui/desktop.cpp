#include "desktop.h"

#include <QApplication>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>

#include "frm_converter.h"
#include "program_directory.h"
#include "qt_player.h"
#include "qt_toolkit.h"

namespace tw {
namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool HasDisplay() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"); }

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tunewright"));
    QApplication::setOrganizationName(QStringLiteral("Tunewright"));
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
    frmConverter window(toolkit, player, directory);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}

}  // namespace tw

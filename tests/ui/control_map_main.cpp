// Prints where the controls of the main window and of the paste and export
// dialogs sit when the program shows them on this display with fresh
// settings, so that a script can click them in the real program: one line
// per named control, "FORM/CONTROL X Y", the control's centre in pixels from
// the top-left corner of its window's inside.
// Usage: ui_control_map   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <iostream>

#include "cnotes.h"
#include "frm_converter.h"
#include "frm_export.h"
#include "frm_new_ringtone.h"
#include "player.h"
#include "program_directory.h"
#include "qt_toolkit.h"
#include "qt_web_fetcher.h"
#include "ringtone_list.h"
#include "saved_settings.h"
#include "settings_store.h"
#include "test_http_server.h"

namespace {

bool PrintControls(QWidget& form) {
    if (!QTest::qWaitForWindowExposed(&form, 10000)) {
        std::cerr << form.objectName().toStdString() << " was not shown\n";
        return false;
    }
    const std::string formName = form.objectName().toStdString();
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || !control->isVisibleTo(&form)) continue;
        const QPoint centre = control->mapTo(&form, control->rect().center());
        std::cout << formName << '/' << control->objectName().toStdString() << ' ' << centre.x() << ' ' << centre.y()
                  << '\n';
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::filesystem::path directory = tw::ProgramDirectory();
    ::setenv("TUNEWRIGHT_BASE_URL", tw::test::RefusedBaseUrl().c_str(), 1);
    tw::MemorySettingsStore settings;
    settings.SaveSetting(tw::SettingKey::RingToneDirectory, directory.string());
    tw::QtToolkit toolkit;
    tw::NullPlayer player;
    tw::QtWebFetcher fetcher;
    tw::frmConverter window(toolkit, player, settings, fetcher, directory);
    window.Form_Load();
    if (!PrintControls(window)) return 1;

    tw::frmNewRingTone paste(toolkit, &window);
    paste.Prepare();
    paste.show();
    if (!PrintControls(paste)) return 1;
    paste.hide();

    tw::CNotes ringtone;
    tw::CRingtoneList list(ringtone, directory);
    tw::frmExport exporter(toolkit, list, &window);
    exporter.Prepare();
    exporter.show();
    return PrintControls(exporter) ? 0 : 1;
}

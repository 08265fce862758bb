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

#include "lists/program_directory.h"
#include "real_main_window.h"
#include "session/ringtone_session.h"
#include "ui/frm_converter.h"
#include "ui/frm_export.h"
#include "ui/frm_new_ringtone.h"

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
    tw::test::RealMainWindow program(directory);
    tw::frmConverter& window = program.window;
    if (!PrintControls(window)) return 1;

    tw::frmNewRingTone paste(program.toolkit, &window);
    paste.Prepare();
    paste.show();
    if (!PrintControls(paste)) return 1;
    paste.hide();

    const tw::RingtoneSession session(directory);
    tw::frmExport exporter(program.toolkit, session, &window);
    exporter.Prepare();
    exporter.show();
    return PrintControls(exporter) ? 0 : 1;
}

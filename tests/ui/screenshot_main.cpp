// Opens the real main window on the display given by the environment, with
// a small list and one ringtone shown, and saves pictures of it, of the
// export dialog and of the quick help of step 1 into a folder.
// Usage: ui_screenshot FOLDER   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "lists/program_directory.h"
#include "real_main_window.h"
#include "ui/frm_help.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ui_screenshot FOLDER\n";
        return 64;
    }
    QApplication app(argc, argv);
    const std::filesystem::path out = argv[1];
    const std::filesystem::path directory = tw::ProgramDirectory();
    tw::test::FillLists(directory);
    tw::test::RealMainWindow program(directory);
    tw::frmConverter& window = program.window;
    if (!program.ShowOwnTune()) return 1;
    window.resize(860, 600);  // room for the note view to show the tune's shape
    if (!tw::test::SavePicture(window, out / "main-window.png")) return 1;

    // The export dialog is modal: it is pictured from inside its own loop,
    // then cancelled.
    bool exportSaved = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        exportSaved = dialog->objectName() == QStringLiteral("frmExport") &&
                      tw::test::SavePicture(*dialog, out / "export-dialog.png");
        dialog->reject();
    });
    window.cmdExport_Click();
    if (!exportSaved) {
        std::cerr << "the export dialog was not pictured\n";
        return 1;
    }

    // The quick help grows out of the main window's corner; it is pictured
    // at its full size.
    window.lblNum_Click(0);
    tw::frmHelp* help = window.QuickHelp();
    if (help == nullptr || !QTest::qWaitFor([help] { return !help->Animating(); }, 10000)) {
        std::cerr << "the quick help did not finish opening\n";
        return 1;
    }
    if (!tw::test::SavePicture(*help, out / "quick-help.png")) return 1;
    help->close();
    return 0;
}

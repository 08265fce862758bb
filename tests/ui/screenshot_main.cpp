// Opens the real main window on the display given by the environment, with
// a small list and one ringtone shown, and saves pictures of it, of the
// export dialog and of the quick help of step 1 into a folder.
// Usage: ui_screenshot FOLDER   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <iostream>
#include <string>

#include "engine/cnotes.h"
#include "lists/program_directory.h"
#include "lists/ringtone_list.h"
#include "real_main_window.h"
#include "ui/frm_converter.h"
#include "ui/frm_help.h"
#include "ui/sorted_controls.h"

namespace {

void FillLists(const std::filesystem::path& directory) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    tw::RingtoneListFile list(ringtone, directory);
    list.SetListName("Favtones");
    // A tune of our own shown: a climb, a dotted turn, a run down and a
    // note below the handset's octaves.
    for (const char* text :
         {"Tune:d=4,o=5,b=125:8c,8d,8e", "Lantern Walk:d=8,o=5,b=140:c,e,g,4c6,p,b,a,4g.,f,e,d,16e,16f,4g,p,4a4,g,e,2c",
          "Scale:d=8,o=5,b=160:c,d,e,f,g,a,b,c6"}) {
        ringtone.SetFull_RTTTL(text);
        list.SaveToFile();
    }
    tw::RingtoneListFile other(ringtone, directory);
    other.SetListName("Party");
    other.SaveToFile();
}

// Saves what the screen shows of `widget` once it is on screen and drawn.
bool SavePicture(QWidget& widget, const std::filesystem::path& path) {
    if (!QTest::qWaitForWindowExposed(&widget, 10000)) {
        std::cerr << widget.objectName().toStdString() << " was not shown\n";
        return false;
    }
    QTest::qWait(500);
    const QImage picture = widget.screen()->grabWindow(widget.winId()).toImage();
    if (picture.isNull() || picture.width() < widget.width() || picture.height() < widget.height()) {
        std::cerr << "the capture of " << widget.objectName().toStdString() << " is smaller than the window\n";
        return false;
    }
    if (!picture.save(QString::fromStdString(path.string()), "PNG")) {
        std::cerr << "could not write " << path << '\n';
        return false;
    }
    std::cout << "saved " << path.string() << " (" << picture.width() << "x" << picture.height() << ")\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ui_screenshot FOLDER\n";
        return 64;
    }
    QApplication app(argc, argv);
    const std::filesystem::path out = argv[1];
    const std::filesystem::path directory = tw::ProgramDirectory();
    FillLists(directory);
    tw::test::RealMainWindow program(directory);
    tw::frmConverter& window = program.window;
    auto* rows = window.findChild<tw::SortedListBox*>(QStringLiteral("lstRingtones"));
    if (rows == nullptr || !rows->SelectText("Lantern Walk")) {
        std::cerr << "the ringtone row was not found\n";
        return 1;
    }
    window.SetSelectedNote(7);  // the dotted quarter
    window.resize(860, 600);    // room for the note view to show the tune's shape
    if (!SavePicture(window, out / "main-window.png")) return 1;

    // The export dialog is modal: it is pictured from inside its own loop,
    // then cancelled.
    bool exportSaved = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        exportSaved =
            dialog->objectName() == QStringLiteral("frmExport") && SavePicture(*dialog, out / "export-dialog.png");
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
    if (!SavePicture(*help, out / "quick-help.png")) return 1;
    help->close();
    return 0;
}

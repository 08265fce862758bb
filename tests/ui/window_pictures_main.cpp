// Opens the real main window on the display given by the environment with a
// ringtone of our own shown, a note selected and the cursor of a play, in a
// light and a dark palette, at its smallest size and at the size of the
// whole screen, saves a picture of each into a folder and fails when a control is cut off or lies on another (see
// layout_faults.h). The scale comes from QT_SCALE_FACTOR; the pictures are
// named main-window-SCALEx-PALETTE-SIZE.png.
// Usage: ui_window_pictures FOLDER   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/cnotes.h"
#include "layout_faults.h"
#include "lists/program_directory.h"
#include "lists/ringtone_list.h"
#include "real_main_window.h"
#include "sound/render.h"
#include "ui/frm_converter.h"
#include "ui/note_view.h"
#include "ui/sorted_controls.h"

namespace {

// A tune of our own: a climb, a dotted turn, a run down and a note below the
// handset's octaves.
constexpr const char* OwnTune = "Lantern Walk:d=8,o=5,b=140:c,e,g,4c6,p,b,a,4g.,f,e,d,16e,16f,4g,p,4a4,g,e,2c";

void FillList(const std::filesystem::path& directory) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    tw::RingtoneListFile list(ringtone, directory);
    list.SetListName("Favtones");
    for (const char* text : {OwnTune, "Scale:d=8,o=5,b=160:c,d,e,f,g,a,b,c6"}) {
        ringtone.SetFull_RTTTL(text);
        list.SaveToFile();
    }
}

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 58));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(60, 130, 220));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::ToolTipBase, QColor(55, 55, 58));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::Link, QColor(120, 170, 255));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}

bool Picture(QWidget& window, const std::filesystem::path& path) {
    QTest::qWait(300);
    const QImage picture = window.screen()->grabWindow(window.winId()).toImage();
    if (picture.isNull() || !picture.save(QString::fromStdString(path.string()), "PNG")) {
        std::cerr << "could not picture the window into " << path << '\n';
        return false;
    }
    std::cout << "saved " << path.string() << " (" << picture.width() << "x" << picture.height() << ")\n";
    return true;
}

// The window at one palette: shown with the tune and a note selected, then
// pictured and checked at its smallest size and at the screen's size.
bool PictureAll(const std::filesystem::path& directory, const std::filesystem::path& out, const std::string& stem) {
    tw::test::RealMainWindow program(directory);
    tw::frmConverter& window = program.window;
    auto* rows = window.findChild<tw::SortedListBox*>(QStringLiteral("lstRingtones"));
    if (rows == nullptr || !rows->SelectText("Lantern Walk")) {
        std::cerr << "the ringtone row was not found\n";
        return false;
    }
    window.SetSelectedNote(7);
    // The cursor as a play shows it, 2.7 seconds in (the tenth note).
    if (auto* view = window.findChild<tw::NoteView*>(QStringLiteral("noteView")))
        view->FollowPlay(tw::NoteStartSeconds(window.Ringtone()), [] { return std::optional<double>(2.7); });
    if (!QTest::qWaitForWindowExposed(&window, 10000)) {
        std::cerr << "the window was not shown\n";
        return false;
    }
    bool good = true;
    const QSize sizes[] = {window.minimumSize(), window.screen()->availableGeometry().size()};
    const char* const names[] = {"small", "large"};
    for (int i = 0; i < 2; ++i) {
        window.resize(sizes[i]);
        window.move(window.screen()->availableGeometry().topLeft());
        QTest::qWait(200);
        good = Picture(window, out / (stem + "-" + names[i] + ".png")) && good;
        for (const std::string& fault : tw::test::LayoutFaults(window)) {
            std::cerr << stem << "-" << names[i] << ": " << fault << '\n';
            good = false;
        }
    }
    return good;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ui_window_pictures FOLDER\n";
        return 64;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::filesystem::path out = argv[1];
    const std::filesystem::path directory = tw::ProgramDirectory();
    FillList(directory);
    const std::string scale = std::to_string(std::lround(app.devicePixelRatio())) + "x";
    const QPalette light = QApplication::style()->standardPalette();
    bool good = true;
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkPalette() : light);
        good = PictureAll(directory, out, "main-window-" + scale + (dark ? "-dark" : "-light")) && good;
    }
    return good ? 0 : 1;
}

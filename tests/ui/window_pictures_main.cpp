// Opens the real main window on the display given by the environment with a
// ringtone of our own shown, a note selected and the cursor of a play, in a
// light and a dark palette, at its smallest size and at the size of the
// whole screen, saves a picture of each into a folder and fails when a control is cut off or lies on another (see
// layout_faults.h). The scale comes from QT_SCALE_FACTOR; the pictures are
// named main-window-SCALEx-PALETTE-SIZE.png.
// Usage: ui_window_pictures FOLDER   (TUNEWRIGHT_HOME names an empty folder)
#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include <cmath>

#include "layout_faults.h"
#include "lists/program_directory.h"
#include "real_main_window.h"
#include "sound/render.h"
#include "ui/note_view.h"

namespace {

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

// The window at one palette: shown with the tune and a note selected, then
// pictured and checked at its smallest size and at the screen's size.
bool PictureAll(const std::filesystem::path& directory, const std::filesystem::path& out, const std::string& stem) {
    tw::test::RealMainWindow program(directory);
    tw::frmConverter& window = program.window;
    if (!program.ShowOwnTune()) return false;
    // The cursor as a play shows it, 2.7 seconds in (the tenth note).
    if (auto* view = window.findChild<tw::NoteView*>(QStringLiteral("noteView")))
        view->FollowPlay(tw::NoteStartSeconds(window.Ringtone()), [] { return std::optional<double>(2.7); });
    bool good = true;
    const QSize sizes[] = {window.minimumSize(), window.screen()->availableGeometry().size()};
    const char* const names[] = {"small", "large"};
    for (int i = 0; i < 2; ++i) {
        window.resize(sizes[i]);
        window.move(window.screen()->availableGeometry().topLeft());
        QTest::qWait(200);
        good = tw::test::SavePicture(window, out / (stem + "-" + names[i] + ".png")) && good;
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
    tw::test::FillLists(directory);
    const std::string scale = std::to_string(std::lround(app.devicePixelRatio())) + "x";
    const QPalette light = QApplication::style()->standardPalette();
    bool good = true;
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkPalette() : light);
        good = PictureAll(directory, out, "main-window-" + scale + (dark ? "-dark" : "-light")) && good;
    }
    return good ? 0 : 1;
}

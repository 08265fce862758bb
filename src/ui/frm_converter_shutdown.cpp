// Shutdown of the main window: closing it by any means writes the settings
// back, except while the batch runs, when it stays open.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QRadioButton>

#include "shell/saved_settings.h"
#include "shell/twips.h"
#include "ui/frm_converter.h"
#include "ui/frm_help.h"

namespace tw {
namespace {

// Where the desktop places the windows and tells no program where they are.
bool DesktopPlacesWindows() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace

void frmConverter::closeEvent(QCloseEvent* event) {
    if (batchRunning_) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

// Shutdown: a check under way ends unseen, the quick help closes, and the
// settings are written; a setting that cannot be written is passed over.
void frmConverter::Form_Unload() {
    web_.Stop();
    if (help_ != nullptr) help_->close();
    try {
        WriteSettings(settings_, CurrentSettings());
    } catch (const std::exception&) {
        // Nothing more can be kept; the window closes all the same.
    }
}

SavedSettings frmConverter::CurrentSettings() const {
    SavedSettings current;
    current.RingToneDirectory = ringToneDirectory_;
    current.CurrentList = session_.ListName();
    current.SourceType = SourceIndex();
    current.ShowType = ShowAsIndex();
    current.FromFile = optFile[0]->isChecked();
    if (isMaximized()) {
        current.Maximized = WindowStateMaximized;
        return current;
    }
    current.Maximized = WindowStateNormal;
    current.Left = static_cast<float>(TwipsFromPixels(x()));
    current.Top = static_cast<float>(TwipsFromPixels(y()));
    if (DesktopPlacesWindows()) {
        current.Left = readLeft_;
        current.Top = readTop_;
    }
    const TwipSize outer = OuterTwips();
    current.Width = static_cast<float>(outer.Width);
    current.Height = static_cast<float>(outer.Height);
    return current;
}

}  // namespace tw

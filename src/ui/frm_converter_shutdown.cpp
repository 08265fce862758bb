// Shutdown of the main window: closing it by any means writes the settings
// back, except while the batch runs, when it stays open.
#include <QCloseEvent>
#include <QRadioButton>

#include "shell/saved_settings.h"
#include "shell/twips.h"
#include "ui/frm_converter.h"
#include "ui/frm_help.h"

namespace tw {
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
    placement_.Keep(current);
    return current;
}

}  // namespace tw

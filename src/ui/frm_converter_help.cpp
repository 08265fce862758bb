// Help and preferences: the quick help of the green step boxes, the help
// file, the About box and the note separator dialog.
#include <QWindow>

#include <filesystem>

#include "shell/help_file.h"
#include "ui/click_label.h"
#include "ui/frm_converter.h"
#include "ui/frm_help.h"
#include "ui/frm_info.h"
#include "ui/frm_preferences.h"

namespace tw {

void frmConverter::lblNum_Click(int helpIndex) { LoadHelp(helpIndex + 1); }

void frmConverter::LoadHelp(int helpNumber) {
    if (help_ == nullptr) {
        help_ = std::make_unique<frmHelp>();
        // A window of its own, kept above the main window.
        help_->winId();
        if (QWindow* handle = help_->windowHandle()) handle->setTransientParent(window()->windowHandle());
    }
    help_->SetHelpNum(helpNumber);
    help_->Form_Load(*this);
}

// The help file is written into the program directory when it is missing.
void frmConverter::mnuHelpContents_Click() {
    const std::filesystem::path directory = session_.ProgramDirectory();
    try {
        InstallHelpFile(directory);
    } catch (const std::exception&) {
        // Whatever is there is looked for below.
    }
    const std::filesystem::path path = HelpFilePath(directory);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        services_.MsgBox(HelpNotFoundText(), MsgButtons::OkOnly, MsgIcon::Exclamation, HelpNotFoundTitle);
        return;
    }
    if (!services_.ShowHelpFile(*this, path.string()))
        services_.MsgBox(CannotOpenHelpText(), MsgButtons::OkOnly, MsgIcon::Exclamation, CannotOpenHelpTitle);
}

void frmConverter::mnuHelpAbout_Click() {
    frmInfo form(services_, this);
    dialogAccepted_ = services_.ShowModal(form);
}

// Whichever button closed the dialog, the ringtone on show is drawn again
// with the separator in force.
void frmConverter::mnuRingtonePreferences_Click() {
    frmPreferences form(services_, session_.Ringtone(), settings_, this);
    dialogAccepted_ = services_.ShowModal(form);
    if (session_.Showing()) ShowRingtone();
}

}  // namespace tw

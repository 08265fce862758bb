// "&Get It...": a ringtone from a file or from pasted text, read in the
// chosen notation, stored in the current list and shown by selecting its row.
#include <QRadioButton>

#include <filesystem>
#include <fstream>

#include "engine/engine_error.h"
#include "ui/frm_converter.h"
#include "ui/frm_new_ringtone.h"
#include "lists/list_error.h"
#include "engine/ringtone_text.h"
#include "ui/sorted_controls.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

constexpr FileTypeDialog OpenSettings[] = {
    {"Select RTTTL/Chimekit RingTone File", "|Chimekit/RTTTL Files (*", ".txt"},
    {"Select Nokia Composer RingTone File", "|Composer Files (*", ".321"},
    {"Select Keypress File", "|Keypress Files (*", ".key"},
};

FileDialogRequest OpenDialogFor(int source, const std::string& startFolder) {
    return FileTypeDialogRequest(OpenSettings[source < 0 || source > 2 ? 2 : source], startFolder);
}

// The whole file, or nothing when it cannot be opened or read or is longer
// than a ringtone can be.
std::optional<std::string> ReadCapped(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::optional<std::string> bytes = ReadRingtoneText(file);
    if (file.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

int frmConverter::SourceIndex() const {
    for (std::size_t i = 0; i < optSource.size(); ++i)
        if (optSource[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

std::string frmConverter::ReadRingtoneFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadCapped(path);
    if (!bytes) {
        services_.MsgBox("Could not open file " + path);
        return {};
    }
    return JoinLines(*bytes);
}

void frmConverter::Deselect() { lstRingtones->SetListIndex(-1); }

void frmConverter::cmdGet_Click() {
    dialogAccepted_ = false;
    sourceText_.clear();
    const int source = SourceIndex();

    if (optFile[0]->isChecked()) {
        try {
            const FileChoice chosen = services_.ShowOpen(OpenDialogFor(source, ringToneDirectory_));
            chosenFileName_ = chosen.FileTitle;
            if (!chosenFileName_.empty()) {
                dialogAccepted_ = true;
                ringToneDirectory_ = std::filesystem::path(chosen.FileName).parent_path().string();
                sourceText_ = ReadRingtoneFile((std::filesystem::path(ringToneDirectory_) / chosenFileName_).string());
            }
        } catch (const DialogCancelled&) {
            dialogAccepted_ = false;
        }
    } else {
        frmNewRingTone paste(services_, this);
        dialogAccepted_ = services_.ShowModal(paste);
        if (dialogAccepted_) sourceText_ = paste.SourceText();
    }
    if (!dialogAccepted_) {
        SetState();
        return;
    }
    if (TrimSpaces(sourceText_).empty()) {
        services_.MsgBox("No source ringtone has been selected.  Please add a new ringtone from a webpage or file.",
                         MsgButtons::OkOnly, MsgIcon::Information, "No RingTone Available");
        SetState();
        return;
    }

    Clear();
    try {
        switch (source) {
        case 0: ringtone_.SetFull_RTTTL(sourceText_); break;
        case 1: ringtone_.SetFull_Composer(sourceText_); break;
        default: ringtone_.SetFull_Keypresses(PrepareKeypresses(sourceText_)); break;
        }
    } catch (const EngineError& e) {
        ringtone_.Clear();
        Deselect();
        services_.MsgBox(e.what(), MsgButtons::OkOnly, MsgIcon::Exclamation);
        SetState();
        return;
    }
    if (!StoreRingtone("Store Ringtone Error")) {
        ringtone_.Clear();
        Deselect();
        SetState();
        return;
    }

    // Select the row of the ringtone's name, adding it when it is new; the
    // row handler reads the ringtone back from the list file and shows it.
    // The stored copy holds only what could be read, so the problems shown
    // are those of the text as it came.
    const std::string name = ringtone_.Name();
    const std::string problems = ringtone_.ErrorMessage();
    bool found = false;
    const std::vector<std::string> rows = lstRingtones->Items();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[static_cast<std::size_t>(i)] == name) {
            lstRingtones->SetListIndex(i);
            found = true;
        }
    if (!found) {
        lstRingtones->AddItem(name);
        lstRingtones->SetListIndex(lstRingtones->NewIndex());
    }
    if (showing_ && !problems.empty()) ShowMessageText(problems);
    SetState();
}

bool frmConverter::StoreRingtone(std::string_view failureTitle) {
    try {
        list_.SaveToFile();
        return true;
    } catch (const ListError& e) {
        services_.MsgBox("Could not store the ringtone '" + ringtone_.Name() + "' in the '" + list_.ListName() +
                             "' list!\r\n\r\n" + e.what(),
                         MsgButtons::OkOnly, MsgIcon::Critical, failureTitle);
        return false;
    }
}

}  // namespace tw

// Saving the shown ringtone as a text file in one of the three notations or
// as a WAV or MIDI file, and copying it to the clipboard.
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "ui/frm_converter.h"
#include "ui/notation_choice.h"
#include "ui/save_entries.h"

namespace tw {
namespace {

// The message of each clipboard entry, in the order of the notations.
struct CopySettings {
    const char* message;
};

constexpr CopySettings Copies[] = {
    {"Chimekit RTTTL notes have been copied to clipboard."},
    {"Composer notes have been copied to clipboard."},
    {"Keypresses have been copied to clipboard."},
};

// "/" cannot stand in a file name; the dialog offers "_" in its place.
std::string ProposedFileName(std::string name) {
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

bool AnythingAt(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

}  // namespace

std::optional<std::filesystem::path> frmConverter::ChooseSaveFile(const FileTypeDialog& dialog) {
    FileDialogRequest request = FileTypeDialogRequest(dialog, ringToneDirectory_);
    request.FileName = ProposedFileName(session_.Ringtone().Name());

    dialogAccepted_ = false;
    try {
        const FileChoice chosen = services_.ShowSave(request);
        chosenFileName_ = chosen.FileTitle;
        if (!chosenFileName_.empty()) {
            dialogAccepted_ = true;
            ringToneDirectory_ = std::filesystem::path(chosen.FileName).parent_path().string();
        }
    } catch (const DialogCancelled&) {
        dialogAccepted_ = false;
    }
    if (!dialogAccepted_) return std::nullopt;

    const std::filesystem::path path = std::filesystem::path(ringToneDirectory_) / chosenFileName_;
    if (AnythingAt(path) && services_.MsgBox("The file already exists.  Do you want to overwrite it?",
                                             MsgButtons::YesNo, MsgIcon::None, "Overwrite File?") != MsgAnswer::Yes)
        return std::nullopt;
    return path;
}

void frmConverter::mnuRingtoneSave_Click(int entry) {
    const std::vector<SaveEntry> saves = SaveEntries();
    if (entry < 0 || entry >= static_cast<int>(saves.size())) return;
    try {
        session_.CheckSavable();
    } catch (const SessionError& e) {
        services_.MsgBox(e.what());
        return;
    }
    const SaveEntry& setting = saves[static_cast<std::size_t>(entry)];
    const std::optional<std::filesystem::path> chosen = ChooseSaveFile(setting.dialog);
    if (!chosen) return;
    const std::filesystem::path& path = *chosen;
    std::vector<std::string> notHeld;
    try {
        // Only the rendered sound takes long enough for the busy pointer.
        std::optional<BusyPointer> busy;
        if (setting.form == SaveForm(SoundFileType::Wav)) busy.emplace(services_);
        notHeld = session_.SaveRingtone(setting.form, path, player_);
    } catch (const std::exception& e) {
        services_.MsgBox("An error occurred trying to save " + path.string() + ". [" + e.what() + "]");
        return;
    }
    // A handset file holds the nearest it can of a tempo or note it cannot.
    if (!notHeld.empty()) {
        std::string text = "The file was saved with the nearest it can hold:";
        for (const std::string& line : notHeld) text += "\r\n" + line;
        services_.MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation, "Save Ringtone");
    }
}

void frmConverter::cmdSave_Click() { mnuRingtoneSave_Click(SaveEntryIndex(SaveEntries(), SoundFileType::Wav)); }

// The message shows before the clipboard takes the text.
void frmConverter::mnuEditExportClip_Click(int notationIndex) {
    const std::optional<Notation> notation = NotationAt(notationIndex);
    if (!notation) return;
    const CopySettings& copy = Copies[notationIndex];
    const std::string text = session_.Ringtone().Full(*notation);
    services_.MsgBox(copy.message, MsgButtons::OkOnly, MsgIcon::Information, "Copy Ringtone to Clipboard");
    services_.ClearClipboard();
    services_.SetClipboardText(text);
}

}  // namespace tw

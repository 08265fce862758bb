// "&Get It...": a ringtone from a file or from pasted text, read in the
// chosen notation, stored in the current list and shown by selecting its row.
#include <QRadioButton>

#include <filesystem>

#include "engine/ringtone_text.h"
#include "engine/size_limits.h"
#include "session/ringtone_file.h"
#include "session/session_error.h"
#include "shell/saved_settings.h"
#include "sound/midi_reader.h"
#include "ui/frm_converter.h"
#include "ui/frm_imelody_prefix.h"
#include "ui/frm_new_ringtone.h"
#include "ui/notation_choice.h"
#include "ui/save_entries.h"
#include "ui/sorted_controls.h"

namespace tw {

FileDialogRequest frmConverter::OpenDialog() const {
    return FileTypeDialogRequest(OpenDialogOf(ChosenNotation()), ringToneDirectory_);
}

// Get It... also reads MIDI files, whatever the notation chosen.
FileDialogRequest frmConverter::GetDialog() const {
    FileDialogRequest request = OpenDialog();
    request.Filter += "|MIDI Files (*.mid *.midi)|*.mid;*.midi";
    return request;
}

// With no source notation chosen, the text is read as keypresses.
Notation frmConverter::ChosenNotation() const { return NotationOrKeypresses(SourceIndex()); }

int frmConverter::SourceIndex() const {
    for (std::size_t i = 0; i < optSource.size(); ++i)
        if (optSource[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

void frmConverter::Deselect() { lstRingtones->SetListIndex(-1); }

void frmConverter::cmdGet_Click() {
    dialogAccepted_ = false;
    sourceText_.clear();

    if (optFile[0]->isChecked()) {
        try {
            const FileChoice chosen = services_.ShowOpen(GetDialog());
            chosenFileName_ = chosen.FileTitle;
            if (!chosenFileName_.empty()) {
                dialogAccepted_ = true;
                ringToneDirectory_ = std::filesystem::path(chosen.FileName).parent_path().string();
                const std::string path = (std::filesystem::path(ringToneDirectory_) / chosenFileName_).string();
                const auto refuse = [&](const std::string& reason) {
                    services_.MsgBox("Could not read the ringtone file:\r\n\r\n" + reason, MsgButtons::OkOnly,
                                     MsgIcon::Exclamation);
                    SetState();
                };
                std::optional<std::string> bytes;
                try {
                    bytes = ReadRingtoneBytes(path);
                } catch (const SessionError& e) {
                    return refuse(e.what());
                }
                if (!bytes) {
                    services_.MsgBox("Could not open file " + path);
                } else if (LooksLikeMidi(*bytes)) {
                    GetMidi(*bytes, path);
                    return;
                } else if (const std::optional<FileFormat> format = RecogniseRingtoneFile(*bytes)) {
                    if (std::optional<FileReadOptions> reading = HandsetReading(*format, *bytes)) {
                        reading->fileName = std::filesystem::path(chosenFileName_).stem().string();
                        GetRingtone(*format, *bytes, *reading);
                    } else SetState();
                    return;
                } else if (bytes->size() > MaxRingtoneTextFile) {
                    return refuse(TooLargeText("the file " + path + " is", bytes->size(), MaxRingtoneTextFile,
                                               "a ringtone text file"));
                } else {
                    sourceText_ = JoinLines(*bytes);
                }
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

    GetRingtone(FormatOf(ChosenNotation()), sourceText_);
}

std::optional<FileReadOptions> frmConverter::HandsetReading(FileFormat format, const std::string& bytes) {
    FileReadOptions reading;
    reading.octavePrefixes = imelodyPrefixes_;
    if (format != FileFormat::IMelody || !OctavePrefixesMatter(bytes)) return reading;
    frmIMelodyPrefix ask(services_, this);
    ask.SetOneNote(imelodyPrefixes_ == OctavePrefixes::OneNote);
    if (!services_.ShowModal(ask)) return std::nullopt;
    imelodyPrefixes_ = ask.OneNote() ? OctavePrefixes::OneNote : OctavePrefixes::UntilNext;
    reading.octavePrefixes = imelodyPrefixes_;
    try {
        SaveIMelodyPrefix(settings_, imelodyPrefixes_);
    } catch (const SettingsError& e) {
        services_.MsgBox("The file is read as chosen, but the choice could not be kept for the next start.\r\n\r\n" +
                             std::string(e.what()),
                         MsgButtons::OkOnly, MsgIcon::Exclamation, "iMelody File");
    }
    return reading;
}

// Reads and stores the ringtone, then shows it by selecting its row; says
// why when it cannot be read or stored.
void frmConverter::GetRingtone(FileFormat from, const std::string& bytes, const FileReadOptions& options) {
    try {
        session_.GetAs(from, bytes, options);
    } catch (const SessionError& e) {
        using Reason = SessionError::Reason;
        if (e.reason() == Reason::NoText) {
            services_.MsgBox("No source ringtone has been selected.  Please add a new ringtone from a webpage or file.",
                             MsgButtons::OkOnly, MsgIcon::Information, "No RingTone Available");
        } else if (e.reason() == Reason::TooLong || e.reason() == Reason::Unreadable) {
            ClearDisplay();
            Deselect();
            services_.MsgBox(e.what(), MsgButtons::OkOnly, MsgIcon::Exclamation);
        } else {
            ClearDisplay();
            services_.MsgBox("Could not store the ringtone '" + session_.Ringtone().Name() + "' in the '" +
                                 session_.ListName() + "' list!\r\n\r\n" + e.what(),
                             MsgButtons::OkOnly, MsgIcon::Critical, "Store Ringtone Error");
            session_.Clear();
            Deselect();
        }
        SetState();
        return;
    }
    ClearDisplay();
    SelectStoredRow(session_.Ringtone().Name());
    SetState();
}

// Selects the row of the ringtone just stored, adding it when it is new; the
// row handler reads the ringtone back from the list file and shows it. The
// stored copy holds only what could be read, so the problems shown are those
// of the text as it came.
void frmConverter::SelectStoredRow(const std::string& name) {
    const std::string problems = session_.Ringtone().ErrorMessage();
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
    if (session_.Showing() && !problems.empty()) ShowMessageText(problems);
}

}  // namespace tw

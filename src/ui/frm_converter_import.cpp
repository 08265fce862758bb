// "Import Ringtones...": every ringtone of a collection file, read in the
// notation chosen in box 1, stored in the current list in one write while
// the busy window shows how far the import is.
#include <filesystem>
#include <optional>
#include <string>

#include "files/safe_file.h"
#include "lists/ringtone_list.h"
#include "ui/busy_scope.h"
#include "ui/frm_busy.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"

namespace tw {
namespace {

constexpr std::string_view ImportTitle = "Import Ringtones";
// The skipped ringtones named in the closing box; the rest are counted.
constexpr std::size_t SkipsShown = 20;

// The first SkipsShown lines, each after its line number.
std::string NumberedLines(const std::vector<ImportSkip>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < SkipsShown; ++i)
        text += "\r\nline " + std::to_string(lines[i].line) + ": " + lines[i].reason;
    if (lines.size() > SkipsShown) text += "\r\n... and " + std::to_string(lines.size() - SkipsShown) + " more";
    return text;
}

std::string ImportReport(const ImportResult& result, const std::string& list) {
    std::string text = "Imported " + std::to_string(result.imported) + " ringtone" + (result.imported == 1 ? "" : "s") +
                       " into the '" + list + "' list.";
    if (result.alreadyThere > 0)
        text += "\r\n\r\n" + std::to_string(result.alreadyThere) +
                (result.alreadyThere == 1 ? " was in the list already and was" : " were in the list already and were") +
                " left out.";
    if (!result.skipped.empty())
        text += "\r\n\r\n" + std::to_string(result.skipped.size()) +
                " could not be read and were skipped:" + NumberedLines(result.skipped);
    if (!result.renamed.empty())
        text += "\r\n\r\nNames were stored with characters replaced:" + NumberedLines(result.renamed);
    return text;
}

}  // namespace

void frmConverter::mnuFileImport_Click() {
    if (batchRunning_) return;
    FileDialogRequest request = OpenDialog();
    request.DialogTitle = ImportTitle;
    std::filesystem::path path;
    try {
        const FileChoice chosen = services_.ShowOpen(request);
        if (chosen.FileTitle.empty()) return;
        ringToneDirectory_ = std::filesystem::path(chosen.FileName).parent_path().string();
        path = std::filesystem::path(ringToneDirectory_) / chosen.FileTitle;
    } catch (const DialogCancelled&) {
        return;
    }
    std::optional<std::string> text;
    try {
        text = ReadWholeFile(path, MaxCollectionText);
    } catch (const FileError& e) {
        services_.MsgBox("Could not open file " + path.string() + "\r\n\r\n" + e.what(), MsgButtons::OkOnly,
                         MsgIcon::Exclamation, ImportTitle);
        return;
    }
    if (!text) {
        services_.MsgBox("Could not open file " + path.string(), MsgButtons::OkOnly, MsgIcon::Exclamation, ImportTitle);
        return;
    }

    std::optional<ImportResult> result;
    {
        frmBusy busy(services_);
        busy.ShowCancel();
        BusyScope scope(*this, busy, batchRunning_, session_, false);
        BusyPointer pointer(services_);
        busy.SetMessage("Importing '" + path.filename().string() + "'...");
        try {
            result = session_.Import(ChosenNotation(), *text, [&](std::size_t done, std::size_t total) {
                busy.SetProgress(static_cast<int>(done), static_cast<int>(total));
                busy.repaint();
                services_.DoEvents();
                return !busy.Cancelled();
            });
        } catch (const SessionError& e) {
            ReportListError(ImportTitle, "No ringtone was imported.", e);
            return;
        }
    }
    // Cancelled: the list is as it was, which the user knows.
    if (!result) return;
    const std::string shown = EditsApply() ? session_.ShownRow() : std::string();
    try {
        session_.LoadRows(*lstRingtones);
        if (!shown.empty()) lstRingtones->SelectText(shown, false);
    } catch (const SessionError& e) {
        ReportListError("Ringtone List Error", "Could not open the list '" + session_.ListName() + "'!", e);
    }
    SetState();
    services_.MsgBox(ImportReport(*result, session_.ListName()), MsgButtons::OkOnly,
                     result->skipped.empty() ? MsgIcon::Information : MsgIcon::Exclamation, ImportTitle);
}

}  // namespace tw

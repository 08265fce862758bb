// The ringtone lists: choosing the current list, showing and deleting a
// ringtone, and new, rename, clear and delete list.
#include <algorithm>
#include <filesystem>

#include "engine/engine_error.h"
#include "ui/frm_converter.h"
#include "ui/frm_new_list.h"
#include "lists/list_error.h"
#include "lists/list_files.h"
#include "lists/list_names.h"
#include "ui/sorted_controls.h"

namespace tw {
namespace {

bool ListFileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found;
}

}  // namespace

void frmConverter::ReportListError(std::string_view title, std::string_view what, const std::exception& error) {
    const bool refused = [&] {
        const auto* listError = dynamic_cast<const ListError*>(&error);
        return listError != nullptr && listError->reason() != ListError::Reason::Io;
    }();
    services_.MsgBox(std::string(what) + "\r\n\r\n" + error.what() + (refused ? "." : ""), MsgButtons::OkOnly,
                     refused ? MsgIcon::Exclamation : MsgIcon::Critical, title);
}

void frmConverter::ScanListFiles(SortedComboBox& cbo) { tw::ScanListFiles(cbo, list_.ProgramDirectory()); }

std::string frmConverter::SelectedListText() {
    const int index = cboList->ListIndex();
    return index >= 0 ? cboList->List(index) : list_.ListName();
}

void frmConverter::cboList_Click() {
    const int index = cboList->ListIndex();
    if (index >= 0) {
        const std::string chosen = cboList->List(index);
        if (chosen != list_.ListName()) Clear();
        try {
            list_.SetListName(chosen);
            list_.LoadList(*lstRingtones);
        } catch (const ListError& e) {
            lstRingtones->Clear();
            ReportListError("Ringtone List Error", "Could not open the list '" + chosen + "'!", e);
        }
    }
    SetState();
}

void frmConverter::lstRingtones_Click() {
    const int index = lstRingtones->ListIndex();
    if (index < 0) {
        SetState();
        return;
    }
    const std::string title = lstRingtones->List(index);
    shownRow_ = title;
    shownStored_ = false;
    try {
        // An entry missing from the file reads as empty text; the ringtone
        // keeps the row's name so that "&Delete" acts on the row shown.
        shownStored_ = batchList_ ? CRingtoneList::LoadEntry(*batchList_, title, ringtone_) : list_.LoadFromFile(title);
        if (!shownStored_) ringtone_.SetName(title);
    } catch (const EngineError& e) {
        shownStored_ = true;
        // The stored text cannot be read; the row can still be renamed or deleted.
        ringtone_.Clear();
        ringtone_.SetName(title);
        ShowRingtone();
        ShowMessageText(e.what());
        return;
    } catch (const ListError& e) {
        Clear();
        Deselect();
        SetState();
        ReportListError("Ringtone List Error",
                        "Could not read the ringtone '" + title + "' from the '" + list_.ListName() + "' list!", e);
        return;
    }
    ShowRingtone();
}

void frmConverter::cmdDelete_Click() {
    if (lstRingtones->ListIndex() >= 0 &&
        services_.MsgBox("Do you want to delete '" + ringtone_.Name() + "' from the '" + list_.ListName() + "' list?",
                         MsgButtons::YesNo, MsgIcon::Question, "Delete Ringtone") == MsgAnswer::Yes) {
        try {
            list_.DeleteFromFile();
        } catch (const ListError& e) {
            services_.MsgBox(DeleteRingtoneErrorText(list_.ListFileName()) + "\r\n\r\n" + e.what(),
                             MsgButtons::OkOnly, MsgIcon::Critical, DeleteRingtoneErrorTitle);
        }
        Clear();
        try {
            list_.LoadList(*lstRingtones);
        } catch (const ListError& e) {
            ReportListError("Ringtone List Error", "Could not open the list '" + list_.ListName() + "'!", e);
        }
    }
    SetState();
}

void frmConverter::mnuFileNew_Click() {
    frmNewList form(services_, this);
    form.SetMode("N");
    dialogAccepted_ = services_.ShowModal(form);
    if (dialogAccepted_) {
        std::string name;
        try {
            name = CheckListName(form.EnteredListName());
            if (cboList->Items().end() != std::find(cboList->Items().begin(), cboList->Items().end(), name) ||
                ListFileExists(list_.ProgramDirectory() / (name + ".dat")))
                throw ListError(ListError::Reason::Exists, "there is a list named '" + name + "' already");
        } catch (const ListError& e) {
            ReportListError("New Ringtone List", "The new list was not made.", e);
            SetState();
            return;
        }
        const std::string previous = list_.ListName();
        try {
            NewList(list_, name);
        } catch (const ListError& e) {
            if (!previous.empty()) list_.SetListName(previous);
            ReportListError("New List Error", "Could not create the list '" + name + "'!", e);
            SetState();
            return;
        }
        cboList->AddItem(name);
        cboList->SelectText(name);
    }
    SetState();
}

void frmConverter::mnuFileRename_Click() {
    frmNewList form(services_, this);
    form.SetMode("R");
    form.SetEnteredListName(list_.ListName());
    dialogAccepted_ = services_.ShowModal(form);
    if (dialogAccepted_) {
        const std::string oldName = list_.ListName();
        try {
            RenameList(list_, form.EnteredListName());
        } catch (const ListError& e) {
            ReportListError("Rename Ringtone List", "The list '" + oldName + "' was not renamed.", e);
        }
        if (list_.ListName() != oldName) {
            const int index = cboList->ListIndex();
            if (index >= 0) {
                cboList->SetItemText(index, list_.ListName());
            } else {
                cboList->AddItem(list_.ListName());
                cboList->SelectText(list_.ListName());
            }
        }
    }
    SetState();
}

void frmConverter::mnuFileClear_Click() {
    const std::string T = SelectedListText();
    if (services_.MsgBox("All ringtones in this list will be lost!\r\n\r\nAre you sure you want to clear the '" + T +
                             "' list?",
                         MsgButtons::YesNo, MsgIcon::Question, "Clear " + T + " List") != MsgAnswer::Yes)
        return;
    try {
        ClearList(list_);
        Clear();
        list_.LoadList(*lstRingtones);
        SetState();
    } catch (const ListError& e) {
        services_.MsgBox("Could not clear list!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, "Clear List Error");
    }
}

void frmConverter::mnuFileDelete_Click() {
    const std::string T = SelectedListText();
    if (services_.MsgBox("All ringtones in the '" + T + "' list will be lost if you continue!\r\n\r\nAre you sure "
                                                        "you want to delete the '" +
                             T + "' list?",
                         MsgButtons::YesNo, MsgIcon::Question, "Delete " + T + " List") != MsgAnswer::Yes)
        return;
    try {
        DeleteList(list_);
        Clear();
        const int index = cboList->ListIndex();
        if (index >= 0) cboList->RemoveItem(index);
        ScanListFiles(*cboList);
        const int count = cboList->ListCount();
        const int next = count == 1 ? 0 : std::clamp(index - 1, 0, count - 1);
        list_.SetListName(cboList->List(next));
        cboList->SelectText(list_.ListName());
        SetState();
    } catch (const ListError& e) {
        services_.MsgBox("Could not delete list!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, "Delete List Error");
    }
}

}  // namespace tw

// The ringtone lists: choosing the current list, showing and deleting a
// ringtone, and new, rename, clear and delete list.
#include "ui/frm_converter.h"
#include "ui/frm_new_list.h"
#include "ui/note_view.h"
#include "ui/sorted_controls.h"

namespace tw {

// A name or text the session refused gets a warning ending in "."; a file
// that failed, an error.
void frmConverter::ReportListError(std::string_view title, std::string_view what, const SessionError& error) {
    const bool refused = error.Refused();
    services_.MsgBox(std::string(what) + "\r\n\r\n" + error.what() + (refused ? "." : ""), MsgButtons::OkOnly,
                     refused ? MsgIcon::Exclamation : MsgIcon::Critical, title);
}

void frmConverter::ScanListFiles(SortedComboBox& cbo) { session_.ScanLists(cbo); }

std::string frmConverter::SelectedListText() {
    const int index = cboList->ListIndex();
    return index >= 0 ? cboList->List(index) : session_.ListName();
}

void frmConverter::cboList_Click() {
    const int index = cboList->ListIndex();
    if (index >= 0) {
        const std::string chosen = cboList->List(index);
        if (chosen != session_.ListName()) Clear();
        try {
            session_.OpenList(chosen);
            session_.LoadRows(*lstRingtones);
        } catch (const SessionError& e) {
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
    if (!session_.Showing() || session_.ShownRow() != title) {
        ForgetShapes();
        selectedNote_.reset();  // a note of another ringtone
        noteView->ScrollToStart();
    }
    EntryLoad load;
    try {
        load = session_.Show(title);
    } catch (const SessionError& e) {
        Clear();
        Deselect();
        SetState();
        ReportListError("Ringtone List Error",
                        "Could not read the ringtone '" + title + "' from the '" + session_.ListName() + "' list!", e);
        return;
    }
    ShowRingtone();
    if (load.state == EntryState::Unreadable) ShowMessageText(load.problem);
}

void frmConverter::cmdDelete_Click() {
    if (lstRingtones->ListIndex() >= 0 &&
        services_.MsgBox(
            "Do you want to delete '" + session_.Ringtone().Name() + "' from the '" + session_.ListName() + "' list?",
            MsgButtons::YesNo, MsgIcon::Question, "Delete Ringtone") == MsgAnswer::Yes) {
        try {
            session_.DeleteRingtone(session_.StoredEntry());
        } catch (const SessionError& e) {
            services_.MsgBox(DeleteRingtoneErrorText(session_.ListFileName()) + "\r\n\r\n" + e.what(),
                             MsgButtons::OkOnly, MsgIcon::Critical, DeleteRingtoneErrorTitle);
        }
        Clear();
        try {
            session_.LoadRows(*lstRingtones);
        } catch (const SessionError& e) {
            ReportListError("Ringtone List Error", "Could not open the list '" + session_.ListName() + "'!", e);
        }
    }
    SetState();
}

void frmConverter::mnuFileNew_Click() {
    frmNewList form(services_, this);
    form.SetMode(ListNameMode::New);
    dialogAccepted_ = services_.ShowModal(form);
    if (dialogAccepted_) {
        std::string name;
        try {
            name = session_.CheckNewListName(form.EnteredListName(), cboList->Items());
        } catch (const SessionError& e) {
            ReportListError("New Ringtone List", "The new list was not made.", e);
            SetState();
            return;
        }
        try {
            session_.NewList(name);
        } catch (const SessionError& e) {
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
    form.SetMode(ListNameMode::Rename);
    form.SetEnteredListName(session_.ListName());
    dialogAccepted_ = services_.ShowModal(form);
    if (dialogAccepted_) {
        const std::string oldName = session_.ListName();
        try {
            session_.RenameList(form.EnteredListName());
        } catch (const SessionError& e) {
            ReportListError("Rename Ringtone List", "The list '" + oldName + "' was not renamed.", e);
        }
        if (session_.ListName() != oldName) {
            const int index = cboList->ListIndex();
            if (index >= 0) {
                cboList->SetItemText(index, session_.ListName());
            } else {
                cboList->AddItem(session_.ListName());
                cboList->SelectText(session_.ListName());
            }
        }
    }
    SetState();
}

void frmConverter::mnuFileClear_Click() {
    const std::string list = SelectedListText();
    if (services_.MsgBox(
            "All ringtones in this list will be lost!\r\n\r\nAre you sure you want to clear the '" + list + "' list?",
            MsgButtons::YesNo, MsgIcon::Question, "Clear " + list + " List") != MsgAnswer::Yes)
        return;
    try {
        session_.ClearList();
        Clear();
        session_.LoadRows(*lstRingtones);
        SetState();
    } catch (const SessionError& e) {
        services_.MsgBox("Could not clear list!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly, MsgIcon::Critical,
                         "Clear List Error");
    }
}

void frmConverter::mnuFileDelete_Click() {
    const std::string list = SelectedListText();
    if (services_.MsgBox("All ringtones in the '" + list +
                             "' list will be lost if you continue!\r\n\r\nAre you sure "
                             "you want to delete the '" +
                             list + "' list?",
                         MsgButtons::YesNo, MsgIcon::Question, "Delete " + list + " List") != MsgAnswer::Yes)
        return;
    try {
        session_.DeleteListAndOpenNeighbour();
        Clear();
        ScanListFiles(*cboList);
        cboList->SelectText(session_.ListName());
        SetState();
    } catch (const SessionError& e) {
        services_.MsgBox("Could not delete list!\r\n\r\n" + std::string(e.what()), MsgButtons::OkOnly,
                         MsgIcon::Critical, "Delete List Error");
    }
}

}  // namespace tw

#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/modal_form.h"
#include "ui/toolkit.h"

namespace tw {

// Toolkit services for tests: nothing waits for a person. Questions are
// answered from a queue, file dialogs pick the queued paths, modal forms are
// driven by queued actions, the clipboard is a string, and every message box
// and file dialog is recorded, as is every file the text editor would have
// opened, every web page the browser would have opened and every help file
// the viewer would have shown (no editor, browser or viewer is started). Anything the script did not foresee (a
// question or dialog with nothing queued) is answered with No or Cancel and
// noted in Unexpected().
class ScriptedToolkit final : public ToolkitServices {
public:
    // What a modal form does while it is "shown": typically fill a field and
    // click a button.
    using FormAction = std::function<void(ModalForm&)>;

    void QueueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
    // A chosen file's full path; nothing cancels the dialog.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void QueueForm(FormAction action) { forms_.push_back(std::move(action)); }
    // Runs `hook` each time the windows let events run, after the events, so
    // that a test can look at the windows in the middle of long work.
    void OnDoEvents(std::function<void()> hook) { doEventsHook_ = std::move(hook); }

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
    const std::vector<std::string>& FormsShown() const { return formsShown_; }
    const std::vector<std::string>& Unexpected() const { return unexpected_; }
    // The files given to the text editor, in order.
    const std::vector<std::string>& EditorFiles() const { return editorFiles_; }
    // The addresses given to the web browser, as the windows passed them.
    const std::vector<std::string>& WebPages() const { return webPages_; }
    // The help files given to the help viewer; SetHelpViewerFails makes the
    // viewer report that it cannot read them.
    const std::vector<std::string>& HelpFiles() const { return helpFiles_; }
    void SetHelpViewerFails(bool fails) { helpViewerFails_ = fails; }
    // Whether every queued answer, file and form action was used.
    bool ScriptUsed() const { return answers_.empty() && files_.empty() && forms_.empty(); }
    int BusyDepth() const { return busyDepth_; }
    void ForgetRecords();

    std::string ClipboardText() override { return clipboard_; }
    void ClearClipboard() override;
    void SetClipboardText(std::string_view text) override;
    bool ShowModal(ModalForm& form) override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;
    void CentreOnScreen(QWidget& window) override;
    bool OpenInTextEditor(const std::string& path) override;
    void OpenWebPage(const std::string& address) override;
    bool ShowHelpFile(QWidget& owner, const std::string& path) override;

protected:
    MsgAnswer ShowMessageBox(const MessageBoxRequest& request) override;
    FileChoice ShowFileDialog(const FileDialogRequest& request) override;

private:
    std::deque<MsgAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<FormAction> forms_;
    std::vector<MessageBoxRequest> boxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<std::string> formsShown_;
    std::vector<std::string> unexpected_;
    std::vector<std::string> editorFiles_;
    std::vector<std::string> webPages_;
    std::vector<std::string> helpFiles_;
    bool helpViewerFails_ = false;
    std::function<void()> doEventsHook_;
    std::string clipboard_;
    int busyDepth_ = 0;
};

}  // namespace tw

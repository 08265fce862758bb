#include "ui/testing/scripted_toolkit.h"

#include <QCoreApplication>

namespace tw {

void ScriptedToolkit::ForgetRecords() {
    boxes_.clear();
    fileDialogs_.clear();
    formsShown_.clear();
    editorFiles_.clear();
    webPages_.clear();
    helpFiles_.clear();
}

MsgAnswer ScriptedToolkit::ShowMessageBox(const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (request.Buttons == MsgButtons::OkOnly) return MsgAnswer::Ok;
    if (answers_.empty()) {
        unexpected_.push_back("unanswered question: " + request.Text);
        return MsgAnswer::No;
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

FileChoice ScriptedToolkit::ShowFileDialog(const FileDialogRequest& request) {
    fileDialogs_.push_back(request);
    if (files_.empty()) {
        unexpected_.push_back("unscripted file dialog: " + request.DialogTitle);
        throw DialogCancelled();
    }
    const std::optional<std::string> path = files_.front();
    files_.pop_front();
    if (!path) throw DialogCancelled();
    const std::size_t slash = path->rfind('/');
    return FileChoice{*path, slash == std::string::npos ? *path : path->substr(slash + 1)};
}

bool ScriptedToolkit::ShowModal(ModalForm& form) {
    form.Prepare();
    formsShown_.push_back(form.windowTitle().toStdString());
    if (forms_.empty()) {
        unexpected_.push_back("unscripted form: " + formsShown_.back());
        form.reject();
        return form.DialogAccepted();
    }
    const FormAction action = std::move(forms_.front());
    forms_.pop_front();
    action(form);
    return form.DialogAccepted();
}

void ScriptedToolkit::ClearClipboard() { clipboard_.clear(); }

void ScriptedToolkit::SetClipboardText(std::string_view text) { clipboard_ = std::string(text); }

void ScriptedToolkit::DoEvents() {
    QCoreApplication::processEvents();
    if (doEventsHook_) doEventsHook_();
}

void ScriptedToolkit::SetBusyPointer(bool busy) { busyDepth_ += busy ? 1 : -1; }

void ScriptedToolkit::CentreOnScreen(QWidget&) {}

bool ScriptedToolkit::OpenInTextEditor(const std::string& path) {
    editorFiles_.push_back(path);
    return true;
}

void ScriptedToolkit::OpenWebPage(const std::string& address) { webPages_.push_back(address); }

bool ScriptedToolkit::ShowHelpFile(QWidget&, const std::string& path) {
    helpFiles_.push_back(path);
    return !helpViewerFails_;
}

}  // namespace tw

#include "ui/toolkit.h"

namespace tw {

MsgAnswer ToolkitServices::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon, std::string_view title) {
    MessageBoxRequest request;
    request.Text = std::string(text);
    request.Buttons = buttons;
    request.Icon = icon;
    request.Title = std::string(title.empty() ? AppTitle : title);
    return ShowMessageBox(request);
}

FileDialogRequest FileTypeDialogRequest(const FileTypeDialog& type, const std::string& startFolder) {
    FileDialogRequest request;
    request.DialogTitle = std::string(type.title);
    const std::string other(type.otherExtension);
    const std::string extension(type.extension);
    request.Filter = std::string("All Files (*.*)|*.*") + std::string(type.description) + extension +
                     (other.empty() ? "" : " *" + other) + ")|*" + extension + (other.empty() ? "" : ";*" + other);
    request.FilterIndex = 2;
    request.InitDir = startFolder;
    return request;
}

FileChoice ToolkitServices::ShowOpen(FileDialogRequest request) {
    request.Kind = FileDialogKind::Open;
    return ShowFileDialog(request);
}

FileChoice ToolkitServices::ShowSave(FileDialogRequest request) {
    request.Kind = FileDialogKind::Save;
    return ShowFileDialog(request);
}

}  // namespace tw

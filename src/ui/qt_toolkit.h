#pragma once

#include "toolkit.h"

namespace tw {

// The toolkit services on Qt Widgets: QMessageBox, the platform's file
// dialogs through QFileDialog, the system clipboard, modal forms run with
// exec(), the application's override cursor, and xdg-open for text files.
class QtToolkit final : public ToolkitServices {
public:
    std::string ClipboardText() override;
    void ClearClipboard() override;
    void SetClipboardText(std::string_view text) override;
    bool ShowModal(ModalForm& form) override;
    void DoEvents() override;
    void SetBusyPointer(bool busy) override;
    void CentreOnScreen(QWidget& window) override;
    bool OpenInTextEditor(const std::string& path) override;

protected:
    MsgAnswer ShowMessageBox(const MessageBoxRequest& request) override;
    FileChoice ShowFileDialog(const FileDialogRequest& request) override;
};

}  // namespace tw

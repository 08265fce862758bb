#pragma once

#include <QPointer>

#include "ui/toolkit.h"

namespace tw {

class HelpViewer;

// The toolkit services on Qt Widgets: QMessageBox, the platform's file
// dialogs through QFileDialog, the system clipboard, modal forms run with
// exec(), the application's override cursor, xdg-open for text files, the
// first browser found for web pages, and the program's own help viewer.
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
    void OpenWebPage(const std::string& address) override;
    bool ShowHelpFile(QWidget& owner, const std::string& path) override;

protected:
    MsgAnswer ShowMessageBox(const MessageBoxRequest& request) override;
    FileChoice ShowFileDialog(const FileDialogRequest& request) override;

private:
    // One help viewer, kept while its owner lives.
    QPointer<HelpViewer> helpViewer_;
};

}  // namespace tw

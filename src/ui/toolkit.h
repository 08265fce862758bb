#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class QWidget;

// What the windows need from the window toolkit, gathered in one interface:
// message boxes, file dialogs, the clipboard, modal forms, letting events
// run, the busy pointer, centring, the desktop's text editor, the web
// browser and the help viewer. The desktop program uses the Qt
// implementation; the window tests use a scripted one that never waits for
// a person. Every text passed in or out is bytes as the engine holds them
// (UTF-8, or an older single-byte text that is shown as Windows-1252).
namespace tw {

class ModalForm;

// The title of every message box that has no title of its own.
inline constexpr std::string_view AppTitle = "Tunewright";

enum class MsgButtons { OkOnly, YesNo };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgAnswer { Ok, Yes, No };

struct MessageBoxRequest {
    std::string Text;  // may hold CR LF line breaks
    MsgButtons Buttons = MsgButtons::OkOnly;
    MsgIcon Icon = MsgIcon::None;
    std::string Title;  // never empty once it reaches an implementation
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    std::string DialogTitle;
    // Description and pattern pairs, all separated by "|":
    // "All Files (*.*)|*.*|Composer Files (*.321)|*.321".
    std::string Filter;
    int FilterIndex = 1;   // the filter selected at first, counted from 1
    std::string InitDir;   // the folder the dialog starts in
    std::string FileName;  // the proposed file name (save dialog)
};

// A file dialog for one type of file: its title and that type's own filter.
struct FileTypeDialog {
    std::string_view title;
    std::string_view description;  // "|Composer Files (*", up to the extension
    std::string_view extension;    // ".321"
    // Another extension the type's files may have (".midi"), or nothing.
    std::string_view otherExtension = {};
};

// The dialog request for a file type: "All Files (*.*)" first, the type's own
// files (of either extension) second and selected, starting in `startFolder`.
FileDialogRequest FileTypeDialogRequest(const FileTypeDialog& type, const std::string& startFolder);

// What a file dialog returns: the full path and the file name alone.
struct FileChoice {
    std::string FileName;
    std::string FileTitle;
};

// Cancelling a file dialog ends the showing call with this failure.
class DialogCancelled : public std::runtime_error {
public:
    DialogCancelled() : std::runtime_error("the dialog was cancelled") {}
};

class ToolkitServices {
public:
    virtual ~ToolkitServices() = default;

    // A modal message box; returns the button pressed. An empty title shows
    // AppTitle.
    MsgAnswer MsgBox(std::string_view text, MsgButtons buttons = MsgButtons::OkOnly, MsgIcon icon = MsgIcon::None,
                     std::string_view title = {});

    // File dialogs. No extension is ever added to a typed name, and the
    // toolkit asks no question of its own about replacing a file. Throw
    // DialogCancelled when the user cancels.
    FileChoice ShowOpen(FileDialogRequest request);
    FileChoice ShowSave(FileDialogRequest request);

    // The clipboard as plain text.
    virtual std::string ClipboardText() = 0;
    virtual void ClearClipboard() = 0;
    virtual void SetClipboardText(std::string_view text) = 0;

    // Runs `form` modally: its FormLoad, then its events until it closes.
    // True when the form was accepted; a form closed with its close box
    // counts as cancelled.
    virtual bool ShowModal(ModalForm& form) = 0;

    // Lets pending window events run, so windows repaint during long work.
    virtual void DoEvents() = 0;

    // The screen-wide busy pointer; calls nest.
    virtual void SetBusyPointer(bool busy) = 0;

    // Places a window at the middle of the screen.
    virtual void CentreOnScreen(QWidget& window) = 0;

    // Opens the file at `path` in the desktop's text editor and returns at
    // once, without waiting for the editor. False when it could not be
    // started.
    virtual bool OpenInTextEditor(const std::string& path) = 0;

    // Opens a page of the web in the user's browser, with the query item
    // that names the program added. Only absolute http: and https: addresses
    // are ever opened; nothing is reported either way.
    virtual void OpenWebPage(const std::string& address) = 0;

    // Shows the HTML help file at `path` at its contents, in the program's
    // own help viewer, a window that belongs to `owner`. False when the file
    // cannot be read.
    virtual bool ShowHelpFile(QWidget& owner, const std::string& path) = 0;

protected:
    virtual MsgAnswer ShowMessageBox(const MessageBoxRequest& request) = 0;
    virtual FileChoice ShowFileDialog(const FileDialogRequest& request) = 0;
};

// Shows the busy pointer for its lifetime.
class BusyPointer {
public:
    explicit BusyPointer(ToolkitServices& services) : services_(services) { services_.SetBusyPointer(true); }
    ~BusyPointer() { services_.SetBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    ToolkitServices& services_;
};

}  // namespace tw

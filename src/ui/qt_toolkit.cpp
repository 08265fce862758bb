#include "ui/qt_toolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>

#include "ui/file_filters.h"
#include "ui/help_viewer.h"
#include "ui/modal_form.h"
#include "ui/text_codec.h"
#include "web/qt/qt_browser.h"

namespace tw {
namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// File paths are the file system's bytes.
std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

MsgAnswer QtToolkit::ShowMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(BoxIcon(request.Icon), ShownText(request.Title), ShownLines(request.Text),
                    request.Buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (request.Buttons == MsgButtons::YesNo) box.setDefaultButton(QMessageBox::Yes);
    const int pressed = box.exec();
    if (request.Buttons == MsgButtons::OkOnly) return MsgAnswer::Ok;
    return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

FileChoice QtToolkit::ShowFileDialog(const FileDialogRequest& request) {
    const bool open = request.Kind == FileDialogKind::Open;
    QFileDialog dialog(QApplication::activeWindow(), ShownText(request.DialogTitle), PathText(request.InitDir));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(QString());
    const QStringList filters = QtNameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int selected = request.FilterIndex - 1;
        dialog.selectNameFilter(filters.value(selected >= 0 && selected < filters.size() ? selected : 0));
    }
    if (!request.FileName.empty()) dialog.selectFile(PathText(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) throw DialogCancelled();
    const QString chosen = dialog.selectedFiles().front();
    return FileChoice{PathBytes(chosen), PathBytes(QFileInfo(chosen).fileName())};
}

std::string QtToolkit::ClipboardText() { return TextBytes(QGuiApplication::clipboard()->text()); }

void QtToolkit::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtToolkit::SetClipboardText(std::string_view text) { QGuiApplication::clipboard()->setText(ShownText(text)); }

bool QtToolkit::ShowModal(ModalForm& form) {
    form.Prepare();
    form.exec();
    return form.DialogAccepted();
}

void QtToolkit::DoEvents() { QCoreApplication::processEvents(); }

void QtToolkit::SetBusyPointer(bool busy) {
    if (busy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else QGuiApplication::restoreOverrideCursor();
}

void QtToolkit::CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

// The desktop's handler for the file's type, started on its own: it is not
// waited for and outlives the program.
bool QtToolkit::OpenInTextEditor(const std::string& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {PathText(path)});
}

}  // namespace tw

namespace tw {

void QtToolkit::OpenWebPage(const std::string& address) { tw::OpenWebPage(address); }

bool QtToolkit::ShowHelpFile(QWidget& owner, const std::string& path) {
    if (helpViewer_ == nullptr || helpViewer_->parentWidget() != &owner) {
        helpViewer_ = new HelpViewer([this](const std::string& address) { OpenWebPage(address); }, &owner);
        CentreOnScreen(*helpViewer_);
    }
    return helpViewer_->Open(path);
}

}  // namespace tw

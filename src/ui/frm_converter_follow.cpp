// Following the current list when another program (the command line, another
// window) changes its file: the rows are read again and the shown ringtone is
// shown as stored now.
#include <QComboBox>
#include <QFileSystemWatcher>
#include <QLineEdit>

#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"
#include "ui/text_codec.h"

namespace tw {

void frmConverter::WatchLists() {
    listWatcher_ = std::make_unique<QFileSystemWatcher>();
    // A replaced list file is a new directory entry; a file written in place
    // changes without one.
    // Not a command: a name or tempo being typed must not be stored for it.
    const auto follow = [this] {
        try {
            FollowListFile();
        } catch (const std::exception&) {
            // Following is a courtesy; the next change or command tries again.
        }
    };
    QObject::connect(listWatcher_.get(), &QFileSystemWatcher::directoryChanged, this, follow);
    QObject::connect(listWatcher_.get(), &QFileSystemWatcher::fileChanged, this, follow);
    listWatcher_->addPath(QString::fromStdString(session_.ProgramDirectory().string()));
    if (!session_.ListFileName().empty()) listWatcher_->addPath(QString::fromStdString(session_.ListFileName()));
}

void frmConverter::FollowListFile() {
    if (listWatcher_ && !session_.ListFileName().empty())
        listWatcher_->addPath(QString::fromStdString(session_.ListFileName()));
    if (batchRunning_ || committing_ || !session_.RowsChangedOnDisk()) return;
    // A name or tempo being typed stays; the rows follow all the same.
    const bool typing = EditsApply() && (txtName->text() != ShownText(session_.Ringtone().Name()) ||
                                         txtTempo->currentText() != ShownText(session_.Ringtone().Tempo()));
    const std::string shown = EditsApply() ? session_.ShownRow() : std::string();
    try {
        session_.LoadRows(*lstRingtones);
    } catch (const SessionError&) {
        // The list cannot be read just now; the next change tries again.
        return;
    }
    // The row shown is shown again as stored now, unless it is being edited.
    if (!shown.empty() && !lstRingtones->SelectText(shown, !typing) && !typing) {
        // Another program removed the ringtone shown.
        Clear();
    }
    SetState();
}

}  // namespace tw

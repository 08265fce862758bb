#pragma once

#include <QWidget>
#include <QWindow>

#include "session/ringtone_session.h"
#include "ui/frm_busy.h"

namespace tw {

// While a long job runs (a batch, an import) the main window is disabled and
// the busy window shown above it, and `running` is set; with `holdList` the
// session also holds the list file as read once at the start. All of it ends
// with the job, however it ends.
class BusyScope {
public:
    BusyScope(QWidget& window, frmBusy& busy, bool& running, RingtoneSession& session, bool holdList)
        : window_(window), busy_(busy), running_(running), session_(session) {
        running_ = true;
        if (holdList) session_.HoldSnapshot();
        // The busy window is a window of its own, so that disabling the main
        // window leaves it drawn as enabled; it stays above the main window.
        busy_.winId();
        if (QWindow* handle = busy_.windowHandle()) handle->setTransientParent(window_.window()->windowHandle());
        busy_.Form_Load();
        busy_.show();
        window_.setEnabled(false);
    }
    ~BusyScope() {
        busy_.Unload();
        window_.setEnabled(true);
        window_.raise();
        window_.activateWindow();
        running_ = false;
        session_.ReleaseSnapshot();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    QWidget& window_;
    frmBusy& busy_;
    bool& running_;
    RingtoneSession& session_;
};

}  // namespace tw

// "Batch Save All As .WAV Files": one WAV file for every ringtone of the
// current list, written into the ringtone folder while the busy window says
// which one is being written. One bad ringtone costs one message; the
// others are still written.
#include <QWindow>

#include <filesystem>
#include <string>

#include "ui/frm_busy.h"
#include "ui/frm_converter.h"
#include "lists/list_error.h"
#include "lists/list_names.h"
#include "sound/render.h"
#include "ui/sorted_controls.h"

namespace tw {
namespace {

// While the batch runs the main window is disabled, the busy window shown
// and the list file held as read once at the start; all three end with the
// batch, however it ends. A list file that cannot be read is left to each
// row to report, as selecting it does.
class BatchScope {
public:
    BatchScope(QWidget& window, frmBusy& busy, bool& running, std::optional<IniDocument>& snapshot,
               const CRingtoneList& list)
        : window_(window), busy_(busy), running_(running), snapshot_(snapshot) {
        running_ = true;
        try {
            snapshot_ = list.ReadListFile();
        } catch (const ListError&) {
            snapshot_.reset();
        }
        busy_.Form_Load();
        busy_.show();
        window_.setEnabled(false);
    }
    ~BatchScope() {
        busy_.Unload();
        window_.setEnabled(true);
        window_.raise();
        window_.activateWindow();
        running_ = false;
        snapshot_.reset();
    }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

private:
    QWidget& window_;
    frmBusy& busy_;
    bool& running_;
    std::optional<IniDocument>& snapshot_;
};

}  // namespace

void frmConverter::mnuFileBatchWAV_Click() {
    if (batchRunning_) return;
    const std::string L = list_.ListName();
    services_.MsgBox("This will generate a whole set of WAV files from the '" + L + "' list and could take a while.",
                     MsgButtons::OkOnly, MsgIcon::Information, "Generate WAV Files");

    // The busy window is a window of its own, so that disabling the main
    // window leaves it drawn as enabled; it stays above the main window.
    frmBusy busy(services_);
    busy.winId();
    if (QWindow* handle = busy.windowHandle()) handle->setTransientParent(window()->windowHandle());
    BatchScope scope(*this, busy, batchRunning_, batchList_, list_);
    BusyPointer pointer(services_);

    const int count = lstRingtones->ListCount();
    const std::string D = ringToneDirectory_;
    for (int i = 0; i < count; ++i) {
        // Selecting the row loads its ringtone and shows it.
        shownStored_ = false;
        lstRingtones->SetListIndex(i);
        const bool loaded = lstRingtones->ListIndex() == i;  // a list that could not be read was reported
        const std::string N = ringtone_.Name();
        busy.SetMessage("Generating '" + N + ".wav'...");
        busy.SetProgress(i + 1, count);
        busy.repaint();
        services_.DoEvents();

        if (loaded) {
            const std::filesystem::path target = std::filesystem::path(D) / (N + ".wav");
            const auto fail = [&](const std::string& E) {
                services_.MsgBox("An error occurred trying to create " + Printable(target.string()) + ". [" + E + "]");
            };
            if (const auto problem = FileNameProblem(N)) {
                fail("the name cannot be a file name: " + *problem);
            } else if (!shownStored_) {
                fail("the ringtone is no longer in the '" + L + "' list");
            } else {
                try {
                    WAV(ringtone_, "SAVE", target.string(), player_);
                } catch (const std::exception& e) {
                    fail(e.what());
                }
            }
        }
        repaint();
        services_.DoEvents();
    }
}

}  // namespace tw

// "Batch Save All As .WAV Files": one WAV file for every ringtone of the
// current list, written into the ringtone folder while the busy window says
// which one is being written. One bad ringtone costs one message; the
// others are still written.
#include <filesystem>
#include <string>

#include "lists/list_names.h"
#include "ui/busy_scope.h"
#include "ui/frm_busy.h"
#include "ui/frm_converter.h"
#include "ui/sorted_controls.h"

namespace tw {

void frmConverter::mnuFileBatchWAV_Click() {
    if (batchRunning_) return;
    services_.MsgBox("This will generate a whole set of WAV files from the '" + session_.ListName() +
                         "' list and could take a while.",
                     MsgButtons::OkOnly, MsgIcon::Information, "Generate WAV Files");

    frmBusy busy(services_);
    BusyScope scope(*this, busy, batchRunning_, session_, true);
    BusyPointer pointer(services_);

    const int count = lstRingtones->ListCount();
    const std::filesystem::path folder = ringToneDirectory_;
    for (int i = 0; i < count; ++i) {
        // Selecting the row loads its ringtone and shows it.
        lstRingtones->SetListIndex(i);
        const bool loaded = lstRingtones->ListIndex() == i;  // a list that could not be read was reported
        const std::string name = session_.Ringtone().Name();
        busy.SetMessage("Generating '" + name + ".wav'...");
        busy.SetProgress(i + 1, count);
        busy.repaint();
        services_.DoEvents();

        if (loaded) {
            try {
                session_.SaveShownWav(folder, player_);
            } catch (const SessionError& e) {
                const std::string reason = e.reason() == SessionError::Reason::BadFileName
                                               ? "the name cannot be a file name: " + std::string(e.what())
                                               : std::string(e.what());
                services_.MsgBox("An error occurred trying to create " +
                                 Printable(SoundFileFor(folder, name, SoundFileType::Wav).string()) + ". [" + reason +
                                 "]");
            }
        }
        repaint();
        services_.DoEvents();
    }
}

}  // namespace tw

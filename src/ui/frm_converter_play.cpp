// Playing the shown ringtone: the "&Play" button and a double-click on the
// ringtone list. The window stays drawn while the player plays, takes no
// input, and a sound that cannot be played is silence. The note view's
// cursor follows the sound the whole time it plays, and goes when it ends.
#include <QPushButton>

#include "sound/render.h"
#include "ui/frm_converter.h"
#include "ui/note_view.h"

namespace tw {

void frmConverter::cmdPlaySound_Click() {
    cmdPlaySound->setEnabled(false);
    try {
        BusyPointer busy(services_);
        noteView->FollowPlay(NoteStartSeconds(session_.Ringtone()), [this] { return player_.PlayedSeconds(); });
        PlayWave(session_.Ringtone(), player_);
    } catch (...) {
        // No sound device, a tempo of 0, ...: nothing plays and nothing is said.
    }
    noteView->EndPlay();
    cmdPlaySound->setEnabled(true);
}

void frmConverter::lstRingtones_DblClick() { cmdPlaySound_Click(); }

}  // namespace tw

// Playing the shown ringtone: the "&Play" button and a double-click on the
// ringtone list, in the voice chosen for Play. The window stays drawn while
// the player plays, takes no input, and a sound that cannot be played is
// silence; only an instrument voice that cannot be made (no SoundFont, no
// synthesiser library) is said in a box. The note view's cursor follows the
// sound the whole time it plays, and goes when it ends.
#include <QPushButton>

#include "sound/sound_error.h"
#include "sound/voice_play.h"
#include "ui/frm_converter.h"
#include "ui/note_view.h"
#include "ui/voice_choice.h"

namespace tw {

void frmConverter::cmdPlaySound_Click() {
    cmdPlaySound->setEnabled(false);
    std::string voiceMissing;
    try {
        BusyPointer busy(services_);
        noteView->FollowPlay(VoiceNoteStartSeconds(session_.Ringtone(), playVoice_),
                             [this] { return player_.PlayedSeconds(); });
        PlayVoice(session_.Ringtone(), playVoice_, player_);
    } catch (const SoundError& e) {
        if (e.reason() == SoundError::Reason::MissingLibrary || e.reason() == SoundError::Reason::NoVoice)
            voiceMissing = e.what();
    } catch (...) {
        // No sound device, a tempo of 0, ...: nothing plays and nothing is said.
    }
    noteView->EndPlay();
    cmdPlaySound->setEnabled(true);
    if (!voiceMissing.empty())
        services_.MsgBox(
            "The ringtone cannot be played in the voice " + VoiceCaption(playVoice_) + ".\r\n\r\n" + voiceMissing,
            MsgButtons::OkOnly, MsgIcon::Exclamation, "Play");
}

void frmConverter::lstRingtones_DblClick() { cmdPlaySound_Click(); }

}  // namespace tw

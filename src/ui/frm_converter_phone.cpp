// The phone ringtone files (Android's .ogg, the iPhone's .m4r) and the voice
// Play plays in.
#include "session/phone_ringtone_file.h"
#include "session/session_error.h"
#include "sound/sound_error.h"
#include "ui/frm_converter.h"
#include "ui/frm_phone_ringtone.h"
#include "ui/frm_play_voice.h"

namespace tw {
namespace {

constexpr std::string_view PhoneTitle = "Save As Phone Ringtone";

// The save dialog of each kind of phone file, in the order of PhoneFile.
constexpr FileTypeDialog PhoneDialogs[] = {
    {"Save As Android Ringtone", "|Android Ringtones (*", ".ogg"},
    {"Save As iPhone Ringtone", "|iPhone Ringtones (*", ".m4r"},
};

}  // namespace

void frmConverter::mnuFilePhoneRingtone_Click() {
    try {
        session_.CheckSavable();
    } catch (const SessionError& e) {
        services_.MsgBox(e.what());
        return;
    }
    frmPhoneRingtone form(services_, player_, session_.Ringtone(), phoneOptions_, this);
    dialogAccepted_ = services_.ShowModal(form);
    if (!dialogAccepted_) return;
    phoneOptions_ = form.Chosen();
    const std::optional<std::filesystem::path> path =
        ChooseSaveFile(PhoneDialogs[static_cast<std::size_t>(phoneOptions_.kind)]);
    if (!path) return;
    try {
        BusyPointer busy(services_);
        const AudioEncoder encoder;
        SavePhoneRingtone(session_.Ringtone(), *path, phoneOptions_, encoder);
    } catch (const std::exception& e) {
        services_.MsgBox("An error occurred trying to save " + path->string() + ". [" + e.what() + "]",
                         MsgButtons::OkOnly, MsgIcon::Exclamation, PhoneTitle);
    }
}

void frmConverter::mnuFilePlayVoice_Click() {
    frmPlayVoice form(services_, settings_, playVoice_, this);
    dialogAccepted_ = services_.ShowModal(form);
    if (!dialogAccepted_) return;
    playVoice_ = form.Chosen();
    phoneOptions_.voice = playVoice_;
}

}  // namespace tw

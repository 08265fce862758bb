#pragma once

#include <array>

#include "sound/phone_ringtone.h"
#include "ui/modal_form.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace tw {

class CNotes;
class Player;
class ToolkitServices;

// "Save As Phone Ringtone": the kind of file (Android's Ogg Vorbis or the
// iPhone's .m4r), the voice and how many times the melody plays (automatic:
// about 25 seconds, within what the phone takes). Play plays the ringtone
// once in the chosen voice, as the file will sound; a voice that cannot be
// played is said in a box. OK ("Save...") accepts the choices, which the
// window then saves through the usual save dialog.
class frmPhoneRingtone final : public ModalForm {
public:
    frmPhoneRingtone(ToolkitServices& services, Player& player, const CNotes& ringtone, PhoneRingtoneOptions options,
                     QWidget* parent = nullptr);

    void FormLoad() override;
    void cmdPlay_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    // The choices offered at first, and after OK those made.
    const PhoneRingtoneOptions& Chosen() const { return options_; }

private:
    PhoneRingtoneOptions Choices() const;

    ToolkitServices& services_;
    Player& player_;
    const CNotes& ringtone_;
    PhoneRingtoneOptions options_;
    std::array<QRadioButton*, 2> optPhone{};
    QComboBox* cboVoice = nullptr;
    QSpinBox* spnPlays = nullptr;
};

}  // namespace tw

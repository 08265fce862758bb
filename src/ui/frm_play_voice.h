#pragma once

#include "sound/voice.h"
#include "ui/modal_form.h"

class QComboBox;

namespace tw {

class SettingsStore;
class ToolkitServices;

// "Voice for Play": the voice the Play button plays the ringtone in, the
// beep or one of the named instruments. OK saves it as the PlayVoice setting
// (the voice is used even when it cannot be saved, which is said); Cancel
// changes nothing.
class frmPlayVoice final : public ModalForm {
public:
    frmPlayVoice(ToolkitServices& services, SettingsStore& settings, Voice voice, QWidget* parent = nullptr);

    void FormLoad() override;
    void cmdOk_Click();
    void cmdCancel_Click();

    // The voice offered at first, and after OK the one chosen.
    const Voice& Chosen() const { return voice_; }

private:
    ToolkitServices& services_;
    SettingsStore& settings_;
    Voice voice_;
    QComboBox* cboVoice = nullptr;
};

}  // namespace tw

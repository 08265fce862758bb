#include "ui/frm_play_voice.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/saved_settings.h"
#include "shell/settings_store.h"
#include "ui/toolkit.h"
#include "ui/voice_choice.h"

namespace tw {

frmPlayVoice::frmPlayVoice(ToolkitServices& services, SettingsStore& settings, Voice voice, QWidget* parent)
    : ModalForm(parent), services_(services), settings_(settings), voice_(voice) {
    setObjectName(QStringLiteral("frmPlayVoice"));
    setWindowTitle(QStringLiteral("Voice for Play"));
    setModal(true);

    auto* lblVoice = new QLabel(QStringLiteral("&Play ringtones with:"), this);
    lblVoice->setObjectName(QStringLiteral("lblVoice"));
    cboVoice = new QComboBox(this);
    cboVoice->setObjectName(QStringLiteral("cboVoice"));
    cboVoice->setEditable(false);
    lblVoice->setBuddy(cboVoice);
    auto* row = new QHBoxLayout;
    row->addWidget(lblVoice);
    row->addWidget(cboVoice, 1);

    auto* lblNote = new QLabel(QStringLiteral("The beep is the sound of the WAV files. The instruments are played "
                                              "from the General MIDI SoundFont installed with the program."),
                               this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(lblNote);
    layout->addLayout(buttons);
    resize(380, 150);
}

void frmPlayVoice::FormLoad() {
    services_.CentreOnScreen(*this);
    FillVoiceList(*cboVoice, voice_);
    cboVoice->setFocus();
}

void frmPlayVoice::cmdOk_Click() {
    voice_ = ChosenVoice(*cboVoice);
    try {
        SavePlayVoice(settings_, voice_);
    } catch (const SettingsError& e) {
        services_.MsgBox(
            "The voice is in use now, but it could not be kept for the next start.\r\n\r\n" + std::string(e.what()),
            MsgButtons::OkOnly, MsgIcon::Exclamation, "Voice for Play");
    }
    SetDialogAccepted(true);
    accept();
}

void frmPlayVoice::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

#include "ui/frm_phone_ringtone.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "sound/sound_error.h"
#include "sound/voice_play.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"
#include "ui/voice_choice.h"

namespace tw {

frmPhoneRingtone::frmPhoneRingtone(ToolkitServices& services, Player& player, const CNotes& ringtone,
                                   PhoneRingtoneOptions options, QWidget* parent)
    : ModalForm(parent), services_(services), player_(player), ringtone_(ringtone), options_(options) {
    setObjectName(QStringLiteral("frmPhoneRingtone"));
    setWindowTitle(QStringLiteral("Save As Phone Ringtone"));
    setModal(true);

    auto* fraPhone = new QGroupBox(QStringLiteral("Phone"), this);
    fraPhone->setObjectName(QStringLiteral("fraPhone"));
    auto* phones = new QVBoxLayout(fraPhone);
    const char* const phoneCaptions[] = {"&Android (Ogg Vorbis, .ogg)", "&iPhone (AAC, .m4r; at most 40 seconds)"};
    for (std::size_t i = 0; i < optPhone.size(); ++i) {
        optPhone[i] = new QRadioButton(QString::fromUtf8(phoneCaptions[i]), fraPhone);
        optPhone[i]->setObjectName(QStringLiteral("optPhone%1").arg(i));
        phones->addWidget(optPhone[i]);
    }

    cboVoice = new QComboBox(this);
    cboVoice->setObjectName(QStringLiteral("cboVoice"));
    cboVoice->setEditable(false);
    spnPlays = new QSpinBox(this);
    spnPlays->setObjectName(QStringLiteral("spnPlays"));
    spnPlays->setRange(0, MostPlays);
    spnPlays->setSpecialValueText(QStringLiteral("As many as last about 25 seconds"));
    auto* choices = new QFormLayout;
    choices->addRow(QStringLiteral("&Voice:"), cboVoice);
    choices->addRow(QStringLiteral("Plays of the &melody:"), spnPlays);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AddButton(QStringLiteral("&Play"), "cmdPlay", false, [this] { cmdPlay_Click(); }));
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); }, QStringLiteral("&Save..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraPhone);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    resize(400, 220);
}

void frmPhoneRingtone::FormLoad() {
    services_.CentreOnScreen(*this);
    optPhone[options_.kind == PhoneFile::M4r ? 1 : 0]->setChecked(true);
    FillVoiceList(*cboVoice, options_.voice);
    spnPlays->setValue(options_.plays.value_or(0));
}

PhoneRingtoneOptions frmPhoneRingtone::Choices() const {
    PhoneRingtoneOptions chosen = options_;
    chosen.kind = optPhone[1]->isChecked() ? PhoneFile::M4r : PhoneFile::Ogg;
    chosen.voice = ChosenVoice(*cboVoice);
    chosen.plays = spnPlays->value() > 0 ? std::optional<int>(spnPlays->value()) : std::nullopt;
    return chosen;
}

void frmPhoneRingtone::cmdPlay_Click() {
    try {
        BusyPointer busy(services_);
        PlayVoice(ringtone_, ChosenVoice(*cboVoice), player_);
    } catch (const SoundError& e) {
        // As the window's Play: only a voice that cannot be made is said.
        if (e.reason() == SoundError::Reason::MissingLibrary || e.reason() == SoundError::Reason::NoVoice)
            services_.MsgBox(std::string("The ringtone cannot be played in this voice.\r\n\r\n") + e.what(),
                             MsgButtons::OkOnly, MsgIcon::Exclamation, "Save As Phone Ringtone");
    }
}

void frmPhoneRingtone::cmdOk_Click() {
    options_ = Choices();
    SetDialogAccepted(true);
    accept();
}

void frmPhoneRingtone::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

#include "ui/frm_preferences.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "engine/cnotes.h"
#include "shell/saved_settings.h"
#include "shell/separator_choice.h"
#include "shell/settings_store.h"
#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {

frmPreferences::frmPreferences(ToolkitServices& services, CNotes& ringtone, SettingsStore& settings, QWidget* parent)
    : ModalForm(parent), services_(services), ringtone_(ringtone), settings_(settings) {
    setObjectName(QStringLiteral("frmPreferences"));
    setModal(true);
    setWindowTitle(ShownText(PreferencesCaption));

    auto* fra = new QGroupBox(ShownText(PreferencesFrameCaption), this);
    fra->setObjectName(QStringLiteral("fraSep"));
    auto* Label1 = new QLabel(ShownText(PreferencesListLabel), fra);
    Label1->setObjectName(QStringLiteral("Label1"));
    cboSep = new QComboBox(fra);
    cboSep->setObjectName(QStringLiteral("cboSep"));
    cboSep->setEditable(false);
    Label1->setBuddy(cboSep);
    auto* inside = new QHBoxLayout(fra);
    inside->addWidget(Label1);
    inside->addWidget(cboSep, 1);

    auto* lblNote = new QLabel(ShownText(PreferencesNote), this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); }, ShownText(PreferencesOkCaption),
        ShownText(PreferencesCancelCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fra);
    layout->addWidget(lblNote);
    layout->addLayout(buttons);
    resize(360, 170);
}

void frmPreferences::FormLoad() {
    services_.CentreOnScreen(*this);
    cboSep->clear();
    for (const SeparatorChoice& choice : SeparatorChoices) cboSep->addItem(ShownText(choice.Entry));
    const auto selected = SelectedSeparatorChoice(ringtone_.OutputSeparator());
    cboSep->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

void frmPreferences::cmdOk_Click() {
    const int index = cboSep->currentIndex();
    const std::optional<std::size_t> selected =
        index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index)) : std::nullopt;
    const std::string separator = SeparatorAfterOk(selected, ringtone_.OutputSeparator());
    ringtone_.SetOutputSeparator(separator);
    try {
        SaveOutputSeparator(settings_, separator);
    } catch (const SettingsError& e) {
        services_.MsgBox("The note separator is in use now, but it could not be kept for the next start.\r\n\r\n" +
                             std::string(e.what()),
                         MsgButtons::OkOnly, MsgIcon::Exclamation, PreferencesCaption);
    }
    SetDialogAccepted(true);
    accept();
}

void frmPreferences::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

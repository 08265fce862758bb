#include "ui/frm_midi_track.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/text_codec.h"
#include "ui/toolkit.h"

namespace tw {

frmMidiTrack::frmMidiTrack(ToolkitServices& services, QWidget* parent) : ModalForm(parent), services_(services) {
    setObjectName(QStringLiteral("frmMidiTrack"));
    setWindowTitle(QStringLiteral("Ringtone from a MIDI File"));
    setModal(true);

    lblTracks = new QLabel(QStringLiteral("Choose the &track that holds the melody:"), this);
    lblTracks->setObjectName(QStringLiteral("lblTracks"));
    lstTracks = new QListWidget(this);
    lstTracks->setObjectName(QStringLiteral("lstTracks"));
    lblTracks->setBuddy(lstTracks);
    connect(lstTracks, &QListWidget::itemDoubleClicked, this, [this] { cmdOk_Click(); });
    chkFit = new QCheckBox(QStringLiteral("&Move the melody by octaves into the composer's octaves"), this);
    chkFit->setObjectName(QStringLiteral("chkFit"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(
        *buttons, [this] { cmdOk_Click(); }, [this] { cmdCancel_Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTracks);
    layout->addWidget(lstTracks);
    layout->addWidget(chkFit);
    layout->addLayout(buttons);
    resize(420, 300);
}

void frmMidiTrack::FormLoad() {
    services_.CentreOnScreen(*this);
    lstTracks->clear();
    for (const MidiTrackSummary& track : tracks_) {
        const std::string name = track.name.empty() ? "(no name)" : track.name;
        lstTracks->addItem(ShownText("Track " + std::to_string(track.number) + ": " + name + " (" +
                                     std::to_string(track.notes) + (track.notes == 1 ? " note)" : " notes)")));
    }
    lstTracks->setCurrentRow(0);
    const bool choice = tracks_.size() > 1;
    lblTracks->setEnabled(choice);
    lstTracks->setEnabled(choice);
    chkFit->setChecked(fit_);
    (choice ? static_cast<QWidget*>(lstTracks) : chkFit)->setFocus();
}

void frmMidiTrack::cmdOk_Click() {
    const int row = lstTracks->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= tracks_.size()) return;
    chosenTrack_ = tracks_[static_cast<std::size_t>(row)].number;
    fit_ = chkFit->isChecked();
    SetDialogAccepted(true);
    accept();
}

void frmMidiTrack::cmdCancel_Click() {
    SetDialogAccepted(false);
    reject();
}

}  // namespace tw

#pragma once

#include <vector>

#include "sound/midi_melody.h"
#include "ui/modal_form.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace tw {

class ToolkitServices;

// Asks how a MIDI file becomes a ringtone: which of its tracks with notes
// (each shown with its name and number of notes; the list is only offered
// when there is a choice) and whether the melody is moved by octaves into
// the composer's octaves.
class frmMidiTrack final : public ModalForm {
public:
    explicit frmMidiTrack(ToolkitServices& services, QWidget* parent = nullptr);

    // The tracks to choose from; the first is chosen until another is.
    void SetTracks(std::vector<MidiTrackSummary> tracks) { tracks_ = std::move(tracks); }
    // After "&Ok": the chosen track's number and the fit box.
    int ChosenTrack() const { return chosenTrack_; }
    bool Fit() const { return fit_; }

    void FormLoad() override;
    void cmdOk_Click();
    void cmdCancel_Click();

private:
    ToolkitServices& services_;
    QLabel* lblTracks = nullptr;
    QListWidget* lstTracks = nullptr;
    QCheckBox* chkFit = nullptr;
    std::vector<MidiTrackSummary> tracks_;
    int chosenTrack_ = 0;
    bool fit_ = false;
};

}  // namespace tw

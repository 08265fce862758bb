// Get It... from a MIDI file: one of its tracks made into a ringtone, then
// stored and shown as any ringtone got from a file.
#include "session/midi_ringtone.h"
#include "sound/sound_error.h"
#include "ui/frm_converter.h"
#include "ui/frm_midi_track.h"

namespace tw {

void frmConverter::GetMidi(const std::string& bytes, const std::string& path) {
    MidiRingtone ringtone;
    try {
        const MidiSong song = ReadMidi(bytes);
        const std::vector<MidiTrackSummary> tracks = TracksWithNotes(song);
        if (tracks.empty()) throw SoundError(SoundError::Reason::BadMidiFile, "the MIDI file holds no notes");
        frmMidiTrack choice(services_, this);
        choice.SetTracks(tracks);
        if (!services_.ShowModal(choice)) {
            SetState();
            return;
        }
        ringtone = RingtoneFromMidi(song, {choice.ChosenTrack(), choice.Fit()}, "", path);
    } catch (const SoundError& e) {
        services_.MsgBox(std::string("Could not make a ringtone of ") + path + ":\r\n\r\n" + e.what(),
                         MsgButtons::OkOnly, MsgIcon::Exclamation, "MIDI File");
        SetState();
        return;
    }
    GetRingtone(FileFormat::RTTTL, ringtone.rtttl);
    std::string lost;
    for (const std::string& line : ringtone.nameChanges) lost += (lost.empty() ? "" : "\r\n") + line;
    for (const std::string& line : ReportLines(ringtone.report)) lost += (lost.empty() ? "" : "\r\n") + line;
    if (!lost.empty() && session_.Showing())
        services_.MsgBox(lost, MsgButtons::OkOnly, MsgIcon::Information, "Ringtone from a MIDI File");
}

}  // namespace tw

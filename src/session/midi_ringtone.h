#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ringtone_name.h"
#include "sound/midi_melody.h"

namespace tw {

// A ringtone made from one track of a MIDI file.
struct MidiRingtone {
    std::string rtttl;  // ready for RingtoneSession::Get and the RTTTL reader
    MidiMelodyReport report;
    // What the name had to have replaced to be a ringtone's name, one line
    // each (FitRingtoneName).
    std::vector<std::string> nameChanges;
};

// The ringtone's name: `given` when there is one, else the track's name,
// else the file's name without its extension, cut to what a list name may
// hold and then made fit for a ringtone (FitRingtoneName: a control
// character becomes a space, ":" becomes "-", ...), with what was replaced.
FittedName MidiRingtoneName(std::string_view given, std::string_view trackName, const std::filesystem::path& file);

// One track of `song` as a ringtone named by MidiRingtoneName. SoundError
// (BadMidiFile) as MelodyFromMidi.
MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file);

}  // namespace tw

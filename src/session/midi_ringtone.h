#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sound/midi_melody.h"

namespace tw {

// A ringtone made from one track of a MIDI file.
struct MidiRingtone {
    std::string rtttl;  // ready for RingtoneSession::Get and the RTTTL reader
    MidiMelodyReport report;
};

// The ringtone's name: `given` when there is one, else the track's name,
// else the file's name without its extension; control characters become
// spaces and the name is cut to what a list name may hold.
std::string MidiRingtoneName(std::string_view given, std::string_view trackName, const std::filesystem::path& file);

// One track of `song` as a ringtone named by MidiRingtoneName. SoundError
// (BadMidiFile) as MelodyFromMidi.
MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file);

}  // namespace tw

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ringtone_name.h"
#include "sound/midi_melody.h"

namespace tw {

// Where a ringtone made from a MIDI file got its name.
enum class MidiNameSource { Given, SongTitle, FileName, TrackName, None };

struct MidiName {
    std::string text;
    MidiNameSource source = MidiNameSource::None;
    // What the name had to have replaced to be a ringtone's name, one line
    // each (FitRingtoneName).
    std::vector<std::string> changes;
    bool operator==(const MidiName&) const = default;
};

// A ringtone made from one track of a MIDI file.
struct MidiRingtone {
    std::string rtttl;  // ready for RingtoneSession::Get and the RTTTL reader
    MidiMelodyReport report;
    MidiName name;
};

// The ringtone's name is the song's: `given` when there is one, else the
// song's title (SongTitle), else the file's name without its extension, and
// the melody track's name only when it is the only name there is ("MIDI"
// when there is none at all); cut to what a list name may hold and then made
// fit for a ringtone (FitRingtoneName: a control character becomes a space,
// ":" becomes "-", ...), with what was replaced.
MidiName MidiRingtoneName(std::string_view given, std::string_view songTitle, std::string_view trackName,
                          const std::filesystem::path& file);

// One track of `song` as a ringtone named by MidiRingtoneName. SoundError
// (BadMidiFile) as MelodyFromMidi.
MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file);

// What making the ringtone did, as sentences for a person, one a line: where
// its name came from and what in it was replaced, then ReportLines of the
// melody.
std::vector<std::string> ReportLines(const MidiRingtone& ringtone);

}  // namespace tw

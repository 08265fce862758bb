#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/size_limits.h"
#include "sound/midi_reader.h"

namespace tw {

// The longest name a melody's ringtone is given room for, and the room its
// notes have: a ringtone text of at most MaxRingtoneText with a header of
// such a name, the controls and the highest tempo ("NAME:d=4,o=5,b=1000000:").
inline constexpr std::size_t MaxMelodyNameBytes = 100;
inline constexpr std::size_t MaxMelodyNotesText =
    MaxRingtoneText - MaxMelodyNameBytes - std::string_view(":d=4,o=5,b=1000000:").size();

// A track as offered for choosing: its number (from 1), name and notes.
struct MidiTrackSummary {
    int number = 0;
    std::string name;
    std::size_t notes = 0;
};

// The tracks that hold notes, in file order.
std::vector<MidiTrackSummary> TracksWithNotes(const MidiSong& song);

// The song's title: in a format 1 file the name of the first track when it
// holds no notes (the conductor track; the other tracks are mostly named
// after their instruments), in a format 0 file the name of its one track;
// empty when there is none.
std::string SongTitle(const MidiSong& song);

struct MidiMelodyOptions {
    std::optional<int> track;  // from 1; the first track with notes when not given
    bool fit = false;          // move by whole octaves into the composer's octaves
};

// What making one line of a track lost or changed.
struct MidiMelodyReport {
    int track = 0;                      // the track read, from 1
    std::size_t chordNotesDropped = 0;  // notes never the highest sounding
    std::size_t shortNotesDropped = 0;  // notes shorter than a 32nd once put on the grid of 64ths
    std::size_t unplayableNotes = 0;    // keys below c0, which RTTTL cannot name
    double largestShiftMs = 0;          // the largest move of a start or end
    int octavesMoved = 0;               // by fitting: up when above 0
    MidiSkipped skipped;                // broken events outside the notes
};

struct MidiMelody {
    std::string trackName;
    int tempo = 120;    // beats a minute
    std::string notes;  // RTTTL notes, each with its length and octave
    MidiMelodyReport report;

    // The RTTTL ringtone of the melody under `name`, made fit for a ringtone
    // (FitRingtoneName), so that no track name can end the name early and
    // be read as the header ("Synth: B3 Lead" as tempo 3).
    std::string RTTTL(std::string_view name) const;
};

// One line of a track: at each moment the highest sounding note, its tempo
// the song's first (120 without one), every start and end put on the grid of
// 64ths of a whole note, a note then shorter than two 64ths (a 32nd) left
// out, and each note and gap written in the lengths RTTTL writes (1 to 32,
// dotted or not), with ties as several notes for other lengths. SoundError
// (BadMidiFile) when there are no notes or the track has none; (TextTooLong,
// with the size and the limit) when the notes would be longer than
// MaxMelodyNotesText, which is known before they are written.
MidiMelody MelodyFromMidi(const MidiSong& song, const MidiMelodyOptions& options);

// The report as sentences for a person, one a line; empty when nothing was
// lost.
std::vector<std::string> ReportLines(const MidiMelodyReport& report);

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One note of a track: its key (a4 = 69) and when it starts and ends, in
// ticks from the start of the song.
struct MidiNote {
    int key = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
};

// A track's name (as UTF-8) and its pitched notes in order of their start.
// Notes of the percussion channel (10) are left out: their keys name drums,
// not pitches.
struct MidiTrack {
    std::string name;
    std::vector<MidiNote> notes;
    std::int64_t endTick = 0;  // the time of the track's last event
};

struct MidiSong {
    int format = 0;
    std::vector<MidiTrack> tracks;
    double ticksPerQuarter = 480;
    // Beats a minute of the earliest tempo event, if the file has one.
    std::optional<double> tempo;
};

// Whether the bytes begin as a Standard MIDI File does ("MThd"), with or
// without the RIFF wrapping of .rmi files.
bool LooksLikeMidi(std::string_view bytes);

// Reads a Standard MIDI File of format 0 or 1. Every count and length in
// the file is checked against the bytes that are there, so the work and
// memory stay in proportion to the file. SoundError (BadMidiFile) saying
// what is wrong: not a MIDI file, format 2, truncated, broken events, or
// larger than MaxMidiFile.
MidiSong ReadMidi(std::string_view bytes);

}  // namespace tw

#pragma once

#include <cstddef>
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

// Events broken outside the notes, skipped while reading, by kind.
struct MidiSkipped {
    std::size_t controller = 0;       // a value above 127
    std::size_t program = 0;          // a program above 127
    std::size_t pressure = 0;         // key or channel pressure above 127
    std::size_t pitchBend = 0;        // a bend byte above 127
    std::size_t meta = 0;             // a length past the end of its track
    std::size_t systemExclusive = 0;  // the same
    bool operator==(const MidiSkipped&) const = default;
};

struct MidiSong {
    int format = 0;
    std::vector<MidiTrack> tracks;
    double ticksPerQuarter = 480;
    // Beats a minute of the earliest tempo event, if the file has one.
    std::optional<double> tempo;
    MidiSkipped skipped;
};

// Whether the bytes begin as a Standard MIDI File does ("MThd"), with or
// without the RIFF wrapping of .rmi files.
bool LooksLikeMidi(std::string_view bytes);

// Reads a Standard MIDI File of format 0 or 1. Every count and length in
// the file is checked against the bytes that are there, so the work and
// memory stay in proportion to the file. Where no note is at stake, a broken
// event is skipped and counted in `skipped`, as other readers do in their
// lenient modes: a controller, program, pressure or pitch-bend event with a
// data byte above 127; a meta or system-exclusive event whose length is
// broken (more than four bytes, or past the end of a track chunk that is
// itself sound), which ends its track when nothing after it in the chunk
// could start a note event. SoundError (BadMidiFile) saying what is wrong
// with anything else: not a MIDI file, format 2, a broken header or chunk
// length, truncated, a broken note event, or larger than MaxMidiFile.
MidiSong ReadMidi(std::string_view bytes);

}  // namespace tw

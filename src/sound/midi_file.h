#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

// Ticks of a quarter note in the MIDI files written.
inline constexpr int MidiTicksPerQuarter = 480;
// The instrument every note plays: General MIDI's square-wave lead (program
// 81, numbered from 1), the nearest to a phone's buzzer.
inline constexpr std::uint8_t MidiSquareLead = 80;

// MIDI key of a pitch in hertz: a4 = 440 Hz = 69, to the nearest semitone.
int MidiKey(double frequency);

// The ringtone as a Standard MIDI File, format 0: one track named after the
// ringtone, its tempo as the tempo event (a quarter note a beat), the square
// lead, and each note at its pitch for its exact length in ticks (dotted
// notes and pauses included). A note beyond the 128 keys is written as many
// octaves nearer as it takes, and a tempo that a tempo event cannot hold so
// that it reads back the same is written as the nearest that does; each is
// added to `problems` ("note 9, b9: above the keys of a MIDI file, written an
// octave lower"). SoundError (BadTempo, BadNote) when the tempo or a note
// cannot be written, NoMelody when no note with a pitch lasts a 32nd or
// more: a MIDI file without one holds no melody to read; (TooLong,
// TextTooLong, with the size and the limit) when from-midi would refuse the
// file as too large.
std::vector<std::uint8_t> WriteMidi(const CNotes& ringtone, std::vector<std::string>& problems);
// The same, for callers that want the bytes alone.
std::vector<std::uint8_t> WriteMidi(const CNotes& ringtone);

}  // namespace tw

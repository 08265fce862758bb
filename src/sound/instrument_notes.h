#pragma once

#include <cstdint>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

// One note of a ringtone as an instrument plays it: its MIDI key and the
// samples it starts and stops at.
struct InstrumentNote {
    int key = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;

    bool operator==(const InstrumentNote&) const = default;
};

// A ringtone's notes for an instrument, and the samples the whole ringtone
// lasts, its pauses included.
struct InstrumentPlan {
    std::vector<InstrumentNote> notes;
    std::int64_t length = 0;
};

// Times the ringtone's notes at `sampleRate` as the beep does (a whole note
// lasts 240 / tempo seconds, pauses included), each note starting at the
// sample nearest its exact time, so that nothing drifts over a long
// ringtone. A key is the note's pitch to the nearest semitone (a4 = 440 Hz
// = 69), moved by whole octaves into the 128 keys when it lies beyond them.
// Throws SoundError as the beep's planning does: BadTempo, BadNote naming
// the note, TooLong past one hour.
InstrumentPlan PlanInstrumentNotes(const CNotes& ringtone, int sampleRate);

}  // namespace tw

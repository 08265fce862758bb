#pragma once

#include <cstdint>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

// The rate the beep is planned at (PlanSound): the highest the plan takes,
// so that only pitches above 16 kHz are silence and a note refused is one
// too short to sound even there.
inline constexpr std::int16_t BeepPlanRate = 32000;

// The classic beep of the WAV (a pure sine of whole periods, then a short
// silence) rendered at `sampleRate` at the notes' true pitch: a tone's
// period need not be a whole number of samples. Every note starts at its
// exact time from the start, a tone sounding for the whole periods that fit
// in its length less the gap after it (at least one). Mono samples with a
// peak of 1. Throws SoundError for a ringtone the WAV refuses.
std::vector<float> RenderBeep(const CNotes& ringtone, int sampleRate);

}  // namespace tw

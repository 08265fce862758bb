#pragma once

#include <vector>

#include "engine/cnotes.h"

namespace tw {

// The classic beep of the WAV (a pure sine of whole periods, then a short
// silence) rendered at `sampleRate` at the notes' true pitch: a tone's
// period need not be a whole number of samples. Every note starts at its
// exact time from the start, a tone sounding for the whole periods that fit
// in its length less the gap after it (at least one). Mono samples with a
// peak of 1. Throws SoundError for a ringtone the WAV refuses.
std::vector<float> RenderBeep(const CNotes& ringtone, int sampleRate);

}  // namespace tw

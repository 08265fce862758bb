#pragma once

#include <vector>

#include "engine/cnotes.h"
#include "sound/voice.h"

namespace tw {

// The ringtone in `voice` at `sampleRate`: mono samples in [-1, 1], every
// note at its true pitch and time. The beep is RenderBeep's; an instrument
// is RenderInstrument's. Throws SoundError as they do.
std::vector<float> RenderVoice(const CNotes& ringtone, const Voice& voice, int sampleRate);

// The length of the ringtone's notes and pauses in seconds, as every voice
// times them (an instrument may ring on after them). Throws SoundError as
// the beep's rendering does.
double MelodySeconds(const CNotes& ringtone);

}  // namespace tw

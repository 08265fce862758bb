#include "sound/voice_render.h"

#include "sound/beep_voice.h"
#include "sound/instrument_voice.h"

namespace tw {

std::vector<float> RenderVoice(const CNotes& ringtone, const Voice& voice, int sampleRate) {
    if (!voice.program) return RenderBeep(ringtone, sampleRate);
    return RenderInstrument(ringtone, *voice.program, sampleRate);
}

}  // namespace tw

#include "sound/voice_render.h"

#include "sound/beep_voice.h"
#include "sound/instrument_voice.h"
#include "sound/render.h"

namespace tw {

std::vector<float> RenderVoice(const CNotes& ringtone, const Voice& voice, int sampleRate) {
    if (!voice.program) return RenderBeep(ringtone, sampleRate);
    return RenderInstrument(ringtone, *voice.program, sampleRate);
}

double MelodySeconds(const CNotes& ringtone) {
    double seconds = 0.0;
    for (const SoundPart& part : PlanSound(ringtone, BeepPlanRate).parts) seconds += part.seconds;
    return seconds;
}

}  // namespace tw

#include "sound/voice_render.h"

#include "sound/beep_voice.h"
#include "sound/sound_error.h"

namespace tw {

std::vector<float> RenderVoice(const CNotes& ringtone, const Voice& voice, int sampleRate) {
    if (!voice.program) return RenderBeep(ringtone, sampleRate);
    throw SoundError(SoundError::Reason::MissingLibrary, "instrument voices are not built yet");
}

}  // namespace tw

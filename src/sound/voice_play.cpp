#include "sound/voice_play.h"

#include "sound/instrument_voice.h"
#include "sound/pcm_wave.h"
#include "sound/phone_ringtone.h"
#include "sound/render.h"

namespace tw {

std::vector<double> VoiceNoteStartSeconds(const CNotes& ringtone, const Voice& voice) {
    std::vector<double> starts = NoteStartSeconds(ringtone);
    if (voice.program)
        for (double& start : starts) start += LeadInSeconds;
    return starts;
}

std::vector<std::uint8_t> VoiceWaveImage(const CNotes& ringtone, const Voice& voice) {
    if (!voice.program) return RenderWave(ringtone);
    const std::vector<float> melody = RenderInstrument(ringtone, *voice.program, InstrumentPlayRate);
    return PcmWaveImage(ArrangePlays(melody, 1, melody.size(), InstrumentPlayRate), InstrumentPlayRate);
}

void PlayVoice(const CNotes& ringtone, const Voice& voice, Player& player) {
    if (!voice.program) {
        PlayWave(ringtone, player);
        return;
    }
    const std::vector<std::uint8_t> image = VoiceWaveImage(ringtone, voice);
    player.Stop();
    player.PlayImage(image);
}

}  // namespace tw

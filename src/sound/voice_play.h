#pragma once

#include <cstdint>
#include <vector>

#include "engine/cnotes.h"
#include "sound/player.h"
#include "sound/voice.h"

namespace tw {

// The sample rate an instrument voice is played at.
inline constexpr int InstrumentPlayRate = 44'100;

// The WAV image that Play plays in `voice`: for the beep the WAV file's own
// image (RenderWave); for an instrument one play of the melody as a phone
// file holds it (after the file's short lead-in, faded in and out, its
// loudest sample at -1 dBFS), 16-bit at 44.1 kHz. Throws SoundError as the voice's rendering does.
std::vector<std::uint8_t> VoiceWaveImage(const CNotes& ringtone, const Voice& voice);

// Where each note starts in the image VoiceWaveImage makes, in seconds, and
// last where the melody ends (NoteStartSeconds, after an instrument's
// lead-in). Throws as PlanSound does.
std::vector<double> VoiceNoteStartSeconds(const CNotes& ringtone, const Voice& voice);

// Plays the ringtone in `voice` on `player` and returns when it has ended.
// The beep plays exactly as PlayWave plays it; an instrument is rendered
// first, then the player is stopped and given its image. A failure to
// render throws SoundError before anything is played.
void PlayVoice(const CNotes& ringtone, const Voice& voice, Player& player);

}  // namespace tw

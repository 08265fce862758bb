#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"
#include "sound/player.h"

namespace tw {

// One piece of a ringtone's sound: a tone, or a silence when `frequency` is 0.
struct SoundPart {
    double frequency = 0.0;
    double seconds = 0.0;
};

// A ringtone's sound worked out before any sample is made.
struct SoundPlan {
    std::int16_t tempo = 0;
    std::vector<SoundPart> parts;
    std::int64_t totalSamples = 1;  // with the silent start sample
};

// Times every note of the ringtone: a tone or pause lasts (240 / tempo) times
// its length in whole notes. Throws SoundError when the tempo is not a 16-bit
// number above 0, when a note has no usable pitch or length or is too short
// to sound (the text names the note), and "the sound is too long" past one
// hour of sound.
SoundPlan PlanSound(const CNotes& ringtone, std::int16_t sampleRate);

// Where each note of the ringtone starts in the sound RenderWave makes, in
// seconds from the sound's start, and last where the sound ends: one more
// entry than the ringtone has notes. Throws as PlanSound does.
std::vector<double> NoteStartSeconds(const CNotes& ringtone);

// Renders the ringtone with a new synthesiser, plays it on `player` and
// returns when it has ended. A failure throws SoundError before anything is
// played.
void PlayWave(const CNotes& ringtone, Player& player);

// Renders the ringtone with a new synthesiser (which first silences `player`)
// and writes it to `fileName`, replacing the file whole. A render failure
// throws SoundError before anything is written.
void SaveWave(const CNotes& ringtone, const std::string& fileName, Player& player);

// The tempo a ringtone's text gives, from 1 to 32767; SoundError (BadTempo)
// naming what is wrong with any other.
std::int16_t SoundTempo(const std::string& text);

// The WAV image that WAV plays or saves.
std::vector<std::uint8_t> RenderWave(const CNotes& ringtone);

}  // namespace tw

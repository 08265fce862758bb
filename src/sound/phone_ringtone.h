#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "engine/cnotes.h"
#include "sound/audio_encoder.h"
#include "sound/phone_file.h"
#include "sound/voice.h"

namespace tw {

// The sound of every phone ringtone file.
inline constexpr int PhoneSampleRate = 44'100;
// The length the plays of a melody add up to when their number is not given.
inline constexpr double AimedPhoneSeconds = 25.0;
// The longest phone file written at all, whatever the phone takes.
inline constexpr double LongestPhoneSeconds = 600.0;
// The silence every file starts with: AAC's first frame rings far past the
// peak when the sound starts in it.
inline constexpr double LeadInSeconds = 0.025;
// Each play of the melody fades in and out over these, so that nothing clicks.
inline constexpr double FadeInSeconds = 0.010;
inline constexpr double FadeOutSeconds = 0.050;
// The loudest sample of a file, in dB below full scale.
inline constexpr double PeakDbfs = -1.0;
// The loudest the sound decoded from a file may be: a lossy codec rings past
// the samples' peak at the sharp edges of a tone, and a phone clips a sound
// decoded past full scale.
inline constexpr double DecodedPeakDbfs = -0.5;
// How many times a file is encoded at most to bring its decoded sound down.
inline constexpr int MostEncodings = 4;
inline constexpr int DefaultGapMilliseconds = 1000;
inline constexpr int LongestGapMilliseconds = 60'000;
inline constexpr int MostPlays = 100;

// How a phone ringtone file is made.
struct PhoneRingtoneOptions {
    PhoneFile kind = PhoneFile::Ogg;
    Voice voice;
    // How many times the melody plays, 1 to MostPlays; nothing: as many as
    // come nearest AimedPhoneSeconds within what the phone takes.
    std::optional<int> plays;
    int gapMilliseconds = DefaultGapMilliseconds;  // silence between plays
};

// How many times the melody plays, the plays starting `periodSeconds` apart
// (the notes' length and the gap) and each sounding for `soundSeconds`:
// `plays` when given, else the count that makes the file's length nearest
// AimedPhoneSeconds (at least one), fewer while that is longer than
// `longestSeconds` (0: no limit).
int PhonePlays(double periodSeconds, double soundSeconds, std::optional<int> plays, double longestSeconds);

// The file's samples: LeadInSeconds of silence, then `melody` played `plays`
// times, each `period` samples after the one before (a play longer than that
// sounds together with the next), each play faded in and out, the whole
// scaled so that its loudest sample is at PeakDbfs (a silent melody stays
// silent).
std::vector<float> ArrangePlays(std::span<const float> melody, int plays, std::size_t period, int sampleRate);

// `samples` encoded by `encode`; while the sound decoded from the file is
// louder than DecodedPeakDbfs, the samples are scaled so that it peaks at
// PeakDbfs and encoded again, MostEncodings times in all at most.
EncodedSound EncodeWithHeadroom(std::vector<float> samples,
                                const std::function<EncodedSound(std::span<const float>)>& encode);

// A phone file made, with what it holds.
struct PhoneRingtone {
    std::vector<std::uint8_t> bytes;
    int plays = 0;
    double seconds = 0.0;
};

// The ringtone rendered in the voice, arranged and encoded as the kind's
// file, the ringtone's name in its title tag (in UTF-8, a Latin-1 name
// read as such). Throws SoundError: as the
// voice's rendering does, TooLong when the file would be longer than the
// phone takes (the text gives the length and the limit) or than
// LongestPhoneSeconds, and as the encoder does.
PhoneRingtone MakePhoneRingtone(const CNotes& ringtone, const PhoneRingtoneOptions& options,
                                const AudioEncoder& encoder);

}  // namespace tw

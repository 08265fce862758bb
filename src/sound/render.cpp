#include "sound/render.h"

#include <limits>
#include <optional>

#include "engine/format_tempo.h"
#include "engine/text_rules.h"
#include "sound/cwave.h"
#include "sound/note_sound.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

using Reason = SoundError::Reason;

// Samples of one note with the gap after a tone; failures name the note.
std::int64_t NoteSamples(const SoundPart& part, std::int16_t sampleRate, std::size_t position) {
    try {
        if (part.frequency == 0.0) return PauseSampleCount(part.seconds, sampleRate);
        return ToneSampleCount(part.frequency, part.seconds, sampleRate) + PauseSampleCount(ToneGapSeconds, sampleRate);
    } catch (const SoundError& e) {
        if (e.reason() == Reason::TooLong) throw;
        throw SoundError(e.reason(), "note " + std::to_string(position) + ": " + e.what());
    }
}

void Synthesise(const CNotes& ringtone, CWave& wave) {
    const SoundPlan plan = PlanSound(ringtone, wave.SampleRate());
    wave.SetTempo(plan.tempo);
    wave.Start();
    wave.Reserve(plan.totalSamples);
    for (const SoundPart& part : plan.parts) {
        if (part.frequency == 0.0) wave.AddPause(part.seconds);
        else wave.AddNote(part.frequency, part.seconds);
    }
}

}  // namespace

std::int16_t SoundTempo(const std::string& text) {
    const std::optional<std::int64_t> tempo = ReadTempo(text);
    if (!tempo) throw SoundError(Reason::BadTempo, "the tempo '" + text + "' is not a number");
    if (*tempo < std::numeric_limits<std::int16_t>::min() || *tempo > std::numeric_limits<std::int16_t>::max())
        throw SoundError(Reason::BadTempo, "the tempo " + text + " is out of range");
    if (*tempo <= 0) throw SoundError(Reason::BadTempo, "the tempo must be above 0, not " + text);
    return static_cast<std::int16_t>(*tempo);
}

SoundPlan PlanSound(const CNotes& ringtone, std::int16_t sampleRate) {
    SoundPlan plan;
    plan.tempo = SoundTempo(ringtone.Tempo());
    const double wholeNote = 240.0 / plan.tempo;
    plan.parts.reserve(ringtone.Notes().size());
    for (const CNote& note : ringtone) {
        const std::size_t position = plan.parts.size() + 1;
        const NoteSound sound = SoundOfNote(note, position);
        SoundPart part{sound.frequency, wholeNote * sound.wholeNotes};
        // A pitch above half the sample rate would sound as another, lower
        // one; it is silence of its length instead.
        if (part.frequency > sampleRate / 2.0) part.frequency = 0.0;
        plan.totalSamples += NoteSamples(part, sampleRate, position);
        if (plan.totalSamples > MaxSoundSamples) throw SoundError(Reason::TooLong, "the sound is too long");
        plan.parts.push_back(part);
    }
    return plan;
}

std::vector<double> NoteStartSeconds(const CNotes& ringtone) {
    NullPlayer silent;
    const std::int16_t sampleRate = CWave(silent).SampleRate();
    const SoundPlan plan = PlanSound(ringtone, sampleRate);
    std::vector<double> starts;
    starts.reserve(plan.parts.size() + 1);
    std::int64_t samples = 1;  // the silent start sample
    for (std::size_t i = 0; i < plan.parts.size(); ++i) {
        starts.push_back(static_cast<double>(samples) / sampleRate);
        samples += NoteSamples(plan.parts[i], sampleRate, i + 1);
    }
    starts.push_back(static_cast<double>(samples) / sampleRate);
    return starts;
}

void PlayWave(const CNotes& ringtone, Player& player) {
    CWave wave(player);
    Synthesise(ringtone, wave);
    wave.Play();
}

void SaveWave(const CNotes& ringtone, const std::string& fileName, Player& player) {
    CWave wave(player);
    wave.SetFilename(fileName);
    Synthesise(ringtone, wave);
    wave.Save();
}

std::vector<std::uint8_t> RenderWave(const CNotes& ringtone) {
    NullPlayer silent;
    CWave wave(silent);
    Synthesise(ringtone, wave);
    return wave.WaveImage();
}

}  // namespace tw

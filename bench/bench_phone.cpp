// A phone ringtone of 30 s made step by step: the melody rendered in the
// beep and in an instrument voice, the plays arranged, and the sound encoded
// as Ogg Vorbis and as AAC in MPEG-4. The whole, render to file image, is to
// take under a second.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/cnotes.h"
#include "engine/ringtone_text.h"
#include "sound/audio_encoder.h"
#include "sound/phone_ringtone.h"
#include "sound/voice_render.h"

namespace {

// 30 s of melody: 160 eighth notes at 160 beats a minute.
tw::CNotes ThirtySeconds() {
    std::string text = "Thirty:d=8,o=5,b=160:";
    const char* const notes[] = {"c", "e", "g", "c6", "a", "f", "d", "b4"};
    for (int i = 0; i < 160; ++i) text += std::string(i ? "," : "") + notes[i % 8];
    tw::CNotes ringtone;
    tw::ReadGivenRingtone(ringtone, tw::Notation::RTTTL, text);
    return ringtone;
}

void Render(benchmark::State& state, tw::Voice voice) {
    const tw::CNotes ringtone = ThirtySeconds();
    for (auto _ : state) benchmark::DoNotOptimize(tw::RenderVoice(ringtone, voice, tw::PhoneSampleRate));
}

void Arrange(benchmark::State& state) {
    const std::vector<float> melody = tw::RenderVoice(ThirtySeconds(), {}, tw::PhoneSampleRate);
    for (auto _ : state) benchmark::DoNotOptimize(tw::ArrangePlays(melody, 1, melody.size(), tw::PhoneSampleRate));
}

void Encode(benchmark::State& state, tw::PhoneFile kind) {
    const tw::AudioEncoder encoder;
    const std::vector<float> samples =
        tw::ArrangePlays(tw::RenderVoice(ThirtySeconds(), {}, tw::PhoneSampleRate), 1, 0, tw::PhoneSampleRate);
    for (auto _ : state) benchmark::DoNotOptimize(encoder.Encode(samples, tw::PhoneSampleRate, kind, "Thirty"));
}

// All of it, FFmpeg loaded once as a batch loads it.
void Whole(benchmark::State& state, tw::PhoneFile kind, tw::Voice voice) {
    const tw::AudioEncoder encoder;
    const tw::CNotes ringtone = ThirtySeconds();
    const tw::PhoneRingtoneOptions options{kind, voice, 1};
    for (auto _ : state) benchmark::DoNotOptimize(tw::MakePhoneRingtone(ringtone, options, encoder));
}

void LoadFfmpeg(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tw::AudioEncoder());
}

BENCHMARK_CAPTURE(Render, Beep, tw::Voice{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Render, Marimba, tw::Voice{12})->Unit(benchmark::kMillisecond);
BENCHMARK(Arrange)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, Ogg, tw::PhoneFile::Ogg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, M4r, tw::PhoneFile::M4r)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Whole, OggBeep, tw::PhoneFile::Ogg, tw::Voice{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Whole, M4rBeep, tw::PhoneFile::M4r, tw::Voice{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Whole, M4rMarimba, tw::PhoneFile::M4r, tw::Voice{12})->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFfmpeg)->Unit(benchmark::kMillisecond);

}  // namespace

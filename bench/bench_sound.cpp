// Rendering a ringtone to its WAV image: a 50-note ringtone, the size the
// handset takes, and a 1000-note one. Reports samples made per second and how
// many times faster than real time (8000 samples per second) that is. Then
// MIDI files written and read.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "engine/cnotes.h"
#include "sound/midi_file.h"
#include "sound/midi_melody.h"
#include "sound/render.h"
#include "support/midi_bytes.h"

namespace {

tw::CNotes Ringtone(std::size_t count) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(",");
    ringtone.SetFull_RTTTL(tw::bench::BenchRtttl(count));
    return ringtone;
}

void RenderRingtone(benchmark::State& state, std::size_t notes) {
    const tw::CNotes ringtone = Ringtone(notes);
    const double samples = static_cast<double>((tw::RenderWave(ringtone).size() - 44) / 2);
    for (auto _ : state) benchmark::DoNotOptimize(tw::RenderWave(ringtone));
    state.counters["samples"] = samples;
    state.counters["samples_per_second"] = benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_real_time"] = benchmark::Counter(samples / 8000.0, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK_CAPTURE(RenderRingtone, Notes50, 50)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderRingtone, Notes1000, 1000)->Unit(benchmark::kMillisecond);

}  // namespace

// MIDI both ways: a ringtone of `notes` written as a MIDI file, and a song of
// four tracks with chords (three keys at once) made into one line again.
void WriteMidiFile(benchmark::State& state, std::size_t notes) {
    const tw::CNotes ringtone = Ringtone(notes);
    for (auto _ : state) benchmark::DoNotOptimize(tw::WriteMidi(ringtone));
}

std::string ChordSong(std::size_t chords) {
    using namespace tw::test::midi;
    std::string chordTrack;
    for (std::size_t i = 0; i < chords; ++i) {
        const int root = 48 + static_cast<int>(i % 24);
        chordTrack += On(0, root) + On(0, root + 4) + On(0, root + 7) + Off(230, root) + Off(0, root + 4) +
                      Off(0, root + 7) + Event(10, {0xB0, 7, 100});
    }
    return File(
        1, {Name("Song") + Tempo(0, 500'000), Name("A") + chordTrack, Name("B") + chordTrack, Name("C") + chordTrack});
}

void ReadMidiSong(benchmark::State& state, std::size_t chords) {
    const std::string song = ChordSong(chords);
    for (auto _ : state) benchmark::DoNotOptimize(tw::MelodyFromMidi(tw::ReadMidi(song), {}));
    state.counters["file_bytes"] = static_cast<double>(song.size());
    state.counters["notes_per_second"] =
        benchmark::Counter(static_cast<double>(chords * 9), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK_CAPTURE(WriteMidiFile, Notes1000, 1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadMidiSong, Chords1000, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadMidiSong, Chords100000, 100'000)->Unit(benchmark::kMillisecond);

// Reading and writing ringtones in each notation: a 50-note ringtone, the
// size the handset takes, and a 1 MB text, the largest the program reads.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "engine/cnotes.h"
#include "engine/ringtone_text.h"

namespace {

// The same ringtone in the notation to be read, made by the engine itself.
std::string RingtoneIn(tw::Notation notation, std::size_t notes) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(",");
    ringtone.SetFull_RTTTL(tw::bench::BenchRtttl(notes));
    return ringtone.Full(notation);
}

void ReadAndWrite(benchmark::State& state, tw::Notation notation, std::size_t notes) {
    const std::string text = RingtoneIn(notation, notes);
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    for (auto _ : state) {
        ringtone.SetFull(notation, text);
        benchmark::DoNotOptimize(ringtone.Full(notation));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * notes));
    state.SetLabel("notes");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Rtttl50(benchmark::State& s) { ReadAndWrite(s, tw::Notation::RTTTL, 50); }
void BM_Composer50(benchmark::State& s) { ReadAndWrite(s, tw::Notation::Composer, 50); }
void BM_Keypresses50(benchmark::State& s) { ReadAndWrite(s, tw::Notation::Keypresses, 50); }

// About 1 MB of RTTTL: roughly 220,000 notes.
void BM_Rtttl1MB(benchmark::State& s) { ReadAndWrite(s, tw::Notation::RTTTL, 220000); }

void BM_KeypressPreparation1MB(benchmark::State& state) {
    std::string keys = "Bench:Tempo=125:";
    while (keys.size() < 1000000) keys += "(hold 1)*# 08 2 ";
    for (auto _ : state) benchmark::DoNotOptimize(tw::PrepareKeypresses(keys));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * keys.size()));
}

}  // namespace

BENCHMARK(BM_Rtttl50);
BENCHMARK(BM_Composer50);
BENCHMARK(BM_Keypresses50);
BENCHMARK(BM_Rtttl1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeypressPreparation1MB)->Unit(benchmark::kMillisecond);

// Reading and writing ringtones in each notation: a 50-note ringtone, the
// size the handset takes, a 1 MB text, the largest the program reads, and a
// collection of many small ringtones read one after another.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// Bytes read a second, in binary units (bytes_per_second), and in decimal
// megabytes a second (MB) as the README gives them.
void CountBytes(benchmark::State& state, std::size_t bytes) {
    const auto total = static_cast<std::int64_t>(state.iterations() * bytes);
    state.SetBytesProcessed(total);
    state.counters["MB"] = benchmark::Counter(static_cast<double>(total) / 1e6, benchmark::Counter::kIsRate);
}

// The 900 KB RTTTL text that bench/compare-peer.sh gives the programs:
// 187,000 notes separated by a comma and a space.
std::string Rtttl900KB() { return tw::bench::BenchRtttl(187000, ", "); }

// The text converted to the composer notation, as `convert` does.
void BM_RtttlToComposer900KB(benchmark::State& state) {
    const std::string text = Rtttl900KB();
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    for (auto _ : state) {
        ringtone.SetFull_RTTTL(text);
        benchmark::DoNotOptimize(ringtone.Full_Composer());
    }
    CountBytes(state, text.size());
}

// The same text read and written as keypresses, and only read: the engine
// alone, without the process around it.
void BM_RtttlToKeypresses900KB(benchmark::State& state) {
    const std::string text = Rtttl900KB();
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    for (auto _ : state) {
        ringtone.SetFull_RTTTL(text);
        benchmark::DoNotOptimize(ringtone.Full_Keypresses());
    }
    CountBytes(state, text.size());
}

void BM_RtttlRead900KB(benchmark::State& state) {
    const std::string text = Rtttl900KB();
    tw::CNotes ringtone;
    for (auto _ : state) {
        ringtone.SetFull_RTTTL(text);
        benchmark::DoNotOptimize(ringtone.Count());
    }
    CountBytes(state, text.size());
}

// 10,000 ringtones of about 100 bytes, each read and written as composer
// text, into one ringtone object or into a new one each.
std::vector<std::string> SmallRingtones() {
    std::vector<std::string> texts;
    texts.reserve(10000);
    for (std::size_t i = 0; i < 10000; ++i) texts.push_back(tw::bench::BenchRtttl(18 + i % 5));
    return texts;
}

void BM_SmallRingtones10kReused(benchmark::State& state) {
    const std::vector<std::string> texts = SmallRingtones();
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    for (auto _ : state)
        for (const std::string& text : texts) {
            ringtone.SetFull_RTTTL(text);
            benchmark::DoNotOptimize(ringtone.Full_Composer());
        }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
    state.SetLabel("ringtones");
}

void BM_SmallRingtones10kFresh(benchmark::State& state) {
    const std::vector<std::string> texts = SmallRingtones();
    for (auto _ : state)
        for (const std::string& text : texts) {
            tw::CNotes ringtone;
            ringtone.SetOutputSeparator(", ");
            ringtone.SetFull_RTTTL(text);
            benchmark::DoNotOptimize(ringtone.Full_Composer());
        }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
    state.SetLabel("ringtones");
}

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
BENCHMARK(BM_RtttlToComposer900KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtttlToKeypresses900KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtttlRead900KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallRingtones10kReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallRingtones10kFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeypressPreparation1MB)->Unit(benchmark::kMillisecond);

// Rendering a ringtone to its WAV image: a 50-note ringtone, the size the
// handset takes, and a 1000-note one. Reports samples made per second and how
// many times faster than real time (8000 samples per second) that is.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "engine/cnotes.h"
#include "sound/render.h"

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

#pragma once

// What the benchmarks share: one ringtone text of any length, and the
// tests' temporary folder, removed with all it holds at exit.
#include <string>

#include "support/temp_files.h"

namespace tw::bench {

// A ringtone named Bench at tempo 125 with `count` notes cycling through
// dotted notes, sharps, pauses and every duration, as RTTTL, the notes
// separated by `separator`.
inline std::string BenchRtttl(std::size_t count, const char* separator = ",") {
    static const char* const cycle[] = {"8c#.6", "4p", "16g", "2a#7", "8e.", "c", "32f6", "8p.", "4d#", "b"};
    std::string text = "Bench:d=4,o=5,b=125:";
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += separator;
        text += cycle[i % std::size(cycle)];
    }
    return text;
}

}  // namespace tw::bench

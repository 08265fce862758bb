#pragma once

// What the benchmarks share: one ringtone text of any length, and a scratch
// folder that is removed at exit.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tw::bench {

// A ringtone named Bench at tempo 125 with `count` notes cycling through
// dotted notes, sharps, pauses and every duration, as RTTTL.
inline std::string BenchRtttl(std::size_t count) {
    static const char* const cycle[] = {"8c#.6", "4p", "16g", "2a#7", "8e.", "c", "32f6", "8p.", "4d#", "b"};
    std::string text = "Bench:d=4,o=5,b=125:";
    for (std::size_t i = 0; i < count; ++i) {
        if (i) text += ",";
        text += cycle[i % std::size(cycle)];
    }
    return text;
}

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace tw::bench

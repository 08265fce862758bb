#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_files.h"

// FFmpeg's own programs as the independent reader of the phone files:
// ffprobe for what a file says it is, ffmpeg for its sound.
namespace tw::test {

// Whether ffprobe and ffmpeg are on the PATH (scripts/install-deps installs
// them).
inline bool HaveFfmpegTools() {
    return std::system("command -v ffprobe >/dev/null 2>&1 && command -v ffmpeg >/dev/null 2>&1") == 0;
}

// What ffprobe says of a file: the container's and its one stream's fields
// ("format_name", "duration", "codec_name", "profile", "sample_rate",
// "channels") and tags ("TAG:title", "TAG:major_brand"), the stream's
// fields last.
inline std::map<std::string, std::string> Probe(const std::filesystem::path& file) {
    const std::filesystem::path report = file.string() + ".probe";
    const std::string command =
        "ffprobe -v error -show_entries "
        "format=format_name,duration:format_tags:stream=codec_name,profile,sample_rate,channels,duration:stream_tags "
        "-of default=nw=1 '" +
        file.string() + "' > '" + report.string() + "'";
    std::map<std::string, std::string> fields;
    if (std::system(command.c_str()) != 0) return fields;
    std::istringstream lines(ReadBytes(report));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        // Tags keep the case ffprobe gives them; the title is looked up as
        // "TAG:title" whatever case the container writes it in.
        if (key.rfind("TAG:", 0) == 0 && strcasecmp(key.c_str() + 4, "title") == 0) key = "TAG:title";
        fields[key] = line.substr(equals + 1);
    }
    return fields;
}

// The file's sound as ffmpeg decodes it: mono 32-bit float samples at
// `rate`; empty when ffmpeg cannot read it.
inline std::vector<float> DecodeToPcm(const std::filesystem::path& file, int rate) {
    const std::filesystem::path raw = file.string() + ".f32";
    const std::string command = "ffmpeg -v error -y -i '" + file.string() + "' -f f32le -ac 1 -ar " +
                                std::to_string(rate) + " '" + raw.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    const std::string bytes = ReadBytes(raw);
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

}  // namespace tw::test

#pragma once

// Ringtones published by others, gathered beside the project (../shared) to
// try the program on; they are not ours to ship, so the project holds none of
// them. Tests that use them skip when the folder is not there:
//
//     const auto sample = tw::test::PublishedSample();
//     if (!sample) GTEST_SKIP() << tw::test::kNoPublishedSample;

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tw::test {

struct PublishedRingtone {
    std::string source;  // the collection it was taken from
    std::string text;    // with its line breaks
};

inline constexpr const char* kNoPublishedSample =
    "the published sample (../shared/realworld-sample.tsv) is not present";

// The folder that holds the published samples: TW_SHARED_DIR as the build set it.
inline std::filesystem::path PublishedFolder() { return TW_SHARED_DIR; }

// One ringtone a line after a line of column names: the collection, a tab,
// and the text with "\n" and "\r" standing for its line breaks. Nothing when
// the file is not there.
inline std::optional<std::vector<PublishedRingtone>> PublishedSample() {
    std::ifstream file(PublishedFolder() / "realworld-sample.tsv", std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<PublishedRingtone> sample;
    std::string line;
    std::getline(file, line);  // the column names
    while (std::getline(file, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string text;
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 'r')) {
                text += line[++i] == 'n' ? '\n' : '\r';
            } else {
                text += line[i];
            }
        }
        sample.push_back({line.substr(0, tab), std::move(text)});
    }
    return sample;
}

}  // namespace tw::test

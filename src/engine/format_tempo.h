#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A tempo text read as beats a minute: the number it holds, rounded as every
// number of a ringtone is (halves to the even one), or nothing when it holds
// no number. Each use keeps to the range it can hold.
std::optional<std::int64_t> ReadTempo(std::string_view tempo);

// A tempo text as a whole number of beats a minute, when it is one that a
// 32-bit number holds.
std::optional<std::int32_t> TempoNumber(std::string_view tempo);

// The tempo a file format writes for `tempo`: the nearest within `lowest`
// to `highest`, with a report in `problems` when it had to change (`range`
// names the range: "iMelody's 25 to 900"), or 120 for a tempo that is no
// number, reported as written as `unreadWritten` ("BEAT:120").
std::int32_t FormatTempo(std::string_view tempo, std::int32_t lowest, std::int32_t highest, std::string_view range,
                         std::string_view unreadWritten, std::vector<std::string>& problems);

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw {

// A tempo text read as beats a minute: the number it holds, rounded as every
// number of a ringtone is (halves to the even one), or nothing when it holds
// no number. Each use keeps to the range it can hold.
std::optional<std::int64_t> ReadTempo(std::string_view tempo);

// A tempo text as a whole number of beats a minute, when it is one that a
// 32-bit number holds.
std::optional<std::int32_t> TempoNumber(std::string_view tempo);

}  // namespace tw

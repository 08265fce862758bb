#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw {

// A tempo text as a whole number of beats a minute, when it is one.
std::optional<std::int32_t> TempoNumber(std::string_view tempo);

}  // namespace tw

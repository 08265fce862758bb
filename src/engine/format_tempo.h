#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// The ringtone's tempo text as a whole number of beats a minute, when it is one.
std::optional<std::int32_t> TempoNumber(const std::string& tempo);

}  // namespace tw

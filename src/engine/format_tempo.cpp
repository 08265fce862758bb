#include "engine/format_tempo.h"

#include <limits>

#include "engine/text_rules.h"

namespace tw {

std::optional<std::int64_t> ReadTempo(std::string_view tempo) { return RoundedNumber(tempo); }

std::optional<std::int32_t> TempoNumber(std::string_view tempo) {
    const std::optional<std::int64_t> beats = ReadTempo(tempo);
    if (!beats || *beats < std::numeric_limits<std::int32_t>::min() ||
        *beats > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*beats);
}

}  // namespace tw

#include "engine/format_tempo.h"

#include <algorithm>
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

std::int32_t FormatTempo(std::string_view tempo, std::int32_t lowest, std::int32_t highest, std::string_view range,
                         std::string_view unreadWritten, std::vector<std::string>& problems) {
    const std::optional<std::int32_t> number = TempoNumber(tempo);
    if (!number) {
        problems.push_back("the tempo " + std::string(tempo) + " is no number, written as " +
                           std::string(unreadWritten));
        return 120;
    }
    const std::int32_t written = std::clamp(*number, lowest, highest);
    if (written != *number)
        problems.push_back("the tempo " + std::to_string(*number) + " is outside " + std::string(range) +
                           ", written as " + std::to_string(written));
    return written;
}

}  // namespace tw

#include "engine/format_tempo.h"

#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {

std::optional<std::int32_t> TempoNumber(std::string_view tempo) {
    if (!IsNumeric(tempo)) return std::nullopt;
    try {
        return ToInt32(tempo);
    } catch (const EngineError&) {
        return std::nullopt;
    }
}

}  // namespace tw

#include "web/version_number.h"

#include <charconv>
#include <system_error>

#include "engine/text_rules.h"

namespace tw {

std::optional<double> ReadDecimal(std::string_view text) {
    if (!IsNumeric(text)) return std::nullopt;
    const std::string_view trimmed = TrimSpaces(text);
    // A sign may stand in front or behind the digits; from_chars takes only
    // a leading minus.
    bool negative = false;
    std::string digits;
    digits.reserve(trimmed.size());
    for (const char c : trimmed) {
        if (c == '-') negative = true;
        else if (c != '+') digits += c;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ReadVersionNumber(std::string_view text) {
    if (TrimSpaces(text).empty()) return 0.0;
    return ReadDecimal(text);
}

std::string VersionText(ProgramVersion version) {
    return std::to_string(version.Major) + "." + std::to_string(version.Minor);
}

double VersionNumber(ProgramVersion version) { return ReadDecimal(VersionText(version)).value_or(0.0); }

}  // namespace tw

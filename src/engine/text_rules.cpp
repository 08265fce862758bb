#include "engine/text_rules.h"

#include <cmath>
#include <limits>

#include "engine/engine_error.h"

namespace tw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

struct NumberParts {
    bool negative = false;
    std::string_view whole;     // digits before the point
    std::string_view fraction;  // digits after the point
};

// Splits a numeric text into sign, whole digits and fraction digits;
// false when the text is not numeric.
bool SplitNumber(std::string_view text, NumberParts& parts) {
    std::string_view trimmed = TrimSpaces(text);
    if (trimmed.empty()) return false;
    const bool leading = IsSign(trimmed.front());
    const bool trailing = trimmed.size() > 1 && IsSign(trimmed.back());
    if (leading && trailing) return false;
    if (leading) {
        parts.negative = trimmed.front() == '-';
        trimmed.remove_prefix(1);
    } else if (trailing) {
        parts.negative = trimmed.back() == '-';
        trimmed.remove_suffix(1);
    }
    const std::size_t point = trimmed.find('.');
    parts.whole = trimmed.substr(0, point);
    parts.fraction = point == std::string_view::npos ? std::string_view{} : trimmed.substr(point + 1);
    if (parts.whole.empty() && parts.fraction.empty()) return false;
    for (char c : parts.whole)
        if (!IsDigit(c)) return false;
    for (char c : parts.fraction)
        if (!IsDigit(c)) return false;
    return true;
}

// The rounded value of a numeric text, or throws. Values far outside every
// target range saturate so that huge digit strings cannot overflow.
std::int64_t RoundedValue(std::string_view text) {
    NumberParts parts;
    if (!SplitNumber(text, parts))
        throw EngineError(EngineError::Reason::NotANumber, "Not a number: \"" + std::string(text) + "\"");
    constexpr std::int64_t saturation = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (char c : parts.whole) {
        value = value * 10 + (c - '0');
        if (value > saturation) {
            value = saturation;
            break;
        }
    }
    if (!parts.fraction.empty()) {
        const char first = parts.fraction.front();
        const bool restNonZero = parts.fraction.find_first_not_of('0', 1) != std::string_view::npos;
        const bool up = first > '5' || (first == '5' && (restNonZero || value % 2 == 1));
        if (up) ++value;
    }
    return parts.negative ? -value : value;
}

template <typename Int>
Int ToInteger(std::string_view text) {
    const std::int64_t value = RoundedValue(text);
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw EngineError(EngineError::Reason::OutOfRange, "Number out of range: \"" + std::string(text) + "\"");
    return static_cast<Int>(value);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsNumeric(std::string_view text) {
    NumberParts parts;
    return SplitNumber(text, parts);
}

std::int16_t ToInt16(std::string_view text) { return ToInteger<std::int16_t>(text); }

std::int32_t ToInt32(std::string_view text) { return ToInteger<std::int32_t>(text); }

std::optional<std::int64_t> RoundedNumber(std::string_view text) {
    if (!IsNumeric(text)) return std::nullopt;
    return RoundedValue(text);
}

std::int32_t RoundToInt32(double value) {
    if (!std::isfinite(value)) throw EngineError(EngineError::Reason::OutOfRange, "Number out of range");
    const double rounded = std::nearbyint(value);  // default rounding: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        throw EngineError(EngineError::Reason::OutOfRange, "Number out of range");
    return static_cast<std::int32_t>(rounded);
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, pos)) {
        out.append(text, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text, pos);
    return out;
}

}  // namespace tw

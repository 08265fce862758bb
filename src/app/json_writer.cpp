#include "app/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tw {

std::string JsonString(std::string_view text) {
    const bool utf8 = IsValidUtf8(text);
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (b < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else if (b >= 0x80 && !utf8) {
            AppendUtf8(out, b);
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace tw

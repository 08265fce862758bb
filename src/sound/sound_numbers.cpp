#include "sound/sound_numbers.h"

#include <charconv>
#include <system_error>

namespace tw {

std::string NumberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

}  // namespace tw

#include "engine/size_limits.h"

namespace tw {

std::string LimitText(std::size_t limit) {
    const std::string bytes = std::to_string(limit) + " bytes";
    if (limit % MiB != 0) return bytes;
    return std::to_string(limit / MiB) + " MiB (" + bytes + ")";
}

std::string TooLargeText(std::string_view subject, std::optional<std::uint64_t> size, std::size_t limit,
                         std::string_view kind) {
    std::string text(subject);
    text += size ? " " + std::to_string(*size) + " bytes, more than the " : " more than the ";
    text += LimitText(limit);
    text += ' ';
    text += kind;
    text += " may be";
    return text;
}

}  // namespace tw

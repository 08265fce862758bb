#include "session/ringtone_file.h"

#include <fstream>

#include "engine/ringtone_text.h"

namespace tw {

std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::optional<std::string> bytes = ReadRingtoneText(file);
    if (file.bad() || !bytes) return std::nullopt;
    return JoinLines(*bytes);
}

}  // namespace tw

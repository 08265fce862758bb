#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tw {

// The text of a ringtone file with its lines joined, ready for
// RingtoneSession::Get; nothing when the file cannot be opened or read, is
// no ordinary file, or is longer than a ringtone can be.
std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path);

}  // namespace tw

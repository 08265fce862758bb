#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The bytes of a ringtone file as they are (a text, or a MIDI file); nothing
// when the file cannot be opened or read, is no ordinary file, or is longer
// than a ringtone text can be.
std::optional<std::string> ReadRingtoneFileBytes(const std::filesystem::path& path);

// The text of a ringtone file with its lines joined, ready for
// RingtoneSession::Get; nothing as ReadRingtoneFileBytes.
std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path);

// Writes `text` to `path` as one line ending in CR LF, the form of a saved
// ringtone file: a regular file is replaced whole, a FIFO or a device written
// to (WriteOutputFile); SessionError (FileIo) with the reason when it cannot.
void SaveRingtoneText(const std::filesystem::path& path, std::string_view text);

}  // namespace tw

#include "session/ringtone_file.h"

#include <fstream>

#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "files/safe_file.h"
#include "session/session_error.h"

namespace tw {

std::optional<std::string> ReadRingtoneFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::optional<std::string> bytes = ReadRingtoneText(file);
    if (file.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadRingtoneFileBytes(path);
    if (!bytes) return std::nullopt;
    return JoinLines(*bytes);
}

void SaveRingtoneText(const std::filesystem::path& path, std::string_view text) {
    try {
        CheckWritable(text);
    } catch (const EngineError& e) {
        throw SessionError(SessionError::Reason::TooLong, e.what());
    }
    try {
        WriteOutputFile(path, std::string(text) + "\r\n");
    } catch (const FileError& e) {
        throw SessionError(SessionError::Reason::FileIo, e.what());
    }
}

}  // namespace tw

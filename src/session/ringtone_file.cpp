#include "session/ringtone_file.h"

#include <fstream>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "files/safe_file.h"
#include "session/session_error.h"

namespace tw {

namespace {

// The bytes of a regular file at `path`, refused by its size before they
// are read when it is larger than `limit`.
std::optional<std::string> ReadUpToLimit(const std::filesystem::path& path, std::size_t limit, std::string_view kind) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    const auto refuse = [&](std::optional<std::uint64_t> known) {
        throw SessionError(SessionError::Reason::TooLong,
                           TooLargeText("the file " + path.string() + (known ? " is" : " holds"), known, limit, kind));
    };
    if (!error && size > limit) refuse(size);
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::optional<std::string> bytes = ReadUpTo(file, limit);
    if (file.bad()) return std::nullopt;
    if (!bytes) refuse(std::nullopt);  // it grew while it was read
    return bytes;
}

}  // namespace

std::optional<std::string> ReadRingtoneBytes(const std::filesystem::path& path) {
    return ReadUpToLimit(path, MaxRingtoneFile, "a ringtone or MIDI file");
}

std::optional<std::string> ReadRingtoneFile(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadUpToLimit(path, MaxRingtoneTextFile, "a ringtone text file");
    if (!bytes) return std::nullopt;
    return JoinLines(*bytes);
}

std::vector<std::string> SaveRingtoneAs(const std::filesystem::path& path, const CNotes& ringtone, FileFormat format) {
    if (const std::optional<Notation> notation = NotationOf(format)) {
        SaveRingtoneText(path, ringtone.Full(*notation));
        return {};
    }
    WrittenRingtone written;
    try {
        written = WriteRingtoneAs(ringtone, format);
    } catch (const EngineError& e) {
        throw SessionError(e.reason() == EngineError::Reason::TooLong ? SessionError::Reason::TooLong
                                                                      : SessionError::Reason::CannotHold,
                           e.what());
    }
    try {
        WriteOutputFile(path, written.bytes);
    } catch (const FileError& e) {
        throw SessionError(SessionError::Reason::FileIo, e.what());
    }
    return std::move(written.problems);
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

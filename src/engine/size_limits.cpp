#include "engine/size_limits.h"

#include "engine/engine_error.h"

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

void CheckHandsetFileReadsBack(std::string_view file, std::size_t readBack, std::size_t fileSize) {
    if (readBack > MaxRingtoneText)
        throw EngineError(EngineError::Reason::TooLong,
                          TooLargeText(std::string(file) + " would read back as a ringtone text of", readBack,
                                       MaxRingtoneText, "a ringtone text") +
                              ".");
    if (fileSize > MaxHandsetFile)
        throw EngineError(
            EngineError::Reason::TooLong,
            TooLargeText(std::string(file) + " would be", fileSize, MaxHandsetFile, "a handset file") + ".");
}

}  // namespace tw

#include "engine/ringtone_text.h"

#include <algorithm>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {

std::optional<std::string> ReadUpTo(std::istream& stream, std::size_t limit) {
    std::string bytes;
    char buffer[65536];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(stream.gcount()));
        if (bytes.size() > limit) return std::nullopt;
    }
    return bytes;
}

std::string CleanRingtoneText(std::string_view text) {
    std::string cleaned = JoinLines(TrimSpaces(text));
    const std::size_t first = cleaned.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    cleaned.resize(cleaned.find_last_not_of(' ') + 1);  // trimmed where it is, not copied again
    cleaned.erase(0, first);
    if (!cleaned.empty() && cleaned.back() == ',') cleaned.pop_back();
    return cleaned;
}

bool IsUsableSeparator(std::string_view separator) {
    if (separator.empty()) return false;
    for (char c : separator) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ':' || byte < 0x20 || byte == 0x7F) return false;
    }
    return separator.find_first_of(",|/\\ ") != std::string_view::npos;
}

std::string JoinLines(std::string_view fileText) {
    const auto lineBreak = [](char c) { return c == '\r' || c == '\n'; };
    // A text of one line, as the command line passes it, is copied whole.
    if (fileText.find('\n') == std::string_view::npos && fileText.find('\r') == std::string_view::npos)
        return std::string(fileText);
    std::string out(fileText.size(), '\0');
    out.resize(static_cast<std::size_t>(std::remove_copy_if(fileText.begin(), fileText.end(), out.begin(), lineBreak) -
                                        out.begin()));
    return out;
}

void CheckWritable(std::string_view text) {
    if (text.size() > MaxRingtoneText)
        throw EngineError(EngineError::Reason::TooLong,
                          TooLargeText("The ringtone text would be", text.size(), MaxRingtoneText, "a ringtone text") +
                              ", so it could not be read again.");
}

void CheckReadable(std::string_view text) {
    if (text.size() > MaxRingtoneText)
        throw EngineError(EngineError::Reason::TooLong,
                          TooLargeText("The ringtone text is", text.size(), MaxRingtoneText, "a ringtone text") + ".");
}

void ReadGivenRingtone(CNotes& ringtone, Notation from, std::string_view text) {
    CheckReadable(text);
    if (from == Notation::Keypresses) ringtone.SetFull(from, PrepareKeypresses(text));
    else ringtone.SetFull(from, text);
}

std::string PrepareKeypresses(std::string_view sourceText) {
    const std::size_t colon = sourceText.rfind(':');
    const std::string_view header =
        colon == std::string_view::npos ? std::string_view{} : sourceText.substr(0, colon + 1);
    const std::string_view keys = sourceText.substr(header.size());

    std::string prepared;
    prepared.reserve(keys.size() * 2);
    for (char c : keys) {
        if (c == ' ' || c == ',') continue;
        if ((c >= '0' && c <= '7')) prepared += ',';
        prepared += c;
    }
    prepared = ReplaceAll(prepared, "(,", ",(");
    prepared = ReplaceAll(prepared, "(hold,", ",(hold ");
    // Only the comma put before the first note key goes; a leading "*" or "8"
    // is a key of its own.
    if (!prepared.empty() && prepared.front() == ',') prepared.erase(0, 1);
    return std::string(header) + prepared;
}

}  // namespace tw

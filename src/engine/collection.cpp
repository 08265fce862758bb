#include "engine/collection.h"

#include "engine/text_rules.h"

namespace tw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsItemEnd(char c) { return c == ',' || c == ';' || c == ' ' || c == '\t'; }

// A part between colons made of controls only, at least one of them d, o, b
// or tempo with a number: "d=4,o=5,b=125", "b = 63", "d4", "Tempo=120",
// "s=x,b=90".
bool IsControlPart(std::string_view part) {
    bool known = false;
    std::size_t at = 0;
    while (at < part.size()) {
        if (IsItemEnd(part[at])) {
            ++at;
            continue;
        }
        const std::size_t keyStart = at;
        while (at < part.size() && IsLetter(part[at])) ++at;
        const std::string key = ToLowerAscii(part.substr(keyStart, at - keyStart));
        if (key.empty()) return false;
        while (at < part.size() && (part[at] == ' ' || part[at] == '\t')) ++at;
        const bool equals = at < part.size() && part[at] == '=';
        if (equals) ++at;
        while (at < part.size() && (part[at] == ' ' || part[at] == '\t')) ++at;
        const std::size_t valueStart = at;
        while (at < part.size() && !IsItemEnd(part[at])) ++at;
        const std::string_view value = part.substr(valueStart, at - valueStart);
        const bool number = !value.empty() && value.find_first_not_of("0123456789") == std::string_view::npos;
        const bool basic = key == "d" || key == "o" || key == "b" || key == "tempo";
        if (basic && number) known = true;
        else if (!equals) return false;  // a note ("8c") or a word, not a control
    }
    return known;
}

bool IsCommentOrBlank(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';' || trimmed.starts_with("//");
}

}  // namespace

bool StartsRingtone(std::string_view line) {
    const std::size_t tempo = line.find("(Tempo ");
    if (tempo != std::string_view::npos && tempo > 0) {
        const std::string_view after = TrimBlanks(line.substr(tempo + 7));
        if (!after.empty() && IsDigit(after.front())) return true;
    }
    // "Name Tempo=120: ..."
    const std::size_t marked = line.find("Tempo=");
    if (marked != std::string_view::npos && marked > 0) {
        std::size_t at = marked + 6;
        while (at < line.size() && IsDigit(line[at])) ++at;
        if (at > marked + 6 && TrimBlanks(line.substr(at)).starts_with(':')) return true;
    }
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        const std::size_t next = line.find(':', colon + 1);
        const std::string_view part =
            line.substr(colon + 1, next == std::string_view::npos ? std::string_view::npos : next - colon - 1);
        if (IsControlPart(part)) return true;
        if (TrimBlanks(part).empty() && next != std::string_view::npos) return true;
    }
    return false;
}

std::vector<CollectedRingtone> SplitCollection(std::string_view text) {
    std::vector<CollectedRingtone> ringtones;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        ++lineNumber;
        if (IsCommentOrBlank(line)) continue;
        const std::string_view trimmed = TrimBlanks(line);
        if (StartsRingtone(trimmed)) ringtones.push_back({lineNumber, std::string(trimmed)});
        else if (!ringtones.empty()) ringtones.back().text += trimmed;
    }
    return ringtones;
}

}  // namespace tw

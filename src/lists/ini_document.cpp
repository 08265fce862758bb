#include "lists/ini_document.h"

#include "engine/text_rules.h"
#include "lists/list_error.h"

namespace tw {
namespace {

// The key and value of a key line; nothing for a line without "=".
std::optional<std::pair<std::string_view, std::string_view>> KeyLine(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::pair{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

void RefuseLineBreaks(std::string_view text, const char* what) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw ListError(ListError::Reason::BadText,
                        std::string("a ") + what + " with a line break cannot be stored in a list file");
}

}  // namespace

std::optional<std::string_view> IniDocument::HeaderName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = trimmed.rfind(']');
    if (close == 0 || close == std::string_view::npos) return trimmed.substr(1);
    return trimmed.substr(1, close - 1);
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            document.lines_.emplace_back(text.substr(start));
            break;
        }
        document.lines_.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    document.Reindex();
    return document;
}

std::string IniDocument::Text() const {
    std::size_t size = 0;
    for (const std::string& line : lines_) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void IniDocument::Reindex() {
    sections_.clear();
    firstSection_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i]);
        if (!name) continue;
        if (!sections_.empty()) sections_.back().end = i;
        sections_.push_back({std::string(*name), i, lines_.size()});
        firstSection_.try_emplace(ToLowerAscii(*name), sections_.size() - 1);
    }
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
    const auto found = firstSection_.find(ToLowerAscii(section));
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

bool IniDocument::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const Section* found = Find(section);
    if (!found) return std::nullopt;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (const auto keyLine = KeyLine(lines_[i]); keyLine && SameIgnoringCase(keyLine->first, key))
            return std::string(keyLine->second);
    return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    RefuseLineBreaks(section, "ringtone name");
    RefuseLineBreaks(key, "key");
    RefuseLineBreaks(value, "ringtone text");
    std::string line = std::string(key) + "=" + std::string(value);

    const Section* found = Find(section);
    if (!found) {
        lines_.push_back("[" + std::string(section) + "]");
        sections_.push_back({std::string(section), lines_.size() - 1, lines_.size() + 1});
        firstSection_.try_emplace(ToLowerAscii(section), sections_.size() - 1);
        lines_.push_back(std::move(line));
        return;
    }
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (const auto keyLine = KeyLine(lines_[i]); keyLine && SameIgnoringCase(keyLine->first, key)) {
            lines_[i] = std::move(line);
            return;
        }
    // No such key yet: after the section's last line that is not blank.
    std::size_t at = found->end;
    while (at > found->header + 1 && TrimBlanks(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    Reindex();
}

bool IniDocument::RemoveSection(std::string_view section) {
    const Section* found = Find(section);
    if (!found) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(found->end));
    Reindex();
    return true;
}

}  // namespace tw

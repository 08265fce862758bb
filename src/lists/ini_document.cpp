#include "lists/ini_document.h"

#include <algorithm>
#include <limits>

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

// Orders names as their lower-case forms would be ordered, byte by byte.
bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
    });
}

void RequireRoom(std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw ListError(ListError::Reason::BadText, "a list cannot hold more than 4 GiB");
}

// Calls `each(start, line)` for every line of `text` from `begin` to `end`.
template <typename Each>
void ForLines(const std::string& text, std::size_t begin, std::size_t end, Each&& each) {
    while (begin < end) {
        const std::size_t lineEnd = text.find('\n', begin);
        if (!each(begin, std::string_view(text).substr(begin, lineEnd - begin))) return;
        begin = lineEnd + 1;
    }
}

}  // namespace

std::optional<std::string_view> IniDocument::HeaderName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = trimmed.rfind(']');
    if (close == 0 || close == std::string_view::npos) return trimmed.substr(1);
    return trimmed.substr(1, close - 1);
}

IniDocument IniDocument::Parse(std::string text) {
    // CR LF and lone CR become LF, in place: the text never grows but for a
    // last LF.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            text[kept++] = '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            text[kept++] = text[i];
        }
    }
    text.resize(kept);
    if (!text.empty() && text.back() != '\n') text.push_back('\n');
    RequireRoom(text.size());

    IniDocument document;
    document.text_ = std::move(text);
    ForLines(document.text_, 0, document.text_.size(), [&](std::size_t start, std::string_view line) {
        if (HeaderName(line)) document.headers_.push_back(static_cast<Offset>(start));
        return true;
    });
    return document;
}

std::string IniDocument::Text() const {
    const std::size_t lines = static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n'));
    std::string text;
    text.reserve(text_.size() + lines);
    std::size_t from = 0;
    for (std::size_t lineEnd = text_.find('\n'); lineEnd != std::string::npos; lineEnd = text_.find('\n', from)) {
        text.append(text_, from, lineEnd - from);
        text += "\r\n";
        from = lineEnd + 1;
    }
    return text;
}

std::vector<std::string> IniDocument::Lines() const {
    std::vector<std::string> lines;
    ForLines(text_, 0, text_.size(), [&](std::size_t, std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

std::string_view IniDocument::LineAt(std::size_t at) const {
    return std::string_view(text_).substr(at, text_.find('\n', at) - at);
}

std::size_t IniDocument::EndOf(std::size_t section) const {
    return section + 1 < headers_.size() ? headers_[section + 1] : text_.size();
}

std::optional<std::size_t> IniDocument::Find(std::string_view section) const {
    if (!indexed_) {
        byName_.resize(headers_.size());
        for (std::size_t i = 0; i < byName_.size(); ++i) byName_[i] = static_cast<Offset>(i);
        // Stable: among equal names the first in the file comes first.
        std::stable_sort(byName_.begin(), byName_.end(),
                         [this](Offset a, Offset b) { return LessIgnoringCase(NameOf(a), NameOf(b)); });
        appended_.clear();
        indexed_ = true;
    }
    const auto found = std::lower_bound(byName_.begin(), byName_.end(), section, [this](Offset a, std::string_view b) {
        return LessIgnoringCase(NameOf(a), b);
    });
    if (found != byName_.end() && SameIgnoringCase(NameOf(*found), section)) return *found;
    const auto added = appended_.find(ToLowerAscii(section));
    if (added != appended_.end()) return added->second;
    return std::nullopt;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(headers_.size());
    for (std::size_t i = 0; i < headers_.size(); ++i) names.emplace_back(NameOf(i));
    return names;
}

bool IniDocument::HasSection(std::string_view section) const { return Find(section).has_value(); }

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const auto found = Find(section);
    if (!found) return std::nullopt;
    std::optional<std::string> value;
    const std::size_t header = headers_[*found];
    ForLines(text_, header + LineAt(header).size() + 1, EndOf(*found), [&](std::size_t, std::string_view line) {
        const auto keyLine = KeyLine(line);
        if (keyLine && SameIgnoringCase(keyLine->first, key)) value = std::string(keyLine->second);
        return !value;
    });
    return value;
}

void IniDocument::Splice(std::size_t at, std::size_t length, std::string_view bytes) {
    RequireRoom(text_.size() - length + bytes.size());
    text_.replace(at, length, bytes);
    for (Offset& header : headers_)
        if (header >= at) header = static_cast<Offset>(header - length + bytes.size());
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    RefuseLineBreaks(section, "ringtone name");
    RefuseLineBreaks(key, "key");
    RefuseLineBreaks(value, "ringtone text");
    std::string line = std::string(key) + "=" + std::string(value);

    const auto found = Find(section);
    if (!found) {
        const std::string added = "[" + std::string(section) + "]\n" + line + "\n";
        RequireRoom(text_.size() + added.size());
        headers_.push_back(static_cast<Offset>(text_.size()));
        text_ += added;
        if (indexed_) appended_.try_emplace(ToLowerAscii(section), headers_.size() - 1);
        return;
    }
    const std::size_t header = headers_[*found];
    std::size_t afterLastFilled = header + LineAt(header).size() + 1;
    bool replaced = false;
    ForLines(text_, afterLastFilled, EndOf(*found), [&](std::size_t start, std::string_view each) {
        const auto keyLine = KeyLine(each);
        if (keyLine && SameIgnoringCase(keyLine->first, key)) {
            Splice(start, each.size(), line);
            replaced = true;
            return false;
        }
        if (!TrimBlanks(each).empty()) afterLastFilled = start + each.size() + 1;
        return true;
    });
    // No such key yet: after the section's last line that is not blank.
    if (!replaced) Splice(afterLastFilled, 0, line + "\n");
}

bool IniDocument::RenameSection(std::string_view section, std::string_view newName) {
    RefuseLineBreaks(newName, "ringtone name");
    const auto found = Find(section);
    if (!found) return false;
    const std::size_t header = headers_[*found];
    const std::string_view name = NameOf(*found);
    if (name == newName) return true;
    // The name stands after the header's "[", so the header itself stays where it is.
    Splice(static_cast<std::size_t>(name.data() - text_.data()), name.size(), newName);
    if (NameOf(*found) != newName) {
        // The rest of the line would make it read otherwise (a "]" in the new
        // name, and none closing the old one): the line becomes "[newName]".
        Splice(header, LineAt(header).size(), "[" + std::string(newName) + "]");
        headers_[*found] = static_cast<Offset>(header);
    }
    indexed_ = false;
    byName_.clear();
    appended_.clear();
    return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
    const auto found = Find(section);
    if (!found) return false;
    const std::size_t start = headers_[*found];
    const std::size_t length = EndOf(*found) - start;
    headers_.erase(headers_.begin() + static_cast<std::ptrdiff_t>(*found));
    Splice(start, length, {});
    indexed_ = false;
    byName_.clear();
    appended_.clear();
    return true;
}

}  // namespace tw

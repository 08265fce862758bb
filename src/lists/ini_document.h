#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

// An INI text held line by line, with the lookups the list files need:
// section and key names match without regard to ASCII case and the first
// match wins. A section header is a line that, trimmed of blanks, begins with
// "["; its name is the text between that "[" and the last "]" of the trimmed
// line (to the end of the line when there is no "]"). A key line is any other
// line holding "="; its key is the text before the first "=" and its value
// the text after it, both trimmed of blanks. Every other line, and every line
// before the first header, is kept as it is.
class IniDocument {
public:
    IniDocument() = default;

    // Splits text at CR LF, LF and lone CR.
    static IniDocument Parse(std::string_view text);
    // Every line followed by CR LF.
    std::string Text() const;

    const std::vector<std::string>& Lines() const { return lines_; }
    // The section names in file order, as written between the brackets.
    std::vector<std::string> SectionNames() const;
    bool HasSection(std::string_view section) const;

    // The value of `key` in the first section named `section`; nothing when
    // the section or the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the first `key` line of the first matching section in place
    // (the header keeps its letter case), adds the key line at the end of that
    // section when it has none, or appends a new section at the end. Throws
    // ListError (BadText) for a line break in any of the three texts.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first matching section: its header and every line up to the
    // next header. False when there is no such section.
    bool RemoveSection(std::string_view section);

    // Whether the line is a section header, and its name if so.
    static std::optional<std::string_view> HeaderName(std::string_view line);

private:
    struct Section {
        std::string name;
        std::size_t header;  // index of the header line
        std::size_t end;     // one past the section's last line
    };

    const Section* Find(std::string_view section) const;
    void Reindex();

    std::vector<std::string> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> firstSection_;  // lower-case name -> index in sections_
};

}  // namespace tw

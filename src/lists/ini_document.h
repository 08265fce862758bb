#pragma once

#include <cstddef>
#include <cstdint>
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

    // Splits text at CR LF, LF and lone CR. The text is kept once, with its
    // line ends made LF, and a section costs a few bytes beside it, so that a
    // document takes little more memory than its file.
    static IniDocument Parse(std::string text);
    // Every line followed by CR LF.
    std::string Text() const;

    // The lines, for checks; the document itself keeps no line objects.
    std::vector<std::string> Lines() const;
    // The section names in file order, as written between the brackets.
    std::vector<std::string> SectionNames() const;
    std::size_t SectionCount() const { return headers_.size(); }
    bool HasSection(std::string_view section) const;

    // The value of `key` in the first section named `section`; nothing when
    // the section or the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the first `key` line of the first matching section in place
    // (the header keeps its letter case), adds the key line at the end of that
    // section when it has none, or appends a new section at the end. Throws
    // ListError (BadText) for a line break in any of the three texts.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Gives the first matching section the name `newName` in its header, in
    // place; the rest of the header line and the section stay. False when
    // there is no such section. Throws ListError (BadText) for a line break.
    bool RenameSection(std::string_view section, std::string_view newName);

    // Removes the first matching section: its header and every line up to the
    // next header. False when there is no such section.
    bool RemoveSection(std::string_view section);

    // Whether the line is a section header, and its name if so.
    static std::optional<std::string_view> HeaderName(std::string_view line);

private:
    using Offset = std::uint32_t;

    // The line that starts at `at`, without its LF.
    std::string_view LineAt(std::size_t at) const;
    std::string_view NameOf(std::size_t section) const { return *HeaderName(LineAt(headers_[section])); }
    // Where section `section` ends: the next header, or the end of the text.
    std::size_t EndOf(std::size_t section) const;
    // The first section of that name (ASCII case ignored), or nothing.
    std::optional<std::size_t> Find(std::string_view section) const;
    // Replaces `length` bytes at `at` with `bytes`, moving the later headers.
    void Splice(std::size_t at, std::size_t length, std::string_view bytes);

    // Every line followed by LF.
    std::string text_;
    // Where each section's header line starts, in file order.
    std::vector<Offset> headers_;
    // The sections by lower-case name, then file order; made on the first
    // lookup. Sections appended since are in `appended_`.
    mutable std::vector<Offset> byName_;
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::string, std::size_t> appended_;
};

}  // namespace tw

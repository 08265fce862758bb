#include "engine/ringtone_name.h"

#include "engine/text_rules.h"
#include "engine/utf8.h"

namespace tw {
namespace {

constexpr char ColonLookAlike = '-';
constexpr std::string_view CommentGuard = "_";

bool IsControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// The collection comment that `name` starts with, if any.
std::string_view CommentMarker(std::string_view name) {
    if (name.starts_with("//")) return "//";
    if (name.starts_with('#')) return "#";
    if (name.starts_with(';')) return ";";
    return {};
}

}  // namespace

FittedName FitRingtoneName(std::string_view given) {
    // C1 controls are two bytes in UTF-8 (C2 80 to C2 9F); in an older
    // single-byte name those bytes are letters and stay.
    const bool utf8 = IsValidUtf8(given);
    std::string name;
    name.reserve(given.size() + CommentGuard.size());
    bool colons = false, controls = false;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const auto byte = static_cast<unsigned char>(given[i]);
        if (byte == ':') {
            name += ColonLookAlike;
            colons = true;
        } else if (IsControlByte(byte)) {
            name += ' ';
            controls = true;
        } else if (utf8 && byte == 0xC2 && i + 1 < given.size() && static_cast<unsigned char>(given[i + 1]) < 0xA0) {
            name += ' ';
            controls = true;
            ++i;
        } else {
            name += given[i];
        }
    }
    FittedName fitted;
    fitted.name = std::string(TrimBlanks(name));
    const std::string_view marker = CommentMarker(fitted.name);
    if (!marker.empty()) fitted.name.insert(0, CommentGuard);

    const std::string named = "name \"" + fitted.name + "\": ";
    if (colons)
        fitted.changes.push_back(named + "\":\" replaced by \"" + ColonLookAlike +
                                 "\" (a colon ends the name in a ringtone text)");
    if (controls) fitted.changes.push_back(named + "control characters replaced by spaces");
    if (!marker.empty())
        fitted.changes.push_back(named + "\"" + std::string(CommentGuard) + "\" put before the leading \"" +
                                 std::string(marker) + "\" (a collection takes a line starting with \"" +
                                 std::string(marker) + "\" for a comment)");
    return fitted;
}

}  // namespace tw

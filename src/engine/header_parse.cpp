// Reading a ringtone header: the name before the first colon, the RTTTL
// defaults d= and o=, and the tempo as b= or Tempo=. Each reader takes its
// part off the front of the text it is given.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

constexpr auto npos = std::string::npos;

[[noreturn]] void HeaderUnreadable() {
    throw EngineError(EngineError::Reason::BadHeader, "The ringtone header could not be read.");
}

// The value between `marker` and the first `end` character of t; t keeps what
// follows that character. Fails when the end character is missing or stands
// before the marker.
std::string TakeValue(std::string& t, std::size_t markerAt, std::size_t markerLength, char end) {
    const std::size_t endAt = t.find(end);
    if (endAt == npos || endAt < markerAt + markerLength) HeaderUnreadable();
    std::string value = t.substr(markerAt + markerLength, endAt - markerAt - markerLength);
    t.erase(0, endAt + 1);
    return value;
}

// The value after `marker` up to the first `end` character, when t holds the
// marker; `found` tells whether it did. The flag is set only once the value
// has been read, so a failed read leaves it as it was.
std::optional<std::string> TakeMarkedValue(std::string& t, std::string_view marker, char end, bool& found) {
    const std::size_t at = t.find(marker);
    if (at == npos) {
        found = false;
        return std::nullopt;
    }
    std::string value = TakeValue(t, at, marker.size(), end);
    found = true;
    return value;
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!IsBlankByte(c)) out += c;
    return out;
}

// A control's value when it is a whole number from `lowest` to 32767, written
// without leading zeros.
std::optional<std::string> WholeNumber(std::string_view value, int lowest) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    value.remove_prefix(std::min(value.find_first_not_of('0'), value.size() - 1));
    if (value.size() > 5) return std::nullopt;
    const int number = std::stoi(std::string(value));
    if (number < lowest || number > 32767) return std::nullopt;
    return std::string(value);
}

// A control: letters, "=" and a value ("d=4", "b=", "s=x"), or one letter
// and digits ("d4").
bool IsControl(std::string_view item) {
    std::size_t keyLength = 0;
    while (keyLength < item.size() && std::isalpha(static_cast<unsigned char>(item[keyLength]))) ++keyLength;
    if (keyLength == 0) return false;
    const std::string_view rest = item.substr(keyLength);
    if (!rest.empty() && rest.front() == '=') return true;
    return keyLength == 1 && !rest.empty() && rest.find_first_not_of("0123456789") == std::string_view::npos;
}

// Empty, or controls and empty items between commas (blanks removed).
bool IsControlSection(std::string_view section) {
    while (!section.empty()) {
        const std::size_t comma = section.find(',');
        const std::string_view item = section.substr(0, comma);
        if (!item.empty() && !IsControl(item)) return false;
        section.remove_prefix(comma == npos ? section.size() : comma + 1);
    }
    return true;
}

}  // namespace

// The RTTTL header as published: "name:controls:", the controls d (default
// duration), o (default octave) and b (tempo) in any order, each optional,
// as "d=4" or "d4", letters in either case, blanks anywhere; other controls
// are skipped. A missing control takes RTTTL's default (d=4, o=6, b=63). A
// default duration or octave that is no usable number keeps the default, a
// tempo stays as written; both are reported. The
// control section is the first part between two colons that holds nothing
// else, so a name may hold colons ("Star Wars: Theme:d=4:..."). Without such
// a part the text has no control section, and t is left as it was.
bool CNotes::ReadControlSection(std::string& t) {
    std::size_t nameEnd = t.find(':');
    std::size_t controlsEnd = npos;
    std::string controls;
    for (; nameEnd != npos; nameEnd = controlsEnd) {
        controlsEnd = t.find(':', nameEnd + 1);
        if (controlsEnd == npos) return false;
        controls = WithoutBlanks(std::string_view(t).substr(nameEnd + 1, controlsEnd - nameEnd - 1));
        if (IsControlSection(controls)) break;
    }
    if (nameEnd == npos) return false;

    const std::string_view name = TrimBlanks(std::string_view(t).substr(0, nameEnd));
    name_ = name.empty() ? std::string("No name") : std::string(name);
    state_->DefaultDuration = "4";
    state_->DefaultOctave = "6";
    tempo_ = "63";
    nameFound_ = durationFound_ = octaveFound_ = tempoFound_ = true;

    std::string_view rest = controls;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        rest.remove_prefix(comma == npos ? rest.size() : comma + 1);
        std::size_t keyLength = 0;
        while (keyLength < item.size() && std::isalpha(static_cast<unsigned char>(item[keyLength]))) ++keyLength;
        const std::string key = ToLowerAscii(item.substr(0, keyLength));
        item.remove_prefix(keyLength);
        if (!item.empty() && item.front() == '=') item.remove_prefix(1);
        if (key == "d") {
            if (auto value = WholeNumber(item, 1)) state_->DefaultDuration = std::move(*value);
            else durationFound_ = false;
        } else if (key == "o") {
            if (auto value = WholeNumber(item, 0)) state_->DefaultOctave = std::move(*value);
            else octaveFound_ = false;
        } else if (key == "b" || key == "tempo") {
            // An unusable tempo stays as written, so that playing refuses it.
            auto value = WholeNumber(item, 1);
            tempoFound_ = value.has_value();
            tempo_ = value ? std::move(*value) : std::string(item);
        }
    }
    t.erase(0, controlsEnd + 1);
    return true;
}

// Accepts "Name:...", "Name (Tempo 120) ..." and "Name Tempo=120: ...", and
// drops the "(hold " and "(" of pasted keypress texts.
std::string CNotes::ParseName(std::string& t) {
    if (t.find("Tempo") != npos && t.find(":Tempo") == npos) {
        if (t.find("(Tempo ") != npos) {
            t = ReplaceAll(t, "(Tempo ", ":Tempo=");
            const std::size_t close = t.find(')');
            if (close == npos) HeaderUnreadable();
            t[close] = ':';
        } else {
            t = ReplaceAll(t, "Tempo", ":Tempo");
        }
    }
    t = ReplaceAll(ReplaceAll(ReplaceAll(t, "(hold ", ""), "( ", ""), "(", "");

    std::string name;
    const std::size_t colon = t.find(':');
    if (colon != npos) {
        if (t.find(':', colon + 1) != npos) {
            name = t.substr(0, colon);
            t.erase(0, colon + 1);
            nameFound_ = true;
        } else {
            nameFound_ = false;
        }
    }
    const std::string_view trimmed = TrimSpaces(name);
    return trimmed.empty() ? std::string("No name") : std::string(trimmed);
}

std::string CNotes::ParseDefaultDuration(std::string& t) {
    return TakeMarkedValue(t, "d=", ',', durationFound_).value_or(state_->DefaultDuration);
}

std::string CNotes::ParseDefaultOctave(std::string& t) {
    return TakeMarkedValue(t, "o=", ',', octaveFound_).value_or(state_->DefaultOctave);
}

std::string CNotes::ParseTempo(std::string& t) {
    auto tempo = TakeMarkedValue(t, "b=", ':', tempoFound_);
    if (!tempo) tempo = TakeMarkedValue(t, "Tempo=", ':', tempoFound_);
    return tempo.value_or("125");
}

}  // namespace tw

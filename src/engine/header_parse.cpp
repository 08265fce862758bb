// Reading a ringtone header: the name before the first colon, the RTTTL
// defaults d= and o=, and the tempo as b= or Tempo=. Each reader takes its
// part off the front of the text it is given.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

constexpr auto npos = std::string::npos;

[[noreturn]] void HeaderUnreadable() {
    throw EngineError(EngineError::Reason::BadHeader, "The ringtone header could not be read.");
}

// The value between `marker` and the first `end` character of text; text keeps what
// follows that character. Fails when the end character is missing or stands
// before the marker.
std::string TakeValue(std::string& text, std::size_t markerAt, std::size_t markerLength, char end) {
    const std::size_t endAt = text.find(end);
    if (endAt == npos || endAt < markerAt + markerLength) HeaderUnreadable();
    std::string value = text.substr(markerAt + markerLength, endAt - markerAt - markerLength);
    text.erase(0, endAt + 1);
    return value;
}

// The value after `marker` up to the first `end` character, when text holds the
// marker; `found` tells whether it did. The flag is set only once the value
// has been read, so a failed read leaves it as it was.
std::optional<std::string> TakeMarkedValue(std::string& text, std::string_view marker, char end, bool& found) {
    const std::size_t at = text.find(marker);
    if (at == npos) {
        found = false;
        return std::nullopt;
    }
    std::string value = TakeValue(text, at, marker.size(), end);
    found = true;
    return value;
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// A control's value when it is a whole number from `lowest` to 32767, written
// without leading zeros.
std::optional<std::string> WholeNumber(std::string_view value, int lowest) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    value.remove_prefix(std::min(value.find_first_not_of('0'), value.size() - 1));
    if (value.size() > 5) return std::nullopt;
    int number = 0;
    for (char c : value) number = number * 10 + (c - '0');
    if (number < lowest || number > 32767) return std::nullopt;
    return std::string(value);
}

// One item of a part between two colons: "d=4", "s=x", "d4", or anything else.
struct ControlItem {
    std::string key;  // the leading letters, lower case
    std::string value;
    bool control = false;  // letters and "=", or d, o or b with digits ("d4")
    bool known = false;    // a control of d, o, b or tempo
};

std::vector<ControlItem> ReadControlItems(std::string_view section) {
    // Items end at commas, semicolons and blanks; blanks beside "=" or
    // between a key and its digits ("d 8") go first.
    std::string text;
    text.reserve(section.size());
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (IsBlankByte(section[i])) {
            const std::size_t next = section.find_first_not_of(" \t\r\n\v\f", i);
            const char before = text.empty() ? ',' : text.back(), after = next == npos ? ',' : section[next];
            if (before == '=' || after == '=' ||
                (std::isalpha(static_cast<unsigned char>(before)) && std::isdigit(static_cast<unsigned char>(after))))
                continue;
            text += ',';
        } else {
            text += section[i] == ';' ? ',' : section[i];
        }
    }
    std::vector<ControlItem> items;
    items.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1);
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        rest.remove_prefix(comma == npos ? rest.size() : comma + 1);
        if (item.empty()) continue;
        ControlItem read;
        std::size_t keyLength = 0;
        while (keyLength < item.size() && std::isalpha(static_cast<unsigned char>(item[keyLength]))) ++keyLength;
        read.key = ToLowerAscii(item.substr(0, keyLength));
        item.remove_prefix(keyLength);
        const bool shortForm = (read.key == "d" || read.key == "o" || read.key == "b") && !item.empty() &&
                               item.find_first_not_of("0123456789") == npos;
        read.control = keyLength > 0 && ((!item.empty() && item.front() == '=') || shortForm);
        if (!item.empty() && item.front() == '=') item.remove_prefix(1);
        read.value = item;
        read.known = read.control && (read.key == "d" || read.key == "o" || read.key == "b" || read.key == "tempo");
        items.push_back(std::move(read));
    }
    return items;
}

}  // namespace

// The RTTTL header as published: "name:controls:", the controls d (default
// duration), o (default octave) and b (tempo) in any order, each optional,
// as "d=4" or "d4", letters in either case, blanks anywhere, between commas,
// semicolons or blanks; other items are skipped. A missing control takes
// RTTTL's default (d=4, o=6, b=63). A default duration or octave that is no
// usable number keeps the default, a tempo stays as written; both are
// reported. The control section is the first part between two colons that
// holds d, o or b; failing that, the first that is empty or holds controls
// alone. So a published name may hold colons ("Star Wars: Theme:d=4:..."),
// which the ringtone's name has as FitRingtoneName replaces them. Without
// such a part the text has no control section, and text is left as it was.
bool CNotes::ReadControlSection(std::string& text) {
    std::size_t nameEnd = npos, controlsEnd = npos;
    std::vector<ControlItem> controls;
    for (std::size_t open = text.find(':'); open != npos;) {
        const std::size_t close = text.find(':', open + 1);
        if (close == npos) break;
        std::vector<ControlItem> items = ReadControlItems(std::string_view(text).substr(open + 1, close - open - 1));
        const bool known = std::any_of(items.begin(), items.end(), [](const ControlItem& i) { return i.known; });
        const bool allControls =
            std::all_of(items.begin(), items.end(), [](const ControlItem& i) { return i.control; });
        if (known || (allControls && nameEnd == npos)) {
            nameEnd = open;
            controlsEnd = close;
            controls = std::move(items);
            if (known) break;
        }
        open = close;
    }
    if (nameEnd == npos) return false;

    SetGivenName(std::string_view(text).substr(0, nameEnd));
    state_->DefaultDuration = "4";
    state_->DefaultOctave = "6";
    tempo_ = "63";
    nameFound_ = durationFound_ = octaveFound_ = tempoFound_ = true;
    for (ControlItem& item : controls) {
        if (!item.known) continue;
        if (item.key == "d") {
            if (auto value = WholeNumber(item.value, 1)) state_->DefaultDuration = std::move(*value);
            else durationFound_ = false;
        } else if (item.key == "o") {
            if (auto value = WholeNumber(item.value, 0)) state_->DefaultOctave = std::move(*value);
            else octaveFound_ = false;
        } else {
            // An unusable tempo stays as written, so that playing refuses it.
            auto value = WholeNumber(item.value, 1);
            tempoFound_ = value.has_value();
            tempo_ = value ? std::move(*value) : std::move(item.value);
        }
    }
    text.erase(0, controlsEnd + 1);
    return true;
}

// Accepts "Name:...", "Name (Tempo 120) ..." and "Name Tempo=120: ...", and
// drops the "(hold " and "(" of pasted keypress texts after the name, so that
// a name keeps its brackets ("Song (live)").
std::string CNotes::ParseName(std::string& text) {
    if (text.find("Tempo") != npos && text.find(":Tempo") == npos) {
        if (text.find("(Tempo ") != npos) {
            text = ReplaceAll(text, "(Tempo ", ":Tempo=");
            const std::size_t close = text.find(')');
            if (close == npos) HeaderUnreadable();
            text[close] = ':';
        } else {
            text = ReplaceAll(text, "Tempo", ":Tempo");
        }
    }
    std::string name;
    const std::size_t colon = text.find(':');
    if (colon != npos) {
        if (text.find(':', colon + 1) != npos) {
            name = text.substr(0, colon);
            text.erase(0, colon + 1);
            nameFound_ = true;
        } else {
            nameFound_ = false;
        }
    }
    if (text.find('(') != npos) text = ReplaceAll(ReplaceAll(ReplaceAll(text, "(hold ", ""), "( ", ""), "(", "");
    const std::string_view trimmed = TrimSpaces(name);
    return trimmed.empty() ? std::string("No name") : std::string(trimmed);
}

std::string CNotes::ParseDefaultDuration(std::string& text) {
    return TakeMarkedValue(text, "d=", ',', durationFound_).value_or(state_->DefaultDuration);
}

std::string CNotes::ParseDefaultOctave(std::string& text) {
    return TakeMarkedValue(text, "o=", ',', octaveFound_).value_or(state_->DefaultOctave);
}

std::string CNotes::ParseTempo(std::string& text) {
    auto tempo = TakeMarkedValue(text, "b=", ':', tempoFound_);
    if (!tempo) tempo = TakeMarkedValue(text, "Tempo=", ':', tempoFound_);
    return tempo.value_or("125");
}

}  // namespace tw

// Reading a ringtone header: the name before the first colon, the RTTTL
// defaults d= and o=, and the tempo as b= or Tempo=. Each reader takes its
// part off the front of the text it is given.
#include <optional>
#include <string>
#include <string_view>

#include "cnotes.h"
#include "engine_error.h"
#include "text_rules.h"

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

}  // namespace

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

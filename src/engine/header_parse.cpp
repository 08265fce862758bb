// Reading a ringtone header: the name before the first colon, the RTTTL
// defaults d= and o=, and the tempo as b= or Tempo=. Each reader takes its
// part off the front of the text it is given.
#include <string>

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
    const std::size_t at = t.find("d=");
    if (at == npos) {
        durationFound_ = false;
        return state_->DefaultDuration;
    }
    std::string value = TakeValue(t, at, 2, ',');
    durationFound_ = true;
    return value;
}

std::string CNotes::ParseDefaultOctave(std::string& t) {
    const std::size_t at = t.find("o=");
    if (at == npos) {
        octaveFound_ = false;
        return state_->DefaultOctave;
    }
    std::string value = TakeValue(t, at, 2, ',');
    octaveFound_ = true;
    return value;
}

std::string CNotes::ParseTempo(std::string& t) {
    std::string tempo = "125";
    if (const std::size_t at = t.find("b="); at != npos) tempo = TakeValue(t, at, 2, ':');
    else if (const std::size_t at6 = t.find("Tempo="); at6 != npos) tempo = TakeValue(t, at6, 6, ':');
    else {
        tempoFound_ = false;
        return tempo;
    }
    tempoFound_ = true;
    return tempo;
}

}  // namespace tw

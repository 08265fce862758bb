#include "sound/voice_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace tw {
namespace {

struct NamedVoice {
    std::string_view name;
    std::optional<int> program;  // counted from 0
};

// Struck and plucked instruments: short, clear attacks that carry a melody
// of quick notes as a ringtone needs, and that sound at the note's pitch.
// The bells (celesta, glockenspiel, tubular bells) are left out: their
// partials ring well away from the note.
constexpr std::array<NamedVoice, 6> Voices{{
    {"beep", std::nullopt},
    {"piano", 0},
    {"music-box", 10},
    {"vibraphone", 11},
    {"marimba", 12},
    {"guitar", 24},
}};

bool SameWord(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<std::pair<std::string, Voice>> NamedVoices() {
    std::vector<std::pair<std::string, Voice>> voices;
    for (const NamedVoice& voice : Voices) voices.emplace_back(std::string(voice.name), Voice{voice.program});
    return voices;
}

std::optional<Voice> VoiceFromWord(std::string_view word) {
    for (const NamedVoice& voice : Voices)
        if (SameWord(voice.name, word)) return Voice{voice.program};
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || number < 1 || number > 128)
        return std::nullopt;
    return Voice{number - 1};
}

std::string VoiceName(const Voice& voice) {
    for (const NamedVoice& named : Voices)
        if (named.program == voice.program) return std::string(named.name);
    return "program " + std::to_string(voice.program.value_or(-1) + 1);
}

}  // namespace tw

#include "engine/note_keys.h"

#include <array>

#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

// log2 of a handset duration (1, 2, 4, 8, 16, 32), or -1.
int DurationStep(int duration) {
    constexpr std::array<int, 6> durations{1, 2, 4, 8, 16, 32};
    for (std::size_t i = 0; i < durations.size(); ++i)
        if (durations[i] == duration) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::string ConvertOctave(std::string_view octave) {
    if (octave == "1") return "5";
    if (octave == "2") return "6";
    if (octave == "3") return "7";
    if (octave == "5") return "1";
    if (octave == "6") return "2";
    if (octave == "7") return "3";
    if (octave == "4" || octave == "8") throw EngineError(EngineError::Reason::InvalidOctave, "Invalid Octave");
    return {};
}

std::string NearestComposerOctave(std::string_view rtttlOctave) {
    if (!IsNumeric(rtttlOctave)) return {};
    const std::int32_t octave = ToInt32(rtttlOctave);
    return std::to_string(octave < 5 ? 1 : octave > 7 ? 3 : octave - 4);
}

std::string NoteKey(std::string_view letter) {
    const std::string lower = ToLowerAscii(letter);
    if (lower == "c") return "1";
    if (lower == "d") return "2";
    if (lower == "e") return "3";
    if (lower == "f") return "4";
    if (lower == "g") return "5";
    if (lower == "a") return "6";
    if (lower == "b") return "7";
    if (lower == "-") return "0";
    return {};
}

std::string DurationKeys(const NoteState& state, std::int16_t target) {
    const int from = DurationStep(ToInt16(state.LastKeyDuration));
    const int to = DurationStep(target);
    if (from < 0 || to < 0) return {};
    const int steps = to - from;
    return steps > 0 ? std::string(steps, '8') : std::string(-steps, '9');
}

std::string OctaveKeys(const NoteState& state, std::int16_t target) {
    const int from = ToInt16(state.LastKeyOctave);
    const auto inRange = [](int octave) { return octave >= 1 && octave <= 3; };
    if (!inRange(from) || !inRange(target)) return {};
    const int steps = ((target - from) % 3 + 3) % 3;
    return std::string(steps, '*');
}

}  // namespace tw

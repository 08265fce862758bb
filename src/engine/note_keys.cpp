#include "engine/note_keys.h"

#include <algorithm>
#include <array>
#include <cmath>

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

std::string RTTTLOctaveOf(std::string_view composerOctave) {
    if (!IsNumeric(composerOctave)) return {};
    return std::to_string(std::int64_t{ToInt32(composerOctave)} + 4);
}

std::optional<std::int16_t> NearestHandsetDuration(std::int32_t duration) {
    if (duration < 1) return std::nullopt;
    // log2 of a whole number is never halfway between two whole numbers.
    const long step = std::clamp(std::lround(std::log2(static_cast<double>(duration))), 0L, 5L);
    return static_cast<std::int16_t>(1 << step);
}

std::int16_t NearestHandsetOctave(std::int32_t octave) { return static_cast<std::int16_t>(std::clamp(octave, 1, 3)); }

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

#include "engine/plain_note.h"

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {

std::int32_t LetterSemitone(char letter) {
    switch (letter) {
    case 'c': return 0;
    case 'd': return 2;
    case 'e': return 4;
    case 'f': return 5;
    case 'g': return 7;
    case 'a': return 9;
    case 'b': return 11;
    default: return -1;
    }
}

char SemitoneLetter(std::int32_t semitoneInOctave, bool& sharp) {
    static constexpr char letters[] = "ccddeffggaab";
    static constexpr bool sharps[] = {false, true, false, true, false, false, true, false, true, false, true, false};
    const auto step = static_cast<std::size_t>(StepOf(semitoneInOctave));
    sharp = sharps[step];
    return letters[step];
}

std::optional<PlainNote> PlainNoteOf(const CNote& note, const CNotes& ringtone) {
    if (note.Misread()) return std::nullopt;
    PlainNote plain;
    try {
        const std::string duration = note.ComposerDuration();
        if (!IsNumeric(duration)) return std::nullopt;
        plain.duration = ToInt32(duration);
        if (plain.duration < 1) return std::nullopt;
        plain.dotted = !note.RTTTLDotted().empty();
        const std::string letter = ToLowerAscii(note.RTTTLNote());
        if (letter == "p") return plain;
        if (letter.size() != 1 || LetterSemitone(letter.front()) < 0) return std::nullopt;
        const std::string own = note.RTTTLOctave();
        const std::string& octaveText = own.empty() ? ringtone.DefaultOctave() : own;
        if (!IsNumeric(octaveText)) return std::nullopt;
        const std::int32_t octave = ToInt32(octaveText);
        if (octave < -1000 || octave > 1000) return std::nullopt;
        plain.semitone = 12 * octave + LetterSemitone(letter.front()) + (note.Sharp().empty() ? 0 : 1);
    } catch (const EngineError&) {
        return std::nullopt;
    }
    return plain;
}

}  // namespace tw

// Reads arbitrary bytes as an RTTTL ringtone and shapes it every way the Edit
// menu and `transpose` do: nothing may crash, a change refuses only a text
// grown past the limit, it keeps the number of notes, a note moved out of
// RTTTL's octaves is reported, and the notes it took away come back whole
// (Undo) when the ringtone read cleanly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "engine/transpose.h"

namespace {

// Applies `shaped` to `ringtone`; false when the text grew past the limit.
bool Applied(tw::CNotes& ringtone, const tw::ShapedRingtone& shaped) {
    try {
        tw::ApplyShape(ringtone, shaped);
    } catch (const tw::EngineError& e) {
        if (e.reason() != tw::EngineError::Reason::TooLong) __builtin_trap();
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte picks the change and the note, the rest is the ringtone.
    const std::uint8_t pick = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    try {
        ringtone.SetFull_RTTTL(text);
    } catch (const tw::EngineError&) {
        return 0;
    }
    if (ringtone.Count() == 0) return 0;
    const std::vector<std::string> before = tw::NoteTokens(ringtone);
    const tw::NoteChoice note =
        pick & 0x80 ? tw::NoteChoice(static_cast<std::size_t>(pick & 0x0F) % before.size()) : std::nullopt;
    const int semitones[] = {1, -1, 12, -12, 25, -120};
    const int kind = (pick >> 4) & 0x07;
    const bool moves = kind == 0 || kind >= 3;
    tw::ShapedRingtone shaped;
    switch (kind) {
    case 0: shaped = tw::FittedIntoComposerOctaves(ringtone, note); break;
    case 1: shaped = tw::LengthStepped(ringtone, note, 1); break;
    case 2: shaped = tw::LengthStepped(ringtone, note, -2); break;
    default: shaped = tw::Transposed(ringtone, semitones[pick % 6], note); break;
    }
    // A ringtone read with problems (a tempo holding a colon) may not read
    // again as it was, changed or not; one read cleanly must.
    const bool clean = ringtone.ErrorMessage().empty();
    if (!Applied(ringtone, shaped)) return 0;
    if (clean && static_cast<std::size_t>(ringtone.Count()) != before.size()) __builtin_trap();
    // Every note of a clean ringtone moved and none reported: all are within
    // RTTTL's octaves. (A default duration read from a header without a
    // control section is taken as written, up to the next comma; one that
    // is no number does not read back from the written text.)
    if (clean && moves && !note && shaped.changed && shaped.problems.empty())
        for (const tw::CNote& each : ringtone) {
            const std::string octave = each.RTTTLOctave();
            if (octave.size() > 1 || (octave.size() == 1 && (octave[0] < '0' || octave[0] > '9'))) __builtin_trap();
        }
    if (!Applied(ringtone, tw::NotesRestored(ringtone, before))) __builtin_trap();
    if (clean && tw::NoteTokens(ringtone) != before) __builtin_trap();
    return 0;
}

// Reads arbitrary bytes as a whole ringtone in one notation (chosen at build
// time) and writes it back in every notation: nothing may crash, writing what
// was read must never throw, no pitch may be negative or not a number, and a
// ringtone written as RTTTL that reads cleanly is written the same again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"

#ifndef TW_FUZZ_NOTATION
#error "TW_FUZZ_NOTATION must name the notation to read"
#endif

namespace {

// Reads RTTTL text the program wrote; nothing when its header cannot be read
// (a name or tempo of the source text may hold anything).
std::optional<tw::CNotes> ReadRTTTL(const std::string& text) {
    tw::CNotes notes;
    notes.SetOutputSeparator(", ");
    try {
        notes.SetFull_RTTTL(text);
    } catch (const tw::EngineError&) {
        return std::nullopt;
    }
    return notes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::CNotes notes;
    notes.SetOutputSeparator(", ");
    try {
        notes.SetFull(tw::Notation::TW_FUZZ_NOTATION, text);
    } catch (const tw::EngineError& e) {
        if (e.reason() != tw::EngineError::Reason::BadHeader && e.reason() != tw::EngineError::Reason::TooLong)
            __builtin_trap();
    }
    const std::string rtttl = notes.Full_RTTTL();
    (void)notes.Full_Composer();
    (void)notes.Full_Keypresses();
    (void)notes.ErrorMessage();
    for (const tw::CNote& note : notes) {
        try {
            if (!(note.SoundFrequency() >= 0)) __builtin_trap();
            (void)note.SoundDuration();
        } catch (const tw::EngineError&) {
        }
    }
    // Written once, a ringtone that reads cleanly is written the same again.
    if (rtttl.size() > tw::MaxRingtoneText) return 0;
    const std::optional<tw::CNotes> once = ReadRTTTL(rtttl);
    if (!once || !once->NameFound() || !once->DurationFound() || !once->OctaveFound() || !once->TempoFound() ||
        !once->SeparatorFound() || !once->NotesValid())
        return 0;
    const std::string written = once->Full_RTTTL();
    if (written.size() > tw::MaxRingtoneText) return 0;
    const std::optional<tw::CNotes> twice = ReadRTTTL(written);
    if (!twice || twice->Full_RTTTL() != written) __builtin_trap();
    return 0;
}

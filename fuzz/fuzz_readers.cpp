// Reads arbitrary bytes as a whole ringtone in one notation (chosen at build
// time) and writes it back in every notation: nothing may crash, writing what
// was read must never throw, no pitch may be negative or not a number, the
// name read comes back as it is from every notation it is written in, and a
// ringtone written as RTTTL that reads cleanly is written the same again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_name.h"
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
    bool read = false;
    try {
        notes.SetFull(tw::Notation::TW_FUZZ_NOTATION, text);
        read = true;
    } catch (const tw::EngineError& e) {
        if (e.reason() != tw::EngineError::Reason::BadHeader && e.reason() != tw::EngineError::Reason::TooLong)
            __builtin_trap();
    }
    if (read && !tw::FitRingtoneName(notes.Name()).changes.empty()) __builtin_trap();
    // No name can end early or read as something else in any notation (a
    // text that does not read again for its notes says nothing of its name).
    for (tw::Notation to : {tw::Notation::RTTTL, tw::Notation::Composer, tw::Notation::Keypresses}) {
        if (!read) break;
        const std::string written = notes.Full(to);
        if (written.size() > tw::MaxRingtoneText) continue;
        tw::CNotes back;
        back.SetOutputSeparator(", ");
        try {
            tw::ReadGivenRingtone(back, to, written);
        } catch (const tw::EngineError&) {
            continue;
        }
        if (back.Name() != notes.Name() || !back.NameChanges().empty()) __builtin_trap();
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

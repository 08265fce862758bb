// Reads arbitrary bytes as a whole ringtone in one notation (chosen at build
// time) and writes it back in every notation: nothing may crash, and writing
// what was read must never throw.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cnotes.h"
#include "engine_error.h"
#include "ringtone_text.h"

#ifndef TW_FUZZ_NOTATION
#error "TW_FUZZ_NOTATION must name the notation to read"
#endif

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
    (void)notes.Full_RTTTL();
    (void)notes.Full_Composer();
    (void)notes.Full_Keypresses();
    (void)notes.ErrorMessage();
    for (const tw::CNote& note : notes) {
        try {
            (void)note.SoundFrequency();
            (void)note.SoundDuration();
        } catch (const tw::EngineError&) {
        }
    }
    return 0;
}

// The keypress preparation takes any pasted text; what it gives is then read
// as a keypress ringtone.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string prepared = tw::PrepareKeypresses(tw::JoinLines(text));
    // Every key survives; only spaces and commas are moved or added.
    if (prepared.size() > 2 * text.size() + 1) __builtin_trap();
    tw::CNotes notes;
    notes.SetOutputSeparator(" ");
    try {
        notes.SetFull_Keypresses(prepared);
    } catch (const tw::EngineError&) {
    }
    (void)notes.Full_Keypresses();
    return 0;
}

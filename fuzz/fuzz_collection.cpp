// The collection reader on any text: no crash, and what it finds holds
// together: ringtones in the order of their lines, each one line of text that
// reads as a single ringtone would.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/collection.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto ringtones = tw::SplitCollection(text);
    std::size_t lastLine = 0;
    std::size_t joined = 0;
    tw::CNotes notes;
    for (const tw::CollectedRingtone& ringtone : ringtones) {
        Check(ringtone.line > lastLine);
        lastLine = ringtone.line;
        Check(ringtone.text.find_first_of("\r\n") == std::string::npos);
        joined += ringtone.text.size();
        try {
            tw::ReadGivenRingtone(notes, tw::Notation::RTTTL, ringtone.text);
        } catch (const tw::EngineError&) {
        }
    }
    // Nothing is made up: the ringtones hold no more than the text.
    Check(joined <= size);
    return 0;
}

// Reads arbitrary bytes as a handset file (iMelody, Smart Messaging or the
// Flipper Music Format, chosen at build time): nothing may crash, the reader
// may refuse only as a file it cannot read or one too long, the name read is
// fit for every notation, and a ringtone read that its format writes again
// without a problem reads back with the same name and notes, whichever way
// iMelody octave prefixes are read. Both readings of the input are tried.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/file_format.h"
#include "engine/ringtone_name.h"

#ifndef TW_FUZZ_FILE_FORMAT
#error "TW_FUZZ_FILE_FORMAT must name the file format to read"
#endif

namespace {

constexpr tw::FileFormat Format = tw::FileFormat::TW_FUZZ_FILE_FORMAT;

bool Expected(const tw::EngineError& e) {
    return e.reason() == tw::EngineError::Reason::BadFile || e.reason() == tw::EngineError::Reason::TooLong;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tw::CNotes notes;
    notes.SetOutputSeparator(",");
    try {
        tw::CNotes oneNote;
        tw::ReadRingtoneAs(oneNote, Format, bytes, {tw::OctavePrefixes::OneNote, ""});
    } catch (const tw::EngineError& e) {
        if (!Expected(e)) __builtin_trap();
    }
    try {
        tw::ReadRingtoneAs(notes, Format, bytes);
    } catch (const tw::EngineError& e) {
        if (!Expected(e)) __builtin_trap();
        return 0;
    }
    if (!tw::FitRingtoneName(notes.Name()).changes.empty()) __builtin_trap();
    (void)notes.ErrorMessage();
    (void)notes.Full_RTTTL();
    tw::WrittenRingtone written;
    try {
        written = tw::WriteRingtoneAs(notes, Format);
    } catch (const tw::EngineError& e) {
        // More than one pattern holds, or more than the program reads again.
        if (e.reason() != tw::EngineError::Reason::CannotWrite && e.reason() != tw::EngineError::Reason::TooLong)
            __builtin_trap();
        return 0;
    }
    if (!written.problems.empty()) return 0;
    for (tw::OctavePrefixes prefixes : {tw::OctavePrefixes::UntilNext, tw::OctavePrefixes::OneNote}) {
        tw::CNotes again;
        again.SetOutputSeparator(",");
        try {
            tw::ReadRingtoneAs(again, Format, written.bytes, {prefixes, ""});
        } catch (const tw::EngineError&) {
            __builtin_trap();
        }
        if (again.Name() != notes.Name() || again.Count() != notes.Count() ||
            again.Only_RTTTL() != notes.Only_RTTTL() || again.Tempo() != notes.Tempo())
            __builtin_trap();
    }
    return 0;
}

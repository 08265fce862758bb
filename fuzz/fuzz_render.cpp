// Renders arbitrary ringtone text to sound. The first byte picks the notation
// ('c' composer, 'k' keypresses, anything else RTTTL), the rest is the text.
// Nothing may crash, every failure must be a SoundError, and a render that
// succeeds must give an image of exactly the planned size. The notes an
// instrument voice plays are planned too: each on a MIDI key, one after the
// other, within the ringtone's length.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "sound/instrument_notes.h"
#include "sound/render.h"
#include "sound/sound_error.h"

namespace {

// Inputs are capped so one run stays quick; longer sounds are only planned.
constexpr std::size_t MaxInputBytes = 4096;
constexpr std::int64_t MaxSynthesisedSamples = 400'000;

tw::Notation NotationOf(std::uint8_t byte) {
    if (byte == 'c') return tw::Notation::Composer;
    if (byte == 'k') return tw::Notation::Keypresses;
    return tw::Notation::RTTTL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > MaxInputBytes) return 0;
    const tw::Notation notation = NotationOf(data[0]);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    tw::CNotes notes;
    notes.SetOutputSeparator(", ");
    try {
        notes.SetFull(notation, notation == tw::Notation::Keypresses ? tw::PrepareKeypresses(text) : std::string(text));
    } catch (const tw::EngineError&) {
        return 0;
    }
    try {
        const tw::InstrumentPlan instrument = tw::PlanInstrumentNotes(notes, 44100);
        std::int64_t end = 0;
        for (const tw::InstrumentNote& note : instrument.notes) {
            if (note.key < 0 || note.key > 127 || note.start < end || note.end <= note.start) __builtin_trap();
            end = note.end;
        }
        if (end > instrument.length) __builtin_trap();
    } catch (const tw::SoundError&) {
    }
    try {
        const tw::SoundPlan plan = tw::PlanSound(notes, 8000);
        if (plan.totalSamples > MaxSynthesisedSamples) return 0;
        const std::vector<std::uint8_t> image = tw::RenderWave(notes);
        if (image.size() != 44 + 2 * static_cast<std::size_t>(plan.totalSamples)) __builtin_trap();
    } catch (const tw::SoundError&) {
    }
    return 0;
}

#include "sound/instrument_notes.h"

#include <cmath>
#include <optional>

#include "sound/cwave.h"
#include "sound/note_sound.h"
#include "sound/render.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

// The longest sound, in seconds, as for the beep.
constexpr double MaxSeconds = MaxSoundSamples / 8000.0;

// The key of a pitch, moved by octaves into 0 to 127; nothing for a pitch
// that is no number of hertz above 0.
std::optional<int> KeyOf(double frequency) {
    if (!(frequency > 0 && std::isfinite(frequency))) return std::nullopt;
    double key = std::round(69 + 12 * std::log2(frequency / 440.0));
    if (key > 127) key -= 12 * std::ceil((key - 127) / 12);
    if (key < 0) key += 12 * std::ceil(-key / 12);
    return static_cast<int>(key);
}

}  // namespace

InstrumentPlan PlanInstrumentNotes(const CNotes& ringtone, int sampleRate) {
    const double wholeNote = 240.0 / SoundTempo(ringtone.Tempo());
    InstrumentPlan plan;
    double seconds = 0;
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        const NoteSound sound = SoundOfNote(note, position);
        const double frequency = sound.frequency;
        const double length = wholeNote * sound.wholeNotes;
        if (!(length >= 0 && std::isfinite(length)))
            throw SoundError(SoundError::Reason::BadNote, note.ProblemLine(position, "a note without a length"));
        const double end = seconds + length;
        if (end > MaxSeconds) throw SoundError(SoundError::Reason::TooLong, "the sound is too long");
        const std::optional<int> key = KeyOf(frequency);
        const auto first = static_cast<std::int64_t>(std::llround(seconds * sampleRate));
        const auto last = static_cast<std::int64_t>(std::llround(end * sampleRate));
        if (key && last > first) plan.notes.push_back({*key, first, last});
        seconds = end;
    }
    plan.length = static_cast<std::int64_t>(std::llround(seconds * sampleRate));
    return plan;
}

}  // namespace tw

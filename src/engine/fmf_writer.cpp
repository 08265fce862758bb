// Writing a ringtone as a Flipper Music Format file the Flipper plays as it
// sounds.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/fmf.h"
#include "engine/format_tempo.h"
#include "engine/note_sequence.h"
#include "engine/plain_note.h"
#include "engine/ringtone_text.h"
#include "engine/size_limits.h"

namespace tw {
namespace {

constexpr std::int32_t LowestBpm = 1, HighestBpm = 32767;
constexpr std::int32_t LongestDuration = 128, HighestOctave = 16;
// A note without an octave is in the header's; octave 0 is written that way,
// as a note written with "0" takes the header's octave too.
constexpr std::int32_t UsualOctave = 5;

// A plain note as the file holds it: the nearest duration and octave, and
// what had to change.
struct WrittenNote {
    std::optional<std::int32_t> semitone;
    std::int32_t duration = 4;
    bool dotted = false;
};

WrittenNote Nearest(const PlainNote& plain, const std::function<void(const std::string&)>& report) {
    WrittenNote note{plain.semitone, std::clamp(plain.duration, 1, LongestDuration), plain.dotted};
    if (note.duration != plain.duration)
        report("a length the Flipper Music Format does not have, written as 1/" + std::to_string(note.duration));
    if (note.semitone) {
        const std::int32_t wanted = OctaveOf(*note.semitone);
        const std::int32_t nearest = std::clamp(wanted, 0, HighestOctave);
        if (nearest != wanted) {
            report(std::string(wanted < nearest ? "below" : "above") +
                   " the Flipper Music Format's octaves, written in octave " + std::to_string(nearest));
            note.semitone = 12 * nearest + StepOf(*note.semitone);
        }
    }
    return note;
}

}  // namespace

WrittenRingtone WriteFmf(const CNotes& ringtone) {
    WrittenRingtone written;
    std::vector<std::string>& problems = written.problems;
    if (std::none_of(ringtone.begin(), ringtone.end(),
                     [&](const CNote& note) { return PlainNoteOf(note, ringtone).has_value(); }))
        throw EngineError(EngineError::Reason::CannotWrite,
                          "The ringtone holds no note that could be read, so there is nothing to write.");
    const std::string bpm =
        std::to_string(FormatTempo(ringtone.Tempo(), LowestBpm, HighestBpm, "1 to 32767", "BPM: 120", problems));
    std::vector<WrittenNote> notes;
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        const auto report = [&](const std::string& reason) {
            problems.push_back("note " + std::to_string(position) + ", " + note.RTTTLText() + ": " + reason);
        };
        if (const std::optional<PlainNote> plain = PlainNoteOf(note, ringtone))
            notes.push_back(Nearest(*plain, report));
        else report("not a note, left out");
    }
    const bool octaveZero = std::any_of(notes.begin(), notes.end(),
                                        [](const WrittenNote& n) { return n.semitone && OctaveOf(*n.semitone) == 0; });
    const std::int32_t headerOctave = octaveZero ? 0 : UsualOctave;
    std::string text;
    text.reserve(notes.size() * 7);
    std::size_t readBack = MelodyHeaderBytes;
    for (const WrittenNote& note : notes) {
        if (!text.empty()) text += ", ";
        text += std::to_string(note.duration);
        if (!note.semitone) text += 'P';
        else {
            bool sharp = false;
            text += static_cast<char>(SemitoneLetter(StepOf(*note.semitone), sharp) - 'a' + 'A');
            if (sharp) text += '#';
            if (const std::int32_t octave = OctaveOf(*note.semitone); octave != headerOctave)
                text += std::to_string(octave);
        }
        if (note.dotted) text += '.';
        readBack += MelodyNoteBytes(note.semitone, note.duration, note.dotted);
    }
    std::string& out = written.bytes;
    out = "Filetype: Flipper Music Format\nVersion: 0\nBPM: " + bpm +
          "\nDuration: 4\nOctave: " + std::to_string(headerOctave) + "\nNotes: ";
    out += text;
    out += '\n';
    CheckHandsetFileReadsBack("The Flipper Music Format file", readBack, out.size());
    return written;
}

}  // namespace tw

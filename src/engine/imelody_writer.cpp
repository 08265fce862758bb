// Writing a ringtone as an iMelody object that the oldest phones read.
#include <algorithm>
#include <string>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/format_length.h"
#include "engine/format_notes.h"
#include "engine/format_tempo.h"
#include "engine/imelody.h"
#include "engine/note_sequence.h"
#include "engine/plain_note.h"
#include "engine/ringtone_text.h"
#include "engine/size_limits.h"

namespace tw {
namespace {

constexpr std::int32_t LowestBeat = 25, HighestBeat = 900;
constexpr std::int32_t LowestOctave = 0, HighestOctave = 8;

char SpecifierChar(LengthSpecifier specifier) {
    switch (specifier) {
    case LengthSpecifier::None: return '\0';
    case LengthSpecifier::Dotted: return '.';
    case LengthSpecifier::DoubleDotted: return ':';
    case LengthSpecifier::TwoThirds: return ';';
    }
    return '\0';
}

std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text)
        if (c != '\r' && c != '\n') line += c;
    return line;
}

}  // namespace

WrittenRingtone WriteIMelody(const CNotes& ringtone) {
    WrittenRingtone written;
    std::vector<std::string>& problems = written.problems;
    const std::string beat = std::to_string(
        FormatTempo(ringtone.Tempo(), LowestBeat, HighestBeat, "iMelody's 25 to 900", "BEAT:120", problems));
    std::string melody;
    melody.reserve(ringtone.Notes().size() * 6);
    std::size_t readBack = MelodyHeaderBytes;  // the ringtone text the file reads back as
    WriteFormatNotes(ringtone, "iMelody", problems, [&](const PlainNote& plain, FormatLength length, auto&& report) {
        if (!plain.semitone) {
            melody += 'r';
            readBack += MelodyNoteBytes(std::nullopt, length);
        } else {
            // RTTTL's octave numbers are one above iMelody's.
            const std::int32_t wanted = OctaveOf(*plain.semitone) - 1;
            const std::int32_t nearest = std::clamp(wanted, LowestOctave, HighestOctave);
            if (nearest != wanted)
                report(std::string(wanted < nearest ? "below" : "above") + " iMelody's octaves, written in *" +
                       std::to_string(nearest));
            // A prefix on every note reads alike whether a reader holds it
            // until the next one or for one note; the sharp stands before
            // the letter, as the grammar has it.
            melody += '*';
            melody += static_cast<char>('0' + nearest);
            bool sharp = false;
            const char letter = SemitoneLetter(StepOf(*plain.semitone), sharp);
            if (sharp) melody += '#';
            melody += letter;
            readBack += MelodyNoteBytes(12 * (nearest + 1) + StepOf(*plain.semitone), length);
        }
        melody += static_cast<char>('0' + length.power);
        if (const char specifier = SpecifierChar(length.specifier)) melody += specifier;
    });
    std::string& out = written.bytes;
    out = "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:" + OneLine(ringtone.Name()) + "\r\nBEAT:" + beat +
          "\r\nMELODY:";
    out += melody;
    out += "\r\nEND:IMELODY\r\n";
    CheckHandsetFileReadsBack("The iMelody file", readBack, out.size());
    return written;
}

}  // namespace tw

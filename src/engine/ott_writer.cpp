// Writing a ringtone as a Smart Messaging ringing tone of one pattern.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/bit_stream.h"
#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/format_length.h"
#include "engine/format_notes.h"
#include "engine/format_tempo.h"
#include "engine/ott.h"
#include "engine/plain_note.h"
#include "engine/utf8.h"

namespace tw {
namespace {

constexpr std::size_t LongestTitle = 15;
constexpr std::size_t MostInstructions = 255;
constexpr std::int32_t LowestScaleOctave = 4, HighestScaleOctave = 7;  // RTTTL octaves of the four scales

// The index of the standard tempo nearest `tempo`; the slower of two as near.
std::uint32_t NearestTempo(std::int32_t tempo) {
    std::uint32_t best = 0;
    for (std::uint32_t i = 1; i < OttTempos.size(); ++i)
        if (std::abs(OttTempos[i] - tempo) < std::abs(OttTempos[best] - tempo)) best = i;
    return best;
}

std::string Title(const CNotes& ringtone, std::vector<std::string>& problems) {
    std::size_t unmapped = 0;
    std::string title = Latin1FromUtf8(ringtone.Name(), unmapped);
    if (unmapped != 0) problems.push_back("the name has characters beyond ISO-8859-1, written as '?'");
    if (title.size() > LongestTitle) {
        title.resize(LongestTitle);
        problems.push_back("the name is longer than the 15 characters a ringing tone holds, cut after 15");
    }
    return title;
}

std::uint32_t TempoIndex(const CNotes& ringtone, std::vector<std::string>& problems) {
    const std::optional<std::int32_t> tempo = TempoNumber(ringtone.Tempo());
    const std::uint32_t index = NearestTempo(tempo.value_or(63));
    if (!tempo) problems.push_back("the tempo " + ringtone.Tempo() + " is no number, written as 63");
    else if (OttTempos[index] != *tempo)
        problems.push_back("the tempo " + std::to_string(*tempo) + " is not one a ringing tone has, written as " +
                           std::to_string(OttTempos[index]));
    return index;
}

}  // namespace

WrittenRingtone WriteOtt(const CNotes& ringtone) {
    WrittenRingtone written;
    std::vector<std::string>& problems = written.problems;
    const std::string title = Title(ringtone, problems);

    BitWriter instructions;
    std::size_t count = 0;
    instructions.Put(3, 3);  // style: natural
    instructions.Put(0, 2);
    instructions.Put(4, 3);  // tempo
    instructions.Put(TempoIndex(ringtone, problems), 5);
    count += 2;
    std::optional<std::int32_t> scale;
    WriteFormatNotes(ringtone, "a ringing tone", problems,
                     [&](const PlainNote& plain, FormatLength length, auto&& report) {
                         std::uint32_t value = 0;
                         if (plain.semitone) {
                             const std::int32_t wanted = OctaveOf(*plain.semitone);
                             const std::int32_t octave = std::clamp(wanted, LowestScaleOctave, HighestScaleOctave);
                             if (octave != wanted)
                                 report(std::string(wanted < octave ? "below" : "above") +
                                        " the four scales of a ringing tone, written in the " +
                                        (wanted < octave ? "lowest (a = 440 Hz)" : "highest (a = 3520 Hz)"));
                             if (scale != octave - LowestScaleOctave) {
                                 scale = octave - LowestScaleOctave;
                                 instructions.Put(2, 3);
                                 instructions.Put(static_cast<std::uint32_t>(*scale), 2);
                                 ++count;
                             }
                             value = static_cast<std::uint32_t>(StepOf(*plain.semitone)) + 1;
                         }
                         instructions.Put(1, 3);
                         instructions.Put(value, 4);
                         instructions.Put(length.power, 3);
                         instructions.Put(static_cast<std::uint32_t>(length.specifier), 2);
                         ++count;
                     });
    if (count > MostInstructions)
        throw EngineError(EngineError::Reason::CannotWrite,
                          "The ringtone needs " + std::to_string(count) +
                              " instructions (its notes, scale changes, style and tempo); a ringing tone holds "
                              "at most 255.");

    BitWriter bits;
    bits.Put(2, 8);     // command parts
    bits.Put(0x25, 7);  // ringing-tone programming
    bits.Align();
    bits.Put(0x1D, 7);  // sound
    bits.Put(1, 3);     // basic song
    bits.Put(static_cast<std::uint32_t>(title.size()), 4);
    for (char c : title) bits.Put(static_cast<unsigned char>(c), 8);
    bits.Put(1, 8);  // one pattern
    bits.Put(0, 3);  // pattern header
    bits.Put(0, 2);  // pattern A
    bits.Put(0, 4);  // no loop
    bits.Put(static_cast<std::uint32_t>(count), 8);
    bits.Append(instructions);
    bits.Align();
    bits.Put(0, 8);  // command end
    written.bytes = bits.Bytes();
    return written;
}

}  // namespace tw

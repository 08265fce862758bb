// Reading a Smart Messaging ringing tone, bit by bit.
#include <array>
#include <optional>
#include <string>

#include "engine/bit_stream.h"
#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/note_sequence.h"
#include "engine/ott.h"
#include "engine/ringtone_text.h"
#include "engine/utf8.h"

namespace tw {
namespace {

constexpr std::uint32_t RingingToneCommand = 0x25, UnicodeCommand = 0x22, SoundCommand = 0x1D;
constexpr std::uint32_t BasicSong = 1, TemporarySong = 2;
enum Instruction : std::uint32_t { PatternHeader = 0, Note = 1, Scale = 2, Style = 3, Tempo = 4, Volume = 5 };
constexpr std::uint32_t ForEver = 15;

[[noreturn]] void Unreadable(const std::string& why) {
    throw EngineError(EngineError::Reason::BadFile, "The Smart Messaging ringing tone cannot be read: " + why + ".");
}

std::string Bits(std::uint32_t value, unsigned bits) {
    std::string text;
    for (unsigned i = bits; i-- > 0;) text += (value >> i & 1U) ? '1' : '0';
    return text;
}

class OttReader {
public:
    explicit OttReader(std::string_view bytes) : bits_(bytes) {}

    void Read(CNotes& ringtone) {
        try {
            ReadMessage();
        } catch (const BitReader::OutOfBits&) {
            Unreadable("the data ends inside " + Where());
        }
        notes_.Finish(ringtone, name_, std::to_string(tempo_ ? *tempo_ : 63));
    }

private:
    // Where the reader is, for a report.
    std::string Where() const {
        if (pattern_ == 0) return part_;
        std::string where = "pattern " + std::to_string(pattern_);
        if (instruction_ != 0) where = "instruction " + std::to_string(instruction_) + " of " + where;
        return where;
    }

    void ReadMessage() {
        part_ = "the command-part count";
        const std::uint32_t parts = bits_.Take(8);
        if (parts == 0) Unreadable("it has no command part");
        for (std::uint32_t i = 1; i <= parts; ++i) {
            part_ = "command part " + std::to_string(i);
            const std::uint32_t command = bits_.Take(7);
            if (command == SoundCommand) {
                ReadSong();
                return;
            }
            if (command == UnicodeCommand) unicode_ = true;
            else if (command != RingingToneCommand)
                Unreadable("command part " + std::to_string(i) + " is " + Bits(command, 7) +
                           ", not a ringing-tone command");
            bits_.Align();
        }
        Unreadable("it has no sound command");
    }

    void ReadSong() {
        part_ = "the song type";
        const std::uint32_t type = bits_.Take(3);
        if (type == BasicSong) ReadTitle();
        else if (type != TemporarySong)
            Unreadable("the song type " + Bits(type, 3) + " is not a basic or temporary song");
        part_ = "the song's pattern count";
        const std::uint32_t patterns = bits_.Take(8);
        if (patterns == 0) Unreadable("the song has no pattern");
        for (std::uint32_t p = 1; p <= patterns; ++p) ReadPattern(p);
    }

    void ReadTitle() {
        part_ = "the title";
        const std::uint32_t length = bits_.Take(4);
        for (std::uint32_t i = 0; i < length; ++i) {
            const std::uint32_t code = bits_.Take(unicode_ ? 16 : 8);
            if (code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0)) AppendUtf8(name_, code);
        }
    }

    void ReadPattern(std::uint32_t number) {
        pattern_ = number;
        instruction_ = 0;
        if (bits_.Take(3) != PatternHeader) Unreadable("pattern " + std::to_string(number) + " has no pattern header");
        const std::uint32_t id = bits_.Take(2), loop = bits_.Take(4), count = bits_.Take(8);
        const std::size_t from = notes_.Size();
        if (count == 0) {
            const std::optional<Defined>& again = defined_[id];
            if (!again)
                Unreadable("pattern " + std::to_string(number) + " plays pattern " + static_cast<char>('A' + id) +
                           " again, which is not defined before it");
            notes_.AppendCopies(again->from, again->to, 1);
            scale_ = again->scaleAfter;
        } else {
            for (instruction_ = 1; instruction_ <= count; ++instruction_) ReadInstruction();
            instruction_ = 0;
        }
        defined_[id] = Defined{from, notes_.Size(), scale_};
        if (loop != ForEver) notes_.Repeat(from, loop);
    }

    void ReadInstruction() {
        const std::uint32_t id = bits_.Take(3);
        switch (id) {
        case Note: ReadNote(); return;
        case Scale: scale_ = bits_.Take(2); return;
        case Style: bits_.Take(2); return;
        case Volume: bits_.Take(4); return;
        case Tempo: {
            const std::int32_t tempo = OttTempos[bits_.Take(5)];
            if (!tempo_ && notes_.Size() == 0) tempo_ = tempo;
            else if (tempo != tempo_.value_or(63))
                notes_.ProblemForNextNote(Where(), "the tempo changes to " + std::to_string(tempo) +
                                                       " here; the ringtone keeps " +
                                                       std::to_string(tempo_.value_or(63)) + " throughout");
            return;
        }
        case PatternHeader:
            Unreadable(Where() + " is a pattern header: the pattern's instruction count is past its instructions");
        default: Unreadable(Where() + " has the unknown id " + Bits(id, 3));
        }
    }

    void ReadNote() {
        const std::uint32_t value = bits_.Take(4), duration = bits_.Take(3), specifier = bits_.Take(2);
        if (value > 12) Unreadable(Where() + " is a note of value " + std::to_string(value) + ", which does not exist");
        if (duration > 5)
            Unreadable(Where() + " is a note of duration " + Bits(duration, 3) + ", which does not exist");
        const FormatLength length{static_cast<std::uint8_t>(duration), static_cast<LengthSpecifier>(specifier)};
        std::optional<std::int32_t> semitone;
        // Scale 0 (a = 440 Hz) is RTTTL's octave 4.
        if (value != 0) semitone = 12 * (4 + static_cast<std::int32_t>(scale_)) + static_cast<std::int32_t>(value) - 1;
        notes_.Add(semitone, length, Where());
    }

    // A pattern read: its notes, and the scale after it.
    struct Defined {
        std::size_t from, to;
        std::uint32_t scaleAfter;
    };

    BitReader bits_;
    NoteSequence notes_;
    std::string name_;
    std::optional<std::int32_t> tempo_;
    std::uint32_t scale_ = 1;  // a = 880 Hz until a scale is given
    bool unicode_ = false;
    std::array<std::optional<Defined>, 4> defined_;
    std::string part_;
    std::uint32_t pattern_ = 0, instruction_ = 0;
};

}  // namespace

bool LooksLikeOtt(std::string_view bytes) {
    if (bytes.size() < 3) return false;
    const unsigned count = static_cast<unsigned char>(bytes[0]), command = static_cast<unsigned char>(bytes[1]) >> 1U;
    return count >= 1 && count <= 15 &&
           (command == RingingToneCommand || command == UnicodeCommand ||
            (command == SoundCommand && (bytes[1] & 1) == 0));
}

void ReadOtt(CNotes& ringtone, std::string_view bytes) {
    if (bytes.size() > MaxHandsetFile)
        throw EngineError(
            EngineError::Reason::TooLong,
            TooLargeText("The ringing tone file is", bytes.size(), MaxHandsetFile, "a handset file") + ".");
    OttReader(bytes).Read(ringtone);
}

}  // namespace tw

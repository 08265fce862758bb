// Reading a Flipper Music Format file as the Flipper's music player reads it.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/fmf.h"
#include "engine/note_sequence.h"
#include "engine/plain_note.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

constexpr std::string_view FileType = "Flipper Music Format";
// Editors on other systems put it before the first key; it is passed over.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint64_t LongestDuration = 128, HighestOctave = 16, MostDots = 16;

[[noreturn]] void Unreadable(const std::string& why) {
    throw EngineError(EngineError::Reason::BadFile, "The Flipper Music Format file cannot be read: " + why + ".");
}

std::string Shown(std::string_view text) { return std::string(text.substr(0, 40)); }

// The file's lines without their CR, which the player ignores.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') lines.emplace_back();
        else if (c != '\r') lines.back() += c;
    }
    return lines;
}

// The header's keys, each looked for from the line after the one before:
// a line's key is what stands before its first ':', in its case; a comment
// ('#' first) or a line starting with ':' has none.
class Header {
public:
    explicit Header(std::string_view text) : lines_(Lines(text)) {}

    // What follows the key and the character after its ':' (the player
    // takes that for the space it writes); nothing when the key is missing.
    std::optional<std::string_view> Value(std::string_view key) {
        for (; next_ < lines_.size(); ++next_) {
            const std::string_view line = lines_[next_];
            const std::size_t colon = line.find(':');
            if (colon == std::string_view::npos || colon == 0 || line.front() == '#') continue;
            if (line.substr(0, colon) != key) continue;
            ++next_;
            return line.substr(std::min(colon + 2, line.size()));
        }
        return std::nullopt;
    }

    // A line's text: the value, up to the end of the line; nothing when
    // missing or empty.
    std::optional<std::string_view> Text(std::string_view key) {
        const std::optional<std::string_view> value = Value(key);
        if (!value || value->empty()) return std::nullopt;
        return value;
    }

    // A number as the player reads it: blanks skipped, a '+', one "0x" or
    // "0b" or leading '0' skipped, then decimal digits up to anything else.
    // Nothing for a key that is missing or no such number.
    std::optional<std::uint32_t> Number(std::string_view key) {
        std::optional<std::string_view> value = Value(key);
        if (!value) return std::nullopt;
        std::string_view v = *value;
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
        v = v.substr(0, v.find_first_of(" \t"));
        if (v.empty()) return std::nullopt;
        if (v.front() == '+') v.remove_prefix(1);
        bool zero = false;
        if (v.size() >= 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X' || v[1] == 'b' || v[1] == 'B'))
            v.remove_prefix(2);
        else if (!v.empty() && v[0] == '0') {
            zero = true;
            v.remove_prefix(1);
        }
        std::uint64_t number = 0;
        std::size_t digits = 0;
        for (; digits < v.size() && v[digits] >= '0' && v[digits] <= '9'; ++digits) {
            number = number * 10 + static_cast<std::uint64_t>(v[digits] - '0');
            if (number > UINT32_MAX) return std::nullopt;
        }
        if (digits == 0 && !zero) return std::nullopt;
        return static_cast<std::uint32_t>(number);
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

std::uint32_t RequiredNumber(Header& header, std::string_view key) {
    const std::optional<std::uint32_t> number = header.Number(key);
    if (!number) Unreadable(std::string(key) + " is missing or no number");
    return *number;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Digits as a number, held at a value past any the player accepts.
std::uint64_t ReadNumber(std::string_view notes, std::size_t& at) {
    std::uint64_t number = 0;
    for (; at < notes.size() && IsDigit(notes[at]); ++at)
        number = std::min<std::uint64_t>(number * 10 + static_cast<std::uint64_t>(notes[at] - '0'), UINT32_MAX);
    return number;
}

// The nearest one-dot or plain length of a note with `dots` dots: twice as
// long, less a little, is nearest a plain note of half the duration when
// there is one; else the dotted note.
void ReadManyDots(std::optional<std::int32_t> semitone, std::int32_t duration, std::uint64_t dots,
                  std::string_view token, NoteSequence& notes) {
    const bool halve = duration % 2 == 0;
    const std::int32_t read = halve ? duration / 2 : duration;
    notes.Add(semitone, read, !halve, token,
              std::to_string(dots) + " dots, read as " + (halve ? "" : "dotted ") + "1/" + std::to_string(read));
}

void ReadNotes(std::string_view notes, std::uint32_t defaultDuration, std::uint32_t defaultOctave,
               NoteSequence& sequence) {
    std::size_t at = 0;
    while (at < notes.size()) {
        if (notes[at] != ' ' && notes[at] != '\t') {
            const std::size_t start = at;
            std::uint64_t duration = ReadNumber(notes, at);
            char letter = '\0';
            if (at < notes.size() && IsLetter(notes[at])) letter = UpperAscii(notes[at++]);
            const bool sharp = at < notes.size() && (notes[at] == '#' || notes[at] == '_');
            if (sharp) ++at;
            std::uint64_t octave = ReadNumber(notes, at);
            std::uint64_t dots = 0;
            for (; at < notes.size() && notes[at] == '.'; ++at) ++dots;
            const std::string_view token = notes.substr(start, at - start);
            if (duration == 0) duration = defaultDuration;
            if (octave == 0) octave = defaultOctave;
            const std::string where = " (note " + std::to_string(sequence.Size() + 1) + ", \"" + Shown(token) + "\")";
            if (duration < 1 || duration > LongestDuration) Unreadable("a duration that is not 1 to 128" + where);
            if ((letter < 'A' || letter > 'G') && letter != 'P') Unreadable("no note letter A to G or P" + where);
            if (octave > HighestOctave) Unreadable("an octave above 16" + where);
            if (dots > MostDots) Unreadable("more than 16 dots" + where);
            std::optional<std::int32_t> semitone;
            if (letter != 'P')
                semitone =
                    static_cast<std::int32_t>(12 * octave) + LetterSemitone(LowerAscii(letter)) + (sharp ? 1 : 0);
            const auto length = static_cast<std::int32_t>(duration);
            if (dots > 1) ReadManyDots(semitone, length, dots, token, sequence);
            else sequence.Add(semitone, length, dots == 1, token);
            // Whatever follows the note up to the next comma is passed over.
            if (const std::size_t comma = notes.find(',', at); comma != std::string_view::npos) at = comma;
        }
        if (at < notes.size()) ++at;
    }
}

}  // namespace

bool LooksLikeFmf(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) bytes.remove_prefix(ByteOrderMark.size());
    std::string_view first = bytes.substr(0, bytes.find('\n'));
    if (first.ends_with('\r')) first.remove_suffix(1);
    return first == "Filetype: Flipper Music Format";
}

void ReadFmf(CNotes& ringtone, std::string_view text, std::string_view name) {
    if (text.size() > MaxHandsetFile)
        throw EngineError(
            EngineError::Reason::TooLong,
            TooLargeText("The Flipper Music Format file is", text.size(), MaxHandsetFile, "a handset file") + ".");
    if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
    Header header(text);
    const std::optional<std::string_view> type = header.Text("Filetype");
    if (!type) Unreadable("it has no Filetype line");
    if (*type != FileType) Unreadable("its Filetype is \"" + Shown(*type) + "\", not \"Flipper Music Format\"");
    const std::uint32_t version = RequiredNumber(header, "Version");
    if (version != 0) Unreadable("its Version is " + std::to_string(version) + ", not 0");
    const std::uint32_t bpm = RequiredNumber(header, "BPM");
    const std::uint32_t duration = RequiredNumber(header, "Duration");
    const std::uint32_t octave = RequiredNumber(header, "Octave");
    const std::optional<std::string_view> notes = header.Text("Notes");
    if (!notes) Unreadable("it has no Notes line");
    NoteSequence sequence;
    ReadNotes(*notes, duration, octave, sequence);
    sequence.Finish(ringtone, name, std::to_string(bpm));
}

}  // namespace tw

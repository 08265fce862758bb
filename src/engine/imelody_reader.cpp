// Reading an iMelody object: its lines, then its melody note by note.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/imelody.h"
#include "engine/note_sequence.h"
#include "engine/plain_note.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

[[noreturn]] void Unreadable(const std::string& why) {
    throw EngineError(EngineError::Reason::BadFile, "The iMelody file cannot be read: " + why + ".");
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameIgnoringCase(text.substr(0, start.size()), start);
}

// Whether a line, blanks before it skipped, starts with one of iMelody's
// keys and the ':' or ';' after it: a line of its own even when indented.
bool StartsWithKey(std::string_view line) {
    line = TrimBlanks(line);
    const std::size_t end = line.find_first_of(":;");
    if (end == std::string_view::npos) return false;
    const std::string_view key = line.substr(0, end);
    if (StartsWithIgnoringCase(key, "X-")) return true;
    for (std::string_view known :
         {"BEGIN", "END", "VERSION", "FORMAT", "NAME", "COMPOSER", "BEAT", "STYLE", "VOLUME", "MELODY"})
        if (SameIgnoringCase(key, known)) return true;
    return false;
}

// The lines of the text. A line starting with a space or tab continues the
// one before, without that blank, unless it holds a key: then it is a line
// of its own that was indented.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        const bool folded = !line.empty() && (line.front() == ' ' || line.front() == '\t');
        if (!lines.empty() && folded && !StartsWithKey(line)) lines.back().append(line.substr(1));
        else if (const std::size_t first = line.find_first_not_of(" \t"); first != std::string_view::npos)
            lines.emplace_back(line.substr(first));
        at = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++at;
    }
    return lines;
}

std::string PrintableName(std::string_view value) {
    std::string name;
    for (char c : TrimBlanks(value))
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) name += c;
    return name;
}

// The melody, note by note, into `notes`.
class MelodyReader {
public:
    MelodyReader(std::string_view melody, OctavePrefixes prefixes, NoteSequence& notes)
        : melody_(melody), prefixes_(prefixes), notes_(notes) {}

    void Read() {
        while (at_ < melody_.size()) {
            const char c = LowerAscii(melody_[at_]);
            if (c == ' ' || c == '\t') ++at_;
            else if (c == '(') {
                open_.push_back(notes_.Size());
                ++at_;
            } else if (c == '@') ReadRepeatEnd();
            else if (c == ')') Fail("a ')' without '@' and a count before it");
            else if (c == '*') ReadOctave();
            else if (SkipCommand()) continue;
            else if (c == 'r') ReadNote(true);
            else if (c == '&' || c == '#' || LetterSemitone(c) >= 0) ReadNote(false);
            else Fail(std::string("'") + melody_[at_] + "' is no note, rest or command");
        }
        if (!open_.empty()) Unreadable("a repeat opened with '(' is never closed");
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        Unreadable(what + " (character " + std::to_string(at_ + 1) + " of the melody)");
    }

    char Next() const { return at_ < melody_.size() ? LowerAscii(melody_[at_]) : '\0'; }

    bool SkipCommand() {
        for (std::string_view command : {"ledon", "ledoff", "vibeon", "vibeoff", "backon", "backoff"}) {
            if (StartsWithIgnoringCase(melody_.substr(at_), command)) {
                at_ += command.size();
                return true;
            }
        }
        if (Next() != 'v') return false;
        ++at_;
        if (Next() == '+' || Next() == '-') ++at_;
        else if (Next() >= '0' && Next() <= '9') {
            while (Next() >= '0' && Next() <= '9') ++at_;
        } else {
            Fail("'V' without '+', '-' or a volume after it");
        }
        return true;
    }

    void ReadOctave() {
        ++at_;
        if (Next() < '0' || Next() > '8') Fail("an octave prefix that is not *0 to *8");
        prefix_ = Next() - '0';
        ++at_;
    }

    // The octave of the next note: the last prefix, or for one note only.
    std::int32_t NoteOctave() {
        const std::int32_t octave = prefix_.value_or(DefaultOctave);
        if (prefixes_ == OctavePrefixes::OneNote) prefix_.reset();
        return octave;
    }

    // @n, an optional volume change, and ")".
    void ReadRepeatEnd() {
        if (open_.empty()) Fail("a repeat count '@' with no '(' before it");
        ++at_;
        if (Next() < '0' || Next() > '9') Fail("'@' without a count after it");
        std::uint64_t count = 0;
        while (Next() >= '0' && Next() <= '9') {
            count = std::min<std::uint64_t>(count * 10 + static_cast<std::uint64_t>(Next() - '0'), 1ULL << 40);
            ++at_;
        }
        while (Next() == ' ' || Next() == '\t') ++at_;
        if (Next() == 'v' && at_ + 1 < melody_.size() && (melody_[at_ + 1] == '+' || melody_[at_ + 1] == '-')) at_ += 2;
        while (Next() == ' ' || Next() == '\t') ++at_;
        if (Next() != ')') Fail("a repeat count not followed by ')'");
        ++at_;
        const std::size_t from = open_.back();
        open_.pop_back();
        // "@0" plays for ever on the phone; the ringtone keeps it once.
        if (count > 1) notes_.Repeat(from, count - 1);
    }

    // [&|#] letter [#] length [specifier], or "r" length [specifier].
    void ReadNote(bool rest) {
        const std::size_t start = at_;
        std::int32_t shift = 0;
        char letter = 'r';
        if (!rest) {
            if (Next() == '&' || Next() == '#') {
                shift = Next() == '&' ? -1 : 1;
                ++at_;
            }
            letter = Next();
            if (LetterSemitone(letter) < 0) Fail("a flat or sharp without a note letter after it");
        }
        ++at_;
        if (!rest && shift == 0 && Next() == '#') {
            shift = 1;
            ++at_;
        }
        if (Next() < '0' || Next() > '9') Fail(std::string(rest ? "a rest" : "a note") + " without a length");
        if (Next() > '5') Fail("a length that is not 0 to 5");
        FormatLength length{static_cast<std::uint8_t>(Next() - '0'), LengthSpecifier::None};
        ++at_;
        if (Next() == '.') length.specifier = LengthSpecifier::Dotted;
        else if (Next() == ':') length.specifier = LengthSpecifier::DoubleDotted;
        else if (Next() == ';') length.specifier = LengthSpecifier::TwoThirds;
        if (length.specifier != LengthSpecifier::None) ++at_;
        const std::string_view token = melody_.substr(start, at_ - start);
        if (rest) notes_.Add(std::nullopt, length, token);
        // RTTTL's octave numbers are one above iMelody's.
        else notes_.Add(12 * (NoteOctave() + 1) + LetterSemitone(letter) + shift, length, token);
    }

    static constexpr std::int32_t DefaultOctave = 4;  // before any prefix

    std::string_view melody_;
    OctavePrefixes prefixes_;
    NoteSequence& notes_;
    std::size_t at_ = 0;
    std::optional<std::int32_t> prefix_;
    std::vector<std::size_t> open_;  // where each open repeat starts
};

}  // namespace

std::string_view OctavePrefixesWord(OctavePrefixes prefixes) {
    return prefixes == OctavePrefixes::OneNote ? "one-note" : "until-next";
}

std::optional<OctavePrefixes> OctavePrefixesFromWord(std::string_view word) {
    for (OctavePrefixes prefixes : {OctavePrefixes::UntilNext, OctavePrefixes::OneNote})
        if (word == OctavePrefixesWord(prefixes)) return prefixes;
    return std::nullopt;
}

bool LooksLikeIMelody(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && StartsWithIgnoringCase(bytes.substr(first), "BEGIN:IMELODY");
}

void ReadIMelody(CNotes& ringtone, std::string_view text, OctavePrefixes prefixes) {
    if (text.size() > MaxHandsetFile)
        throw EngineError(EngineError::Reason::TooLong,
                          TooLargeText("The iMelody file is", text.size(), MaxHandsetFile, "a handset file") + ".");
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::vector<std::string> lines = LogicalLines(text);
    if (lines.empty() || !SameIgnoringCase(TrimBlanks(lines.front()), "BEGIN:IMELODY"))
        Unreadable("it does not start with BEGIN:IMELODY");
    std::string name, beat = "120";
    std::optional<std::string_view> melody;
    bool ended = false;
    for (std::size_t i = 1; i < lines.size() && !ended; ++i) {
        const std::string_view line = TrimBlanks(lines[i]);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view key = TrimBlanks(line.substr(0, std::min(colon, line.find(';'))));
        const std::string_view value = TrimBlanks(line.substr(colon + 1));
        if (SameIgnoringCase(key, "END")) ended = SameIgnoringCase(value, "IMELODY");
        else if (SameIgnoringCase(key, "BEGIN")) Unreadable("BEGIN:" + std::string(value) + " inside the melody");
        else if (SameIgnoringCase(key, "NAME")) name = PrintableName(value);
        else if (SameIgnoringCase(key, "BEAT")) {
            if (value.empty() || value.size() > 5 || value.find_first_not_of("0123456789") != std::string_view::npos ||
                ToInt32(value) < 1 || ToInt32(value) > 32767)
                Unreadable("BEAT:" + std::string(value.substr(0, 20)) + " is no tempo");
            beat = std::to_string(ToInt32(value));
        } else if (SameIgnoringCase(key, "MELODY")) {
            if (melody) Unreadable("it has two MELODY lines");
            melody = value;
        }
    }
    if (!ended) Unreadable("END:IMELODY is missing, so the file may be cut short");
    if (!melody) Unreadable("it has no MELODY line");
    NoteSequence notes;
    MelodyReader(*melody, prefixes, notes).Read();
    notes.Finish(ringtone, name, beat);
}

bool OctavePrefixesMatter(std::string_view text) {
    try {
        CNotes untilNext, oneNote;
        ReadIMelody(untilNext, text, OctavePrefixes::UntilNext);
        ReadIMelody(oneNote, text, OctavePrefixes::OneNote);
        return untilNext.Only(Notation::RTTTL) != oneNote.Only(Notation::RTTTL);
    } catch (const EngineError&) {
        return false;
    }
}

}  // namespace tw

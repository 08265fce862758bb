#include "engine/arduino_sketch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/format_tempo.h"
#include "engine/plain_note.h"

namespace tw {
namespace {

constexpr std::size_t LongestIdentifierStart = 32;

struct SketchNote {
    std::uint32_t hz = 0;
    std::uint32_t ms = 0;
};

[[noreturn]] void CannotWrite(const std::string& text) { throw EngineError(EngineError::Reason::CannotWrite, text); }

bool IsAsciiAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

std::int64_t SketchTempo(const CNotes& ringtone) {
    const std::optional<std::int64_t> tempo = ReadTempo(ringtone.Tempo());
    if (!tempo || *tempo <= 0)
        CannotWrite("A sketch needs a tempo above 0 beats a minute, not '" + ringtone.Tempo() + "'.");
    return *tempo;
}

// The pitch a buzzer can sound nearest to the note's, reported when not its own.
std::uint32_t SketchPitch(double frequency, const std::function<void(const std::string&)>& report) {
    if (frequency <= 0) return 0;
    const double rounded = std::round(frequency);
    if (rounded < LowestTonePitch) {
        report(std::to_string(static_cast<long long>(rounded)) + " Hz, below tone()'s " +
               std::to_string(LowestTonePitch) + " Hz, written as " + std::to_string(LowestTonePitch) + " Hz");
        return LowestTonePitch;
    }
    if (rounded > HighestTonePitch) {
        report(std::to_string(static_cast<long long>(rounded)) + " Hz, above an entry's " +
               std::to_string(HighestTonePitch) + " Hz, written as " + std::to_string(HighestTonePitch) + " Hz");
        return HighestTonePitch;
    }
    return static_cast<std::uint32_t>(rounded);
}

std::vector<SketchNote> SketchNotes(const CNotes& ringtone, std::vector<std::string>& problems) {
    if (std::none_of(ringtone.begin(), ringtone.end(),
                     [&](const CNote& note) { return PlainNoteOf(note, ringtone).has_value(); }))
        CannotWrite("The ringtone holds no note that could be read, so there is nothing to write.");
    const double wholeNoteMs = 240000.0 / static_cast<double>(SketchTempo(ringtone));
    std::vector<SketchNote> notes;
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        const auto report = [&](const std::string& reason) {
            problems.push_back("note " + std::to_string(position) + ", " + note.RTTTLText() + ": " + reason);
        };
        if (!PlainNoteOf(note, ringtone)) {
            report("not a note, left out");
            continue;
        }
        const std::uint32_t hz = SketchPitch(note.SoundFrequency(), report);
        // At most a dotted whole note at 1 beat a minute, 360000 ms.
        const double exactMs = std::round(wholeNoteMs * note.SoundDuration());
        if (exactMs < 1) {
            report("shorter than a millisecond at this tempo, left out");
            continue;
        }
        const auto ms = static_cast<std::uint64_t>(exactMs);
        const std::uint64_t parts = (ms + LongestSketchNoteMs - 1) / LongestSketchNoteMs;
        if (parts > 1)
            report(std::to_string(ms) + " ms, longer than an entry's " + std::to_string(LongestSketchNoteMs) +
                   " ms, written as " + std::to_string(parts) + " notes of the same pitch");
        // Equal parts, the first ones a millisecond longer where it does not divide.
        for (std::uint64_t part = 0; part < parts; ++part) {
            const std::uint64_t partMs = ms / parts + (part < ms % parts ? 1 : 0);
            notes.push_back({hz, static_cast<std::uint32_t>(partMs)});
        }
    }
    if (notes.empty()) CannotWrite("Every note is shorter than a millisecond at this tempo: there is nothing to play.");
    const std::size_t bytes = notes.size() * SketchBytesPerNote;
    if (bytes > SketchMelodyBytesLimit)
        CannotWrite("The sketch would hold " + std::to_string(notes.size()) + " notes, " + std::to_string(bytes) +
                    " bytes of melody in flash; an Arduino Uno has room for " + std::to_string(SketchMelodyBytesLimit) +
                    " (" + std::to_string(SketchMelodyBytesLimit / SketchBytesPerNote) + " notes).");
    return notes;
}

template <class Field>
std::string ArrayBody(const std::vector<SketchNote>& notes, Field field) {
    std::string text;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        text += i % 12 == 0 ? (i == 0 ? "  " : ",\n  ") : ", ";
        text += std::to_string(field(notes[i]));
    }
    return text;
}

}  // namespace

std::string SketchIdentifier(std::string_view name) {
    std::string id;
    for (const char c : name) {
        if (id.size() >= LongestIdentifierStart) break;
        if (IsAsciiAlnum(c)) id += c;
        else if (!id.empty() && id.back() != '_') id += '_';
    }
    while (!id.empty() && id.back() == '_') id.pop_back();
    if (id.empty()) return "melody";
    if (id.front() >= '0' && id.front() <= '9') id.insert(0, "tune_");
    return id;
}

std::string CommentSafe(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) safe += ' ';
        else if (c == '/' && !safe.empty() && safe.back() == '*') safe += " /";
        else if (c == '*' && !safe.empty() && safe.back() == '/') safe += " *";
        else if (c == '?' && !safe.empty() && safe.back() == '?') safe += " ?";
        else safe += c;
    }
    return safe;
}

WrittenRingtone WriteArduinoSketch(const CNotes& ringtone, const SketchOptions& options) {
    if (options.pin < 0 || options.pin > HighestBuzzerPin)
        CannotWrite("A buzzer pin is 0 to " + std::to_string(HighestBuzzerPin) + ", not " +
                    std::to_string(options.pin) + ".");
    WrittenRingtone written;
    const std::vector<SketchNote> notes = SketchNotes(ringtone, written.problems);
    const std::int64_t tempo = SketchTempo(ringtone);
    const std::string id = SketchIdentifier(ringtone.Name());
    const std::string pin = std::to_string(options.pin);
    std::string& s = written.bytes;
    s += "/* " + CommentSafe(ringtone.Name().empty() ? std::string("(no name)") : ringtone.Name()) + "\n";
    s += "   Tempo " + std::to_string(tempo) + " beats a minute: a quarter note lasts " +
         std::to_string(static_cast<long long>(std::round(60000.0 / static_cast<double>(tempo)))) + " ms.\n";
    s += "   Plays the ringtone once on a buzzer on pin " + pin + ". Each note sounds for\n";
    s += "   nine tenths of its length and is silent for the last tenth. */\n\n";
    s += "const uint8_t buzzerPin = " + pin + ";\n\n";
    s += "// The pitch of each note in hertz, 0 for a pause.\n";
    s += "const uint16_t " + id + "_hz[] PROGMEM = {\n" + ArrayBody(notes, [](const SketchNote& n) { return n.hz; }) +
         "\n};\n\n";
    s += "// The length of each note in milliseconds.\n";
    s += "const uint16_t " + id + "_ms[] PROGMEM = {\n" + ArrayBody(notes, [](const SketchNote& n) { return n.ms; }) +
         "\n};\n\n";
    s += "const uint16_t " + id + "_notes = sizeof " + id + "_hz / sizeof " + id + "_hz[0];\n\n";
    s += "void setup() {\n";
    s += "  for (uint16_t i = 0; i < " + id + "_notes; ++i) {\n";
    s += "    const uint16_t hz = pgm_read_word(&" + id + "_hz[i]);\n";
    s += "    const uint16_t ms = pgm_read_word(&" + id + "_ms[i]);\n";
    s += "    const uint16_t gap = ms / 10;\n";
    s += "    if (hz != 0) tone(buzzerPin, hz);\n";
    s += "    delay(ms - gap);\n";
    s += "    noTone(buzzerPin);\n";
    s += "    delay(gap);\n";
    s += "  }\n";
    s += "}\n\n";
    s += "void loop() {}\n";
    return written;
}

}  // namespace tw

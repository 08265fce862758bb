// The three token readers of CNote: one note token of RTTTL, composer or
// keypress text read into the note's fields.
#include <limits>
#include <optional>
#include <string>

#include "engine/cnote.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

bool IsHandsetDuration(std::string_view d) {
    return d == "1" || d == "2" || d == "4" || d == "8" || d == "16" || d == "32";
}

bool IsHandsetOctave(std::string_view o) { return o == "1" || o == "2" || o == "3"; }

// Takes up to n characters from the front of the token.
std::string Take(std::string_view& token, std::size_t n) {
    std::string taken(token.substr(0, n));
    token.remove_prefix(taken.size());
    return taken;
}

bool TakeIf(std::string_view& token, char c) {
    if (token.empty() || token.front() != c) return false;
    token.remove_prefix(1);
    return true;
}

// "2x" becomes the next shorter or longer handset duration, wrapping between 32 and 1.
std::string Shorter(const std::string& duration) {
    return duration == "32" ? "1" : std::to_string(2 * ToInt16(duration));
}

std::string Longer(const std::string& duration) {
    return duration == "1" ? "32" : std::to_string(ToInt16(duration) / 2);
}

// An RTTTL note as published: [duration] [sharp] letter [sharp] [.] [octave]
// [.], where a sharp is "#" or "_" (one of them), the dot stands before or
// after the octave (one of them), "h" is b and letters may be upper case.
struct PublishedNote {
    std::string_view duration;
    char letter = 0;  // a-g or p, lower case
    bool sharp = false;
    bool dotted = false;
    std::string_view octave;
};

// Leading digits, without leading zeros ("08" is 8).
std::string_view TakeDigits(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9') ++length;
    std::string_view digits = text.substr(0, length);
    text.remove_prefix(length);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits;
}

// A sharp e is f and a sharp b the c above: the names the handset knows.
// `octave` is the note's octave text, `octaveIfEmpty` what an empty one
// stands for. False, and nothing changed, when b# would need an octave above
// `highest`.
bool NamePlainly(char& letter, bool& sharp, std::string& octave, const std::string& octaveIfEmpty,
                 std::int32_t highest) {
    if (!sharp || (letter != 'e' && letter != 'b')) return true;
    if (letter == 'b') {
        const std::int32_t up = ToInt32(octave.empty() ? octaveIfEmpty : octave) + 1;
        if (up > highest) return false;
        octave = std::to_string(up);
    }
    letter = letter == 'e' ? 'f' : 'c';
    sharp = false;
    return true;
}

bool TakeSharp(std::string_view& text) { return TakeIf(text, '#') || TakeIf(text, '_'); }

std::optional<PublishedNote> ReadPublishedNote(std::string_view token) {
    PublishedNote note;
    note.duration = TakeDigits(token);
    const bool sharpBefore = TakeSharp(token);
    if (token.empty()) return std::nullopt;
    const char letter = LowerAscii(token.front());
    if (letter == 'h') note.letter = 'b';
    else if ((letter >= 'a' && letter <= 'g') || letter == 'p') note.letter = letter;
    else return std::nullopt;
    token.remove_prefix(1);
    const bool sharpAfter = TakeSharp(token);
    if (sharpBefore && sharpAfter) return std::nullopt;
    note.sharp = sharpBefore || sharpAfter;
    const bool dotBefore = TakeIf(token, '.');
    note.octave = TakeDigits(token);
    const bool dotAfter = TakeIf(token, '.');
    if (!token.empty() || (dotBefore && dotAfter)) return std::nullopt;
    note.dotted = dotBefore || dotAfter;
    return note;
}

}  // namespace

// Reads the note as published. A sharp e is written as f and a sharp b as the
// c above, the names the handset knows. A token that is no note is read as
// far as it goes and reported.
void CNote::SetRTTTLBatch(std::string_view token) {
    ClearProblems();
    const std::optional<PublishedNote> read = ReadPublishedNote(token);
    if (!read) {
        AddProblem(token, "not a note", true);
        ReadRTTTLLeniently(token);
        return;
    }
    char letter = read->letter;
    bool sharp = read->sharp && letter != 'p';
    std::string octave(read->octave);
    NamePlainly(letter, sharp, octave, state_->DefaultOctave, std::numeric_limits<std::int32_t>::max() - 1);
    SetRTTTLDuration(std::string(read->duration));
    SetRTTTLNote(std::string(1, letter));
    if (sharp) SetSharp("#");
    if (read->dotted) SetRTTTLDotted(".");
    SetRTTTLOctave(std::move(octave));

    const auto problem = [&](std::string_view reason, bool misread) { AddProblem(token, reason, misread); };
    if (IsNumeric(composerDuration_) && ToInt32(composerDuration_) == 0)
        problem("a duration of 0, which has no length", true);
    else if (!IsHandsetDuration(composerDuration_)) problem("a duration the composer does not have", false);
    if (pitchOctave_ && *pitchOctave_ < 5) problem("below the composer's octaves", false);
    if (pitchOctave_ && *pitchOctave_ > 7) problem("above the composer's octaves", false);
    if (SoundFrequency() > HighestSoundFrequency) problem("too high for the sound, plays as silence", false);
}

// [duration] letter [#] [.] [octave], the dot also after the octave (8c6.):
// whatever the token holds, each part as far as it can be read.
void CNote::ReadRTTTLLeniently(std::string_view token) {
    std::string_view rest = token;
    std::size_t durationLength = 0;
    if (IsNumeric(rest.substr(0, 2))) durationLength = 2;
    else if (IsNumeric(rest.substr(0, 1))) durationLength = 1;
    SetRTTTLDuration(Take(rest, durationLength));
    SetRTTTLNote(ToLowerAscii(Take(rest, 1)));
    if (TakeIf(rest, '#')) SetSharp("#");
    const bool dotFirst = TakeIf(rest, '.');
    if (dotFirst) SetRTTTLDotted(".");
    std::string_view octave = rest;
    if (!dotFirst && octave.size() > 1 && octave.back() == '.') {
        const std::string_view body = octave.substr(0, octave.size() - 1);
        if (body.find('.') == std::string_view::npos && IsNumeric(body)) {
            SetRTTTLDotted(".");
            octave = body;
        }
    }
    SetRTTTLOctave(std::string(octave));
}

// duration [.] [#] letter octave; "-" is a pause.
void CNote::SetComposerBatch(std::string_view token) {
    std::string_view rest = token;
    ClearProblems();
    std::size_t durationLength = 0;
    const bool twoDigits = rest.size() < 2 || (rest[1] != '.' && rest[1] != '-');
    if (twoDigits && IsNumeric(rest.substr(0, 2))) durationLength = 2;
    else if (IsNumeric(rest.substr(0, 1))) durationLength = 1;
    SetComposerDuration(Take(rest, durationLength));
    if (TakeIf(rest, '.')) SetComposerDotted(".");
    bool sharp = TakeIf(rest, '#');
    std::string note = Take(rest, 1);
    std::string octave(rest);
    if (note.size() == 1 && IsNumeric(octave)) {
        char letter = note.front();
        NamePlainly(letter, sharp, octave, octave, 3);  // b#3 keeps its name: c4 is no composer note
        note = std::string(1, letter);
    }
    if (sharp) SetSharp("#");
    SetComposerNote(std::move(note));
    SetComposerOctave(std::move(octave));
    if (!IsHandsetDuration(composerDuration_)) AddProblem(token, "a duration the composer does not have", true);
    const bool pause = composerNote_ == "-";
    if (pause ? !(composerOctave_.empty() || IsHandsetOctave(composerOctave_)) : !IsHandsetOctave(composerOctave_))
        AddProblem(token, "an octave the composer does not have", true);
    if (!misread_ && SoundFrequency() > HighestSoundFrequency)
        AddProblem(token, "too high for the sound, plays as silence", false);
}

// Replays the keys of one token on the composer's state. The fields are
// written directly; the ringtone re-reads its composer text afterwards to
// fill the RTTTL fields and fresh keypresses.
void CNote::SetKeypressBatch(std::string_view token) {
    ClearProblems();
    for (char key : token) ApplyKeypress(key);
}

void CNote::ApplyKeypress(char key) {
    NoteState& state = *state_;
    const bool pause = composerNote_ == "-";
    switch (key) {
    case '1': composerNote_ = "c"; break;
    case '2': composerNote_ = "d"; break;
    case '3': composerNote_ = "e"; break;
    case '4': composerNote_ = "f"; break;
    case '5': composerNote_ = "g"; break;
    case '6': composerNote_ = "a"; break;
    case '7': composerNote_ = "b"; break;
    case '0':
        composerNote_ = "-";
        state.KeyPauseDuration = state.KeyNoteDuration;
        break;
    case '8':
        if (pause) state.KeyPauseDuration = Shorter(state.KeyPauseDuration);
        else state.KeyNoteDuration = Shorter(state.KeyNoteDuration);
        break;
    case '9':
        if (pause) state.KeyPauseDuration = Longer(state.KeyPauseDuration);
        else state.KeyNoteDuration = Longer(state.KeyNoteDuration);
        break;
    case '*':
        if (!pause) {
            if (state.KeyOctave == "1") state.KeyOctave = "2";
            else if (state.KeyOctave == "2") state.KeyOctave = "3";
            else if (state.KeyOctave == "3") state.KeyOctave = "1";
        }
        break;
    case '#':
        if (!pause) sharp_ = "#";
        break;
    case ')':
        if (!pause) composerDotted_ = ".";
        break;
    default: break;
    }
    composerDuration_ = composerNote_ == "-" ? state.KeyPauseDuration : state.KeyNoteDuration;
    composerOctave_ = state.KeyOctave;
}

}  // namespace tw

// The three token readers of CNote: one note token of RTTTL, composer or
// keypress text read into the note's fields.
#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "engine/cnote.h"
#include "engine/engine_error.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

bool IsHandsetDuration(unsigned d) { return d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32; }

bool IsHandsetOctave(unsigned o) { return o >= 1 && o <= 3; }

bool IsNoteLetter(char letter) {
    const char lower = LowerAscii(letter);
    return lower >= 'a' && lower <= 'g';
}

const char* const NoLength = "a note without a length";

// Takes up to n characters from the front of the token.
std::string_view Take(std::string_view& token, std::size_t n) {
    const std::string_view taken = token.substr(0, n);
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
    if (std::optional<PlainState> plain = PlainState::Of(*state_)) {
        if (SetPlainRTTTLBatch(token, *plain)) {
            plain->StoreInto(*state_);
            return;
        }
    }
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
    SetRTTTLDuration(read->duration);
    SetRTTTLNote(std::string_view(&letter, 1));
    if (sharp) SetSharp("#");
    if (read->dotted) SetRTTTLDotted(".");
    SetRTTTLOctave(octave);
    ReportRTTTLProblems(token);
}

void CNote::ReportRTTTLProblems(std::string_view token) {
    const auto problem = [&](std::string_view reason, bool misread) { AddProblem(token, reason, misread); };
    const bool plainDuration = HeldIn(Field::ComposerDuration) == Held::Number;
    const std::string duration = plainDuration ? std::string{} : ComposerDuration();
    if (plainDuration ? Value(Field::ComposerDuration) == 0 : IsNumeric(duration) && ToInt32(duration) == 0)
        problem(NoLength, true);
    else if (!plainDuration || !IsHandsetDuration(Value(Field::ComposerDuration)))
        problem("a duration the composer does not have", false);
    const std::optional<std::int32_t> pitchOctave = PitchOctave();
    if (pitchOctave && *pitchOctave < 5) problem("below the composer's octaves", false);
    if (pitchOctave && *pitchOctave > 7) problem("above the composer's octaves", false);
    // Up to octave 6 every note sounds below 2100 Hz.
    const bool low = IsChar(Field::ComposerNote, '-') || (pitchOctave && *pitchOctave <= 6);
    if (!low && SoundFrequency() > HighestSoundFrequency) problem("too high for the sound, plays as silence", false);
}

namespace {

// Leading digits as a whole number, leading zeros dropped ("08" is 8): none
// when there are no digits; false when the number is beyond `highest`.
bool TakeNumber(const char*& at, const char* end, std::optional<unsigned>& number, unsigned highest) {
    if (at == end || *at < '0' || *at > '9') return true;
    unsigned value = 0;
    for (; at != end && *at >= '0' && *at <= '9'; ++at) {
        value = value * 10 + static_cast<unsigned>(*at - '0');
        if (value > highest) return false;
    }
    number = value;
    return true;
}

bool TakeChar(const char*& at, const char* end, char c) {
    if (at == end || *at != c) return false;
    ++at;
    return true;
}

}  // namespace

// The note as published ([duration] [sharp] letter [sharp] [.] [octave] [.],
// as ReadPublishedNote reads it) in one pass, into whole numbers, and what
// SetRTTTLDuration, SetRTTTLNote, SetSharp, SetRTTTLDotted and
// SetRTTTLOctave make of it written into the fields at once: the way nearly
// every note goes. It takes a note whose numbers are plain, like the
// ringtone's defaults, that the fields hold as they are; any other token is
// left to the setters.
bool CNote::SetPlainRTTTLBatch(std::string_view token, PlainState& state) {
    if (HasAsideTexts()) return false;
    const char* at = token.data();
    const char* const end = at + token.size();
    std::optional<unsigned> duration, octave;
    if (!TakeNumber(at, end, duration, MaxPlainNumber)) return false;
    const bool sharpBefore = TakeChar(at, end, '#') || TakeChar(at, end, '_');
    if (at == end) return false;
    char letter = LowerAscii(*at++);
    if (letter == 'h') letter = 'b';
    else if ((letter < 'a' || letter > 'g') && letter != 'p') return false;
    const bool sharpAfter = TakeChar(at, end, '#') || TakeChar(at, end, '_');
    if (sharpBefore && sharpAfter) return false;
    const bool dotBefore = TakeChar(at, end, '.');
    if (!TakeNumber(at, end, octave, MaxPlainNumber)) return false;
    const bool dotAfter = TakeChar(at, end, '.');
    if (at != end || (dotBefore && dotAfter)) return false;
    const bool dotted = dotBefore || dotAfter;

    // A sharp e is f and a sharp b the c above, in an octave of its own.
    bool sharp = (sharpBefore || sharpAfter) && letter != 'p';
    if (sharp && (letter == 'e' || letter == 'b')) {
        if (letter == 'b') {
            octave = octave.value_or(state.defaultOctave) + 1;
            if (*octave > MaxPlainNumber) return false;
        }
        letter = letter == 'e' ? 'f' : 'c';
        sharp = false;
    }
    const bool pause = letter == 'p';
    const bool ownOctave = octave && *octave != state.defaultOctave;
    const unsigned sounding = ownOctave ? *octave : state.defaultOctave;
    if (!pause && sounding > static_cast<unsigned>(std::numeric_limits<std::int8_t>::max())) return false;

    ClearProblems();
    SetField(Field::ComposerDuration, Held::Number, duration.value_or(state.defaultDuration));
    if (duration && *duration != state.defaultDuration) SetField(Field::RTTTLDuration, Held::Number, *duration);
    else SetField(Field::RTTTLDuration, Held::Empty, 0);
    SetField(Field::ComposerNote, Held::Char, static_cast<unsigned char>(pause ? '-' : letter));
    SetField(Field::RTTTLNote, Held::Char, static_cast<unsigned char>(letter));
    if (sharp) sharp_ = true;
    if (dotted) rtttlDotted_ = composerDotted_ = true;
    if (!pause) {
        SetField(Field::ComposerOctave, Held::Number, sounding < 5 ? 1 : sounding > 7 ? 3 : sounding - 4);
        SetPitchOctave(static_cast<std::int32_t>(sounding));
        if (ownOctave) SetField(Field::RTTTLOctave, Held::Number, *octave);
        else SetField(Field::RTTTLOctave, Held::Empty, 0);
    }
    // BuildKeypresses for a note of plain numbers, with the state as numbers.
    bool keyedAsPause = false;
    const unsigned key = NoteKey(keyedAsPause);
    StoreKeys(PlainKeys(key, keyedAsPause, state.lastKeyDuration, state.lastKeyOctave));
    ReportRTTTLProblems(token);
    return true;
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
    SetRTTTLOctave(octave);
}

// duration [.] [#] letter octave; "-" is a pause. The duration is one or two
// characters that make a number, or every digit of three or more.
void CNote::SetComposerBatch(std::string_view token) {
    std::string_view rest = token;
    ClearProblems();
    std::size_t durationLength = 0;
    const bool twoDigits = rest.size() < 2 || (rest[1] != '.' && rest[1] != '-');
    const auto digits = static_cast<std::size_t>(
        std::find_if(rest.begin(), rest.end(), [](char c) { return c < '0' || c > '9'; }) - rest.begin());
    if (digits > 2) durationLength = digits;  // 128, which RTTTL writes too
    else if (twoDigits && IsNumeric(rest.substr(0, 2))) durationLength = 2;
    else if (IsNumeric(rest.substr(0, 1))) durationLength = 1;
    SetComposerDuration(Take(rest, durationLength));
    if (TakeIf(rest, '.')) SetComposerDotted(".");
    bool sharp = TakeIf(rest, '#');
    const std::string_view taken = Take(rest, 1);
    char letter = taken.empty() ? '\0' : taken.front();
    std::string octave(rest);
    if (!taken.empty() && IsNumeric(octave))
        NamePlainly(letter, sharp, octave, octave, 3);  // b#3 keeps its name: c4 is no composer note
    if (sharp) SetSharp("#");
    SetComposerNote(taken.empty() ? std::string_view{} : std::string_view(&letter, 1));
    SetComposerOctave(octave);
    // A duration or octave written as a whole number has a length and a
    // pitch, which every notation keeps or writes as the nearest it has: the
    // note is read and reported. Any other text is no note.
    const bool pause = IsChar(Field::ComposerNote, '-');
    if (!pause && !(HeldIn(Field::ComposerNote) == Held::Char && IsNoteLetter(letter)))
        AddProblem(token, "not a note", true);
    const bool wholeDuration = HeldIn(Field::ComposerDuration) == Held::Number;
    if (wholeDuration && Value(Field::ComposerDuration) == 0) AddProblem(token, NoLength, true);
    else if (!wholeDuration || !IsHandsetDuration(Value(Field::ComposerDuration)))
        AddProblem(token, "a duration the composer does not have", !wholeDuration);
    const bool wholeOctave = HeldIn(Field::ComposerOctave) == Held::Number;
    if (pause ? !(HeldIn(Field::ComposerOctave) == Held::Empty || wholeOctave) : !wholeOctave)
        AddProblem(token, "an octave the composer does not have", true);
    else if (wholeOctave && !IsHandsetOctave(Value(Field::ComposerOctave)))
        AddProblem(token, "an octave the composer does not have", false);
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
    const bool pause = IsChar(Field::ComposerNote, '-');
    const auto note = [this](std::string_view letter) { Store(Field::ComposerNote, letter); };
    switch (key) {
    case '1': note("c"); break;
    case '2': note("d"); break;
    case '3': note("e"); break;
    case '4': note("f"); break;
    case '5': note("g"); break;
    case '6': note("a"); break;
    case '7': note("b"); break;
    case '0':
        note("-");
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
        if (!pause) sharp_ = true;
        break;
    case ')':
        if (!pause) composerDotted_ = true;
        break;
    default: break;
    }
    Store(Field::ComposerDuration, IsChar(Field::ComposerNote, '-') ? state.KeyPauseDuration : state.KeyNoteDuration);
    Store(Field::ComposerOctave, state.KeyOctave);
}

}  // namespace tw

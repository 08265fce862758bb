#include "engine/cnote.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/engine_error.h"
#include "engine/note_keys.h"
#include "engine/text_rules.h"

namespace tw {

// What a note keeps on the heap: the note state it owns, when it owns one,
// its problems and the texts that fit no field's short form.
struct CNote::Aside {
    std::shared_ptr<NoteState> ownState;
    std::string problem;
    std::string problemToken;
    std::vector<std::pair<Field, std::string>> texts;
    std::int32_t pitchOctave = 0;
};

// A ringtone holds up to hundreds of thousands of notes.
static_assert(sizeof(CNote) <= 4 * sizeof(void*));

namespace {

// The coded keypresses of a note, as BuildKeypresses makes them: the note
// key (held for a dot), then presses of 8 or 9, of * and of #.
namespace keys {
constexpr unsigned KeyMask = 0xFU;  // 0 for no key, else the key's digit + 1
constexpr unsigned Hold = 1U << 4;
constexpr unsigned DurationShift = 5;  // how many presses of 8 or 9, up to 5
constexpr unsigned DurationMask = 7U << DurationShift;
constexpr unsigned Longer = 1U << 8;  // the duration presses are of 9
constexpr unsigned OctaveShift = 9;   // how many presses of *, up to 2
constexpr unsigned OctaveMask = 3U << OctaveShift;
constexpr unsigned Sharp = 1U << 11;
}  // namespace keys

// Writes the keys at `at`, at most LongestKeys bytes, and gives their end.
constexpr std::size_t LongestKeys = 16;  // "(hold 1)99999**#"
char* PutKeys(char* at, unsigned code) {
    const unsigned key = code & keys::KeyMask;
    const char digit = key == 0 ? '\0' : static_cast<char>('0' + key - 1);
    if (code & keys::Hold) {
        for (char c : std::string_view("(hold ")) *at++ = c;
        if (key != 0) *at++ = digit;
        *at++ = ')';
    } else if (key != 0) {
        *at++ = digit;
    }
    for (unsigned n = (code & keys::DurationMask) >> keys::DurationShift; n != 0; --n)
        *at++ = code & keys::Longer ? '9' : '8';
    for (unsigned n = (code & keys::OctaveMask) >> keys::OctaveShift; n != 0; --n) *at++ = '*';
    if (code & keys::Sharp) *at++ = '#';
    return at;
}

void AppendKeys(std::string& out, unsigned code) {
    char text[LongestKeys];
    out.append(text, static_cast<std::size_t>(PutKeys(text, code) - text));
}

// The code of presses of 8 or 9 as DurationKeys gives them.
unsigned DurationCode(const std::string& presses) {
    if (presses.empty()) return 0;
    return static_cast<unsigned>(presses.size()) << keys::DurationShift | (presses.front() == '9' ? keys::Longer : 0);
}

// The key of a note letter as NoteKey gives it, coded; 0 for none.
constexpr std::array<std::uint8_t, 256> NoteKeyCodes = [] {
    std::array<std::uint8_t, 256> codes{};
    const std::string_view letters = "cdefgab";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        codes[static_cast<unsigned char>(letters[i])] = static_cast<std::uint8_t>(i + 2);
        codes[static_cast<unsigned char>(letters[i] - 'a' + 'A')] = static_cast<std::uint8_t>(i + 2);
    }
    codes['-'] = 1;
    return codes;
}();

unsigned NoteKeyCode(char letter) { return NoteKeyCodes[static_cast<unsigned char>(letter)]; }

const char* const NoLength = "a note without a length";

// The step of a handset duration (1, 2, 4, 8, 16, 32: 0 to 5), or -1.
int DurationStep(unsigned duration) {
    if (duration == 0 || duration > 32 || (duration & (duration - 1)) != 0) return -1;
    return std::countr_zero(duration);
}

// Replaces a short text of the note state by a whole number, in place.
void AssignNumber(std::string& text, unsigned value) {
    if (value < 10 && text.size() == 1) {  // the composer's octaves and most of its durations
        text.front() = static_cast<char>('0' + value);
        return;
    }
    char digits[8];
    const auto size = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (text.size() != size) text.resize(size);
    std::copy_n(digits, size, text.begin());
}

// base * 2^exponent: exact where the result is a normal double, as pow gives it.
double TimesPowerOfTwo(double base, double exponent) {
    if (exponent > -1000 && exponent < 1000) return std::ldexp(base, static_cast<int>(exponent));
    return base * std::pow(2.0, exponent);
}

const std::string& NoText() {
    static const std::string empty;
    return empty;
}

}  // namespace

CNote::CNote(std::shared_ptr<NoteState> state) : state_(state.get()), aside_(std::make_unique<Aside>()) {
    aside_->ownState = std::move(state);
}

CNote::CNote() : CNote(std::make_shared<NoteState>()) {}

CNote::CNote(NoteState& state, RingtoneKey) : state_(&state) {}

CNote::CNote(const CNote& other)
    : state_(other.state_),
      aside_(other.aside_ ? std::make_unique<Aside>(*other.aside_) : nullptr),
      fields_(other.fields_),
      pitchOctave_(other.pitchOctave_),
      hasPitchOctave_(other.hasPitchOctave_),
      pitchOctaveAside_(other.pitchOctaveAside_),
      sharp_(other.sharp_),
      rtttlDotted_(other.rtttlDotted_),
      composerDotted_(other.composerDotted_),
      misread_(other.misread_) {
    // A copy of a ringtone's note may outlive the ringtone: it takes a note
    // state of its own, as the ringtone's was at the copy.
    if (state_ && !(aside_ && aside_->ownState)) {
        TheAside().ownState = std::make_shared<NoteState>(*other.state_);
        state_ = aside_->ownState.get();
    }
}

CNote& CNote::operator=(const CNote& other) {
    if (this != &other) *this = CNote(other);
    return *this;
}

CNote::CNote(CNote&&) noexcept = default;
CNote& CNote::operator=(CNote&&) noexcept = default;
CNote::~CNote() = default;

const std::string* CNote::AsideText(Field field) const {
    if (!aside_) return nullptr;
    for (const auto& [which, text] : aside_->texts)
        if (which == field) return &text;
    return nullptr;
}

bool CNote::HasAsideTexts() const { return aside_ && !aside_->texts.empty(); }

CNote::Aside& CNote::TheAside() {
    if (!aside_) aside_ = std::make_unique<Aside>();
    return *aside_;
}

std::string CNote::Text(Field field) const {
    std::string text;
    Append(text, field);
    return text;
}

void CNote::Append(std::string& out, Field field) const {
    switch (HeldIn(field)) {
    case Held::Empty: return;
    case Held::Number:
        if (field == Field::Keypresses) {
            AppendKeys(out, Value(field));
        } else {
            char digits[8];
            const auto end = std::to_chars(digits, digits + sizeof digits, Value(field)).ptr;
            out.append(digits, static_cast<std::size_t>(end - digits));
        }
        return;
    case Held::Char: out += static_cast<char>(Value(field)); return;
    case Held::Aside: out += *AsideText(field); return;
    }
}

bool CNote::Holds(Field field, std::string_view text) const {
    switch (HeldIn(field)) {
    case Held::Empty: return text.empty();
    case Held::Number:
        if (field != Field::Keypresses) return PlainNumber(text) == Value(field);
        break;
    case Held::Char: return text.size() == 1 && static_cast<unsigned char>(text.front()) == Value(field);
    case Held::Aside: return *AsideText(field) == text;
    }
    return Text(field) == text;
}

std::int16_t CNote::Int16In(Field field) const {
    if (HeldIn(field) == Held::Number) return static_cast<std::int16_t>(Value(field));
    return ToInt16(Text(field));
}

std::int32_t CNote::Int32In(Field field) const {
    if (HeldIn(field) == Held::Number) return static_cast<std::int32_t>(Value(field));
    return ToInt32(Text(field));
}

// Durations and octaves hold plain numbers, note letters one character,
// keypresses their code; anything else is kept aside.
void CNote::Store(Field field, std::string_view text) {
    Held held = Held::Aside;
    unsigned value = 0;
    if (text.empty()) {
        held = Held::Empty;
    } else if (field == Field::RTTTLNote || field == Field::ComposerNote) {
        if (text.size() == 1) {
            held = Held::Char;
            value = static_cast<unsigned char>(text.front());
        }
    } else if (field != Field::Keypresses) {
        if (const auto number = PlainNumber(text)) {
            held = Held::Number;
            value = *number;
        }
    }
    if (held == Held::Aside) {
        auto& texts = TheAside().texts;
        auto it = std::find_if(texts.begin(), texts.end(), [field](const auto& t) { return t.first == field; });
        if (it == texts.end()) texts.emplace_back(field, std::string(text));
        else it->second.assign(text.data(), text.size());
    } else if (HeldIn(field) == Held::Aside) {
        std::erase_if(aside_->texts, [field](const auto& t) { return t.first == field; });
    }
    SetField(field, held, value);
}

void CNote::StoreKeys(unsigned code) {
    if (HeldIn(Field::Keypresses) == Held::Aside) Store(Field::Keypresses, {});
    SetField(Field::Keypresses, code != 0 ? Held::Number : Held::Empty, code);
}

std::int32_t CNote::AsidePitchOctave() const { return aside_->pitchOctave; }

std::optional<CNote::PlainState> CNote::PlainState::Of(const NoteState& state) {
    const auto defaultDuration = PlainNumber(state.DefaultDuration);
    const auto defaultOctave = PlainNumber(state.DefaultOctave);
    const auto lastKeyDuration = PlainNumber(state.LastKeyDuration);
    const auto lastKeyOctave = PlainNumber(state.LastKeyOctave);
    if (!defaultDuration || !defaultOctave || !lastKeyDuration || !lastKeyOctave) return std::nullopt;
    return PlainState{*defaultDuration, *defaultOctave, *lastKeyDuration, *lastKeyOctave};
}

void CNote::PlainState::StoreInto(NoteState& state) const {
    AssignNumber(state.LastKeyDuration, lastKeyDuration);
    AssignNumber(state.LastKeyOctave, lastKeyOctave);
}

void CNote::SetPitchOctave(std::optional<std::int32_t> octave) {
    hasPitchOctave_ = octave.has_value();
    pitchOctaveAside_ = octave && (*octave < INT8_MIN || *octave > INT8_MAX);
    if (pitchOctaveAside_) TheAside().pitchOctave = *octave;
    else pitchOctave_ = static_cast<std::int8_t>(octave.value_or(0));
}

void CNote::SetRTTTLDuration(std::string_view duration) {
    if (IsNumeric(duration)) {
        Store(Field::ComposerDuration, duration);
        Store(Field::RTTTLDuration, duration == state_->DefaultDuration ? std::string_view{} : duration);
    } else {
        Store(Field::RTTTLDuration, {});
        Store(Field::ComposerDuration, state_->DefaultDuration);
    }
}

void CNote::SetComposerDuration(std::string_view duration) {
    Store(Field::RTTTLDuration, duration == state_->DefaultDuration ? std::string_view{} : duration);
    Store(Field::ComposerDuration, duration);
}

void CNote::SetRTTTLNote(std::string_view note) {
    Store(Field::ComposerNote, note == "p" ? std::string_view("-") : note);
    Store(Field::RTTTLNote, note);
}

void CNote::SetComposerNote(std::string_view note) {
    Store(Field::RTTTLNote, note == "-" ? std::string_view("p") : note);
    Store(Field::ComposerNote, note);
}

// Both dot setters behave alike. A dotted pause keeps its dot in both
// notations, so that it lasts as long as written; the keypresses have no
// dotted pause and leave the dot out.
void CNote::SetRTTTLDotted(std::string_view dotted) { rtttlDotted_ = composerDotted_ = dotted == "."; }

// The note keeps the octave it is written in; the composer gets the nearest
// of its three octaves, which the reader reports when it is not the same.
void CNote::SetRTTTLOctave(std::string_view octave) {
    if (!IsChar(Field::RTTTLNote, 'p')) {
        const bool own = IsNumeric(octave) && octave != state_->DefaultOctave;
        const std::string_view sounding = own ? octave : std::string_view(state_->DefaultOctave);
        if (IsNumeric(sounding)) {
            const std::int32_t number = ToInt32(sounding);
            const char composer = static_cast<char>('0' + (number < 5 ? 1 : number > 7 ? 3 : number - 4));
            Store(Field::ComposerOctave, std::string_view(&composer, 1));
            SetPitchOctave(number);
        } else {
            Store(Field::ComposerOctave, {});
            SetPitchOctave(std::nullopt);
        }
        Store(Field::RTTTLOctave, own ? octave : std::string_view{});
    }
    BuildKeypresses();
}

// The RTTTL octave is the one the composer octave sounds in, whichever it is:
// RTTTL names every octave.
void CNote::SetComposerOctave(std::string_view octave) {
    Store(Field::ComposerOctave, octave);
    SetPitchOctave(std::nullopt);
    const std::string rtttl = RTTTLOctaveOf(octave);
    Store(Field::RTTTLOctave, rtttl == state_->DefaultOctave ? std::string_view{} : std::string_view(rtttl));
    BuildKeypresses();
}

double CNote::SoundFrequency() const {
    const char letter =
        HeldIn(Field::ComposerNote) == Held::Char ? LowerAscii(static_cast<char>(Value(Field::ComposerNote))) : '\0';
    const bool sharp = sharp_;
    double base = 0;
    switch (letter) {
    case 'c': base = sharp ? 554 : 523; break;
    case 'd': base = sharp ? 622 : 587; break;
    case 'e': base = sharp ? 698 : 659; break;
    case 'f': base = sharp ? 740 : 698; break;
    case 'g': base = sharp ? 831 : 784; break;
    case 'a': base = sharp ? 932 : 880; break;
    case 'b': base = sharp ? 1046 : 988; break;
    default: return 0;
    }
    // Composer octave 1 is RTTTL octave 5.
    const std::optional<std::int32_t> pitchOctave = PitchOctave();
    if (!pitchOctave && HeldIn(Field::ComposerOctave) != Held::Number && !IsNumeric(ComposerOctave()))
        throw EngineError(EngineError::Reason::NotANumber, "a note without a pitch");
    const double octave = pitchOctave ? *pitchOctave - 4.0 : Int32In(Field::ComposerOctave);
    return TimesPowerOfTwo(base, octave - 1.0);
}

double CNote::SoundDuration() const {
    if (HeldIn(Field::ComposerDuration) != Held::Number && !IsNumeric(ComposerDuration()))
        throw EngineError(EngineError::Reason::NotANumber, NoLength);
    const std::int32_t divisor = Int32In(Field::ComposerDuration);
    if (divisor == 0) throw EngineError(EngineError::Reason::DivisionByZero, NoLength);
    return (composerDotted_ ? 1.5 : 1.0) / divisor;
}

std::string CNote::RTTTLText() const {
    std::string text;
    AppendRTTTLText(text);
    return text;
}

std::string CNote::ComposerText() const {
    std::string text;
    AppendComposerText(text);
    return text;
}

char* CNote::PutField(char* at, Field field) const {
    switch (HeldIn(field)) {
    case Held::Empty: break;
    case Held::Number:
        if (field == Field::Keypresses) return PutKeys(at, Value(field));
        return std::to_chars(at, at + 8, Value(field)).ptr;
    case Held::Char: *at++ = static_cast<char>(Value(field)); break;
    case Held::Aside: break;
    }
    return at;
}

// A note without a letter (a token that was no note) is written with its
// duration even when it is the default one, so that it is never an empty
// token, which would be lost between two spaces.
char* CNote::PutRTTTLText(char* at) const {
    at = PutField(at, HeldIn(Field::RTTTLNote) == Held::Empty ? Field::ComposerDuration : Field::RTTTLDuration);
    if (HeldIn(Field::RTTTLNote) == Held::Char) *at++ = LowerAscii(static_cast<char>(Value(Field::RTTTLNote)));
    if (sharp_) *at++ = '#';
    if (rtttlDotted_) *at++ = '.';
    return PutField(at, Field::RTTTLOctave);
}

void CNote::AppendRTTTLText(std::string& out) const {
    if (!HasAsideTexts()) {
        // Each field in its short form: a few bytes, written at once.
        char text[LongestShortText];
        out.append(text, static_cast<std::size_t>(PutRTTTLText(text) - text));
        return;
    }
    Append(out, HeldIn(Field::RTTTLNote) == Held::Empty ? Field::ComposerDuration : Field::RTTTLDuration);
    const std::size_t letter = out.size();
    Append(out, Field::RTTTLNote);
    for (std::size_t i = letter; i < out.size(); ++i) out[i] = LowerAscii(out[i]);
    if (sharp_) out += '#';
    if (rtttlDotted_) out += '.';
    Append(out, Field::RTTTLOctave);
}

char* CNote::PutComposerText(char* at) const {
    at = PutField(at, Field::ComposerDuration);
    if (composerDotted_) *at++ = '.';
    if (sharp_) *at++ = '#';
    if (HeldIn(Field::ComposerNote) == Held::Char) *at++ = LowerAscii(static_cast<char>(Value(Field::ComposerNote)));
    return PutField(at, Field::ComposerOctave);
}

void CNote::AppendComposerText(std::string& out) const {
    if (!HasAsideTexts()) {
        char text[LongestShortText];
        out.append(text, static_cast<std::size_t>(PutComposerText(text) - text));
        return;
    }
    Append(out, Field::ComposerDuration);
    if (composerDotted_) out += '.';
    if (sharp_) out += '#';
    const std::size_t letter = out.size();
    Append(out, Field::ComposerNote);
    for (std::size_t i = letter; i < out.size(); ++i) out[i] = LowerAscii(out[i]);
    Append(out, Field::ComposerOctave);
}

// The keys that enter this note on the handset, given the composer's state
// after the note before: note key (held for a dot), duration change, octave
// change, sharp. The composer has six durations and three octaves: a note
// outside them is entered in the nearest, and the state follows what was
// entered, so the notes after it keep theirs. A pause, and a note whose
// letter has no key, is entered as a pause of its length (the pause key and
// duration keys, no dot) and changes no state. The keys are kept coded; a
// failure leaves the keys and the state of what was made so far, never an
// empty text.
void CNote::BuildKeypresses() {
    NoteState& state = *state_;
    bool pause = false;
    unsigned code = NoteKey(pause);
    StoreKeys(code);
    if (BuildKeypressesPlainly(code, pause)) return;
    if (!Holds(Field::ComposerDuration, state.LastKeyDuration)) {
        if (const std::optional<std::int16_t> duration = NearestHandsetDuration(Int16In(Field::ComposerDuration))) {
            code |= DurationCode(DurationKeys(state, *duration));
            StoreKeys(code);
            if (!pause) state.LastKeyDuration = std::to_string(*duration);
        }
    }
    if (pause) return;
    if (!Holds(Field::ComposerOctave, state.LastKeyOctave)) {
        const std::int16_t octave = NearestHandsetOctave(Int16In(Field::ComposerOctave));
        code |= static_cast<unsigned>(OctaveKeys(state, octave).size()) << keys::OctaveShift;
        StoreKeys(code);
        state.LastKeyOctave = std::to_string(octave);
    }
    if (sharp_) code |= keys::Sharp;
    StoreKeys(code);
}

unsigned CNote::NoteKey(bool& pause) const {
    const unsigned letter =
        HeldIn(Field::ComposerNote) == Held::Char ? NoteKeyCode(static_cast<char>(Value(Field::ComposerNote))) : 0;
    pause = letter == 0 || letter == NoteKeyCode('-');
    return pause ? NoteKeyCode('-') : letter | (composerDotted_ ? keys::Hold : 0);
}

// BuildKeypresses in whole numbers, for a note whose composer duration and
// octave are plain numbers (the octave only for a note) and a composer state
// of plain numbers: the keys it gives, the same way. False, with nothing
// changed, for any other.
bool CNote::BuildKeypressesPlainly(unsigned code, bool pause) {
    NoteState& state = *state_;
    if (HeldIn(Field::ComposerDuration) != Held::Number) return false;
    if (!pause && HeldIn(Field::ComposerOctave) != Held::Number) return false;
    const std::optional<unsigned> lastDuration = PlainNumber(state.LastKeyDuration);
    const std::optional<unsigned> lastOctave = PlainNumber(state.LastKeyOctave);
    if (!lastDuration || (!pause && !lastOctave)) return false;
    unsigned duration = *lastDuration;
    unsigned octave = lastOctave.value_or(0);
    StoreKeys(PlainKeys(code, pause, duration, octave));
    // A plain number's text is the number written plainly: only a changed one is written.
    if (duration != *lastDuration) AssignNumber(state.LastKeyDuration, duration);
    if (!pause && octave != *lastOctave) AssignNumber(state.LastKeyOctave, octave);
    return true;
}

unsigned CNote::PlainKeys(unsigned code, bool pause, unsigned& lastDuration, unsigned& lastOctave) const {
    const unsigned duration = Value(Field::ComposerDuration);
    if (duration != lastDuration && duration >= 1) {
        const int step = DurationStep(duration);
        const unsigned nearest =
            step >= 0 ? duration : static_cast<unsigned>(*NearestHandsetDuration(static_cast<std::int32_t>(duration)));
        const int from = DurationStep(lastDuration);
        const int to = DurationStep(nearest);
        if (from >= 0) {
            const int steps = to - from;
            if (steps != 0)
                code |= static_cast<unsigned>(steps > 0 ? steps : -steps) << keys::DurationShift |
                        (steps < 0 ? keys::Longer : 0);
        }
        if (!pause) lastDuration = nearest;
    }
    if (!pause) {
        const unsigned composerOctave = Value(Field::ComposerOctave);
        if (composerOctave != lastOctave) {
            const unsigned octave = std::clamp(composerOctave, 1U, 3U);
            if (lastOctave >= 1 && lastOctave <= 3) code |= ((octave + 3 - lastOctave) % 3) << keys::OctaveShift;
            lastOctave = octave;
        }
        if (sharp_) code |= keys::Sharp;
    }
    return code;
}

void CNote::AddProblem(std::string_view token, std::string_view reason, bool misread) {
    constexpr std::size_t longest = 40;  // a report names the token; it need not repeat a long one
    Aside& aside = TheAside();
    if (aside.problem.empty())
        aside.problemToken =
            token.size() > longest ? std::string(token.substr(0, longest)) + "..." : std::string(token);
    else aside.problem += "; ";
    aside.problem += reason;
    misread_ = misread_ || misread;
}

std::string CNote::ProblemLine(std::size_t position, std::string_view reason) const {
    std::string line = "note " + std::to_string(position);
    const std::string text = ProblemToken().empty() ? RTTTLText() : ProblemToken();
    if (!text.empty()) line += ", " + text;
    line += ": ";
    line += reason;
    return line;
}

const std::string& CNote::AsideProblem() const { return aside_->problem; }

const std::string& CNote::ProblemToken() const { return aside_ ? aside_->problemToken : NoText(); }

void CNote::ClearProblems() {
    misread_ = false;
    if (!aside_) return;
    aside_->problem.clear();
    aside_->problemToken.clear();
}

}  // namespace tw

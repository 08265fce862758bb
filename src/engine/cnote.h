#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/note_state.h"

namespace tw {

// One note or pause of a ringtone, held at once in its RTTTL fields, its
// composer fields and its keypress text. Every setter of one notation also
// sets the matching fields of the other, so the forms stay consistent.
// Every field reads as text, exactly as it was read. A ringtone holds
// hundreds of thousands of notes, so a note keeps its fields in a few bytes:
// a whole number written plainly, one character, coded keypresses, or flags.
// Only a text that fits none of these (a token the readers could not take
// apart, a problem report) is kept aside on the heap.
class CNote {
public:
    // A note with every field empty, sharing the note state with its owner.
    explicit CNote(std::shared_ptr<NoteState> state);
    // A note with a note state of its own, as after a reset.
    CNote();
    // A copy shares the note state of the original when the original owns
    // or shares one; a copy of a ringtone's note (which uses the ringtone's
    // state without owning it) gets its own copy of that state, so that it
    // stays usable when the ringtone is gone.
    CNote(const CNote& other);
    CNote& operator=(const CNote& other);
    CNote(CNote&&) noexcept;
    CNote& operator=(CNote&&) noexcept;
    ~CNote();

    // Token readers: one note token in each notation. A failure throws
    // EngineError and leaves the fields set so far.
    void SetRTTTLBatch(std::string_view token);
    void SetComposerBatch(std::string_view token);
    void SetKeypressBatch(std::string_view token);

    // The ringtone's RTTTL defaults and the composer's state after the last
    // keyed note (the note state's DefaultDuration, DefaultOctave,
    // LastKeyDuration and LastKeyOctave) as whole numbers, so that a run of
    // notes read one after another reads and writes those texts once, not
    // once per note.
    struct PlainState {
        unsigned defaultDuration = 0;
        unsigned defaultOctave = 0;
        unsigned lastKeyDuration = 0;
        unsigned lastKeyOctave = 0;
        // None when one of the four texts is no plain number.
        static std::optional<PlainState> Of(const NoteState& state);
        // Writes the composer's state back as text; the defaults never change
        // while notes are read.
        void StoreInto(NoteState& state) const;
    };
    // SetRTTTLBatch for a token written as nearly every published note is,
    // its numbers plain, with the note state held in `state`: true when it
    // read the token, false (and nothing changed) for any other token, which
    // SetRTTTLBatch reads once `state` is stored back.
    bool SetPlainRTTTLBatch(std::string_view token, PlainState& state);

    std::string RTTTLDuration() const { return Text(Field::RTTTLDuration); }
    std::string ComposerDuration() const { return Text(Field::ComposerDuration); }
    std::string RTTTLNote() const { return Text(Field::RTTTLNote); }
    std::string ComposerNote() const { return Text(Field::ComposerNote); }
    std::string Sharp() const { return sharp_ ? "#" : ""; }
    std::string RTTTLDotted() const { return rtttlDotted_ ? "." : ""; }
    std::string ComposerDotted() const { return composerDotted_ ? "." : ""; }
    std::string RTTTLOctave() const { return Text(Field::RTTTLOctave); }
    std::string ComposerOctave() const { return Text(Field::ComposerOctave); }
    std::string Keypresses() const { return Text(Field::Keypresses); }

    void SetRTTTLDuration(std::string_view duration);
    void SetComposerDuration(std::string_view duration);
    void SetRTTTLNote(std::string_view note);
    void SetComposerNote(std::string_view note);
    void SetSharp(std::string_view sharp) { sharp_ = sharp == "#"; }
    void SetRTTTLDotted(std::string_view dotted);
    void SetComposerDotted(std::string_view dotted) { SetRTTTLDotted(dotted); }
    void SetRTTTLOctave(std::string_view octave);
    void SetComposerOctave(std::string_view octave);
    void SetKeypresses(std::string_view keys) { Store(Field::Keypresses, keys); }

    // Pitch in hertz: the composer's whole-hertz pitches of its first octave
    // (c 523, a 880) doubled or halved per octave, so every octave of the
    // handset sounds in whole hertz and the others within a cent or two of
    // equal temperament. A sharp e sounds as f, a sharp b as the c above.
    // 0 for a pause or an unknown letter. An RTTTL note sounds in the octave
    // it was written in, a composer note in its composer octave. A note
    // without an octave throws EngineError ("a note without a pitch").
    double SoundFrequency() const;
    // Length as a fraction of a whole note; a dot adds half the note's length.
    // A duration that is no number or 0 throws EngineError (NotANumber,
    // DivisionByZero: "a note without a length").
    double SoundDuration() const;

    // The note as each writer writes it.
    std::string RTTTLText() const;
    std::string ComposerText() const;
    // The same texts and the keypresses, added to the end of `out`.
    void AppendRTTTLText(std::string& out) const;
    void AppendComposerText(std::string& out) const;
    void AppendKeypresses(std::string& out) const { Append(out, Field::Keypresses); }
    // The same three texts written at `at`, for a note that keeps no text
    // aside (HasAsideTexts false, as nearly every note): each writes at most
    // LongestShortText bytes and gives the end of what it wrote.
    static constexpr std::size_t LongestShortText = 32;
    bool HasAsideTexts() const;
    char* PutRTTTLText(char* at) const;
    char* PutComposerText(char* at) const;
    char* PutKeypresses(char* at) const { return PutField(at, Field::Keypresses); }

    // What a note that keeps nothing aside (no problem, no text beyond the
    // short forms) is made of: two notes of the same short form write the
    // same texts and sound alike, so a writer may write one once and copy it.
    // None for a note that keeps something aside.
    struct ShortForm {
        std::array<std::uint16_t, 7> fields{};
        std::int8_t pitchOctave = 0;
        std::uint8_t flags = 0;
        bool operator==(const ShortForm&) const = default;
    };
    std::optional<ShortForm> TheShortForm() const {
        if (aside_) return std::nullopt;
        return ShortForm{fields_, pitchOctave_,
                         static_cast<std::uint8_t>(hasPitchOctave_ | sharp_ << 1 | rtttlDotted_ << 2 |
                                                   composerDotted_ << 3 | misread_ << 4)};
    }

    // True when the last token reader could not read the token wholly as a
    // note (no note at all, a composer duration or octave the composer lacks).
    bool Misread() const { return misread_; }
    // What is wrong with the note as read, for the ringtone's report: empty
    // when nothing is; otherwise why it is no note, or why the handset or the
    // sound cannot take it as written ("below the composer's octaves").
    const std::string& Problem() const { return aside_ ? AsideProblem() : NoProblem(); }
    // The token the note was read from (its first 40 bytes and "..." when
    // longer), kept only when the note has a problem.
    const std::string& ProblemToken() const;
    // Adds a problem of the note read from `token`; a misread also makes the
    // ringtone's notes invalid.
    void AddProblem(std::string_view token, std::string_view reason, bool misread);
    // A problem of the note at `position` (from 1) as the ringtone's reports
    // word it: "note 12, 16b4: below the composer's octaves", naming the token
    // read when the note has a problem, else the note's RTTTL text.
    std::string ProblemLine(std::size_t position, std::string_view reason) const;

    // What only a CNotes has: its notes use the ringtone's note state, which
    // outlives them, without owning it.
    class RingtoneKey {
        friend class CNotes;
        RingtoneKey() = default;
    };
    CNote(NoteState& state, RingtoneKey);

private:
    // The text fields. Sharp and the dots are flags of their own.
    enum class Field : std::uint8_t {
        RTTTLDuration,
        ComposerDuration,
        RTTTLNote,
        ComposerNote,
        RTTTLOctave,
        ComposerOctave,
        Keypresses
    };
    static constexpr std::size_t FieldCount = 7;
    // How a field holds its text: none; a whole number up to MaxPlainNumber
    // without sign or leading zero (durations, octaves) or the coded keys of
    // BuildKeypresses (keypresses); one character (note letters); or kept aside.
    enum class Held : std::uint8_t { Empty, Number, Char, Aside };
    static constexpr unsigned HeldShift = 14;  // a field is its Held and 14 bits of value
    static constexpr unsigned MaxPlainNumber = (1U << HeldShift) - 1;
    struct Aside;

    Held HeldIn(Field field) const { return static_cast<Held>(fields_[static_cast<std::size_t>(field)] >> HeldShift); }
    unsigned Value(Field field) const { return fields_[static_cast<std::size_t>(field)] & MaxPlainNumber; }
    void SetField(Field field, Held held, unsigned value) {
        fields_[static_cast<std::size_t>(field)] =
            static_cast<std::uint16_t>(static_cast<unsigned>(held) << HeldShift | value);
    }
    bool IsChar(Field field, char c) const {
        return HeldIn(field) == Held::Char && Value(field) == static_cast<unsigned char>(c);
    }
    std::string Text(Field field) const;
    void Append(std::string& out, Field field) const;
    // Writes a field not held aside at `at` (at most 16 bytes) and gives its end.
    char* PutField(char* at, Field field) const;
    // Whether the field's text is `text`, without making it.
    bool Holds(Field field, std::string_view text) const;
    // The field's text as a number (ToInt16, ToInt32), throwing as they do.
    std::int16_t Int16In(Field field) const;
    std::int32_t Int32In(Field field) const;
    void Store(Field field, std::string_view text);
    // A whole number without sign or leading zero that a field holds as it is.
    static std::optional<unsigned> PlainNumber(std::string_view text) {
        if (text.empty() || text.size() > 5 || (text.size() > 1 && text.front() == '0')) return std::nullopt;
        unsigned value = 0;
        for (char c : text) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (value > MaxPlainNumber) return std::nullopt;
        return value;
    }
    void StoreKeys(unsigned keys);
    std::optional<std::int32_t> PitchOctave() const {
        if (!hasPitchOctave_) return std::nullopt;
        return pitchOctaveAside_ ? AsidePitchOctave() : pitchOctave_;
    }
    std::int32_t AsidePitchOctave() const;
    void SetPitchOctave(std::optional<std::int32_t> octave);
    const std::string* AsideText(Field field) const;
    Aside& TheAside();

    void ReportRTTTLProblems(std::string_view token);
    void BuildKeypresses();
    // The coded key of the note's letter (held for a dot), or of a pause for
    // a pause and a letter without a key, which sets `pause`.
    unsigned NoteKey(bool& pause) const;
    bool BuildKeypressesPlainly(unsigned code, bool pause);
    // The keys of BuildKeypressesPlainly added to `code`, the composer's
    // last duration and octave in whole numbers, moved on as the note is keyed.
    unsigned PlainKeys(unsigned code, bool pause, unsigned& lastDuration, unsigned& lastOctave) const;
    void ApplyKeypress(char key);
    void ReadRTTTLLeniently(std::string_view token);
    void ClearProblems();

    NoteState* state_ = nullptr;
    std::unique_ptr<Aside> aside_;

    // Problem's two halves: most notes have nothing aside and no problem.
    const std::string& AsideProblem() const;
    static const std::string& NoProblem() {
        static const std::string none;
        return none;
    }
    std::array<std::uint16_t, FieldCount> fields_{};
    static_assert(sizeof(ShortForm::fields) == sizeof(fields_));
    // The octave, in RTTTL numbering, that an RTTTL note sounds in; none for
    // notes whose octave comes from the composer's numbering. One beyond a
    // byte is kept aside.
    std::int8_t pitchOctave_ = 0;
    bool hasPitchOctave_ : 1 = false;
    bool pitchOctaveAside_ : 1 = false;
    bool sharp_ : 1 = false;
    bool rtttlDotted_ : 1 = false;
    bool composerDotted_ : 1 = false;
    bool misread_ : 1 = false;
};

// The highest pitch the program's sound (8000 samples a second) can carry.
inline constexpr double HighestSoundFrequency = 4000.0;

}  // namespace tw

#pragma once

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
// All fields are text, exactly as read.
class CNote {
public:
    // A note with every field empty, sharing the ringtone's note state.
    explicit CNote(std::shared_ptr<NoteState> state);
    // A note with a note state of its own, as after a reset.
    CNote();

    // Token readers: one note token in each notation. A failure throws
    // EngineError and leaves the fields set so far.
    void SetRTTTLBatch(std::string_view token);
    void SetComposerBatch(std::string_view token);
    void SetKeypressBatch(std::string_view token);

    const std::string& RTTTLDuration() const { return rtttlDuration_; }
    const std::string& ComposerDuration() const { return composerDuration_; }
    const std::string& RTTTLNote() const { return rtttlNote_; }
    const std::string& ComposerNote() const { return composerNote_; }
    const std::string& Sharp() const { return sharp_; }
    const std::string& RTTTLDotted() const { return rtttlDotted_; }
    const std::string& ComposerDotted() const { return composerDotted_; }
    const std::string& RTTTLOctave() const { return rtttlOctave_; }
    const std::string& ComposerOctave() const { return composerOctave_; }
    const std::string& Keypresses() const { return keypresses_; }

    void SetRTTTLDuration(std::string duration);
    void SetComposerDuration(std::string duration);
    void SetRTTTLNote(std::string note);
    void SetComposerNote(std::string note);
    void SetSharp(std::string sharp);
    void SetRTTTLDotted(std::string dotted);
    void SetComposerDotted(std::string dotted);
    void SetRTTTLOctave(std::string octave);
    void SetComposerOctave(std::string octave);
    void SetKeypresses(std::string keys) { keypresses_ = std::move(keys); }

    // Pitch in hertz: the composer's whole-hertz pitches of its first octave
    // (c 523, a 880) doubled or halved per octave, so every octave of the
    // handset sounds in whole hertz and the others within a cent or two of
    // equal temperament. A sharp e sounds as f, a sharp b as the c above.
    // 0 for a pause or an unknown letter. An RTTTL note sounds in the octave
    // it was written in, a composer note in its composer octave.
    double SoundFrequency() const;
    // Length as a fraction of a whole note; a dot adds half the note's length.
    double SoundDuration() const;

    // The note as each writer writes it.
    std::string RTTTLText() const;
    std::string ComposerText() const;

    // True when the last token reader could not read the token wholly as a
    // note (no note at all, a composer duration or octave the composer lacks).
    bool Misread() const { return misread_; }
    // What is wrong with the note as read, for the ringtone's report: empty
    // when nothing is; otherwise why it is no note, or why the handset or the
    // sound cannot take it as written ("below the composer's octaves").
    const std::string& Problem() const { return problem_; }
    // The token the note was read from (its first 40 bytes and "..." when
    // longer), kept only when the note has a problem.
    const std::string& ProblemToken() const { return problemToken_; }
    // Adds a problem of the note read from `token`; a misread also makes the
    // ringtone's notes invalid.
    void AddProblem(std::string_view token, std::string_view reason, bool misread);

private:
    void BuildKeypresses();
    void ApplyKeypress(char key);
    void ReadRTTTLLeniently(std::string_view token);
    void ClearProblems();

    std::shared_ptr<NoteState> state_;
    std::string rtttlDuration_;
    std::string composerDuration_;
    std::string rtttlNote_;
    std::string composerNote_;
    std::string sharp_;
    std::string rtttlDotted_;
    std::string composerDotted_;
    std::string rtttlOctave_;
    std::string composerOctave_;
    std::string keypresses_;
    // The octave, in RTTTL numbering, that an RTTTL note sounds in; unset for
    // notes whose octave comes from the composer's numbering.
    std::optional<std::int32_t> pitchOctave_;
    bool misread_ = false;
    std::string problem_;
    std::string problemToken_;
};

// The highest pitch the program's sound (8000 samples a second) can carry.
inline constexpr double HighestSoundFrequency = 4000.0;

}  // namespace tw

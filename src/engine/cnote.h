#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "note_state.h"

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
    void SetRTTTLBatch(std::string_view sNewNoteBatch);
    void SetComposerBatch(std::string_view sNewNoteBatch);
    void SetKeypressBatch(std::string_view sNewNoteBatch);

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

    void SetRTTTLDuration(std::string sNewDuration);
    void SetComposerDuration(std::string sNewDuration);
    void SetRTTTLNote(std::string sNewNote);
    void SetComposerNote(std::string sNewNote);
    void SetSharp(std::string sNewSharp);
    void SetRTTTLDotted(std::string sNewDotted);
    void SetComposerDotted(std::string sNewDotted);
    void SetRTTTLOctave(std::string sNewOctave);
    void SetComposerOctave(std::string sNewOctave);
    void SetKeypresses(std::string sNewKeys) { keypresses_ = std::move(sNewKeys); }

    // Pitch in whole hertz; 0 for a pause or an unknown letter.
    std::int32_t SoundFrequency() const;
    // Length as a fraction of a whole note; a dot adds half the note's length.
    double SoundDuration() const;

    // The note as each writer writes it.
    std::string RTTTLText() const;
    std::string ComposerText() const;

    // True when the last token reader finished without a failure but lost or
    // misread part of the token (an octave text that is no octave, a duration
    // the handset does not have, a composer octave outside 1 to 3).
    bool Misread() const { return misread_; }

private:
    void BuildKeypresses();
    void ApplyKeypress(char key);

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
    bool misread_ = false;
};

}  // namespace tw

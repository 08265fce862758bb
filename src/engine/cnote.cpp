#include "cnote.h"

#include <cmath>

#include "engine_error.h"
#include "note_keys.h"
#include "text_rules.h"

namespace tw {

CNote::CNote(std::shared_ptr<NoteState> state) : state_(std::move(state)) {}

CNote::CNote() : CNote(std::make_shared<NoteState>()) {}

void CNote::SetRTTTLDuration(std::string sNewDuration) {
    if (IsNumeric(sNewDuration)) {
        composerDuration_ = sNewDuration;
        rtttlDuration_ = sNewDuration == state_->DefaultDuration ? std::string{} : std::move(sNewDuration);
    } else {
        rtttlDuration_.clear();
        composerDuration_ = state_->DefaultDuration;
    }
}

void CNote::SetComposerDuration(std::string sNewDuration) {
    rtttlDuration_ = sNewDuration == state_->DefaultDuration ? std::string{} : sNewDuration;
    composerDuration_ = std::move(sNewDuration);
}

void CNote::SetRTTTLNote(std::string sNewNote) {
    composerNote_ = sNewNote == "p" ? std::string("-") : sNewNote;
    rtttlNote_ = std::move(sNewNote);
}

void CNote::SetComposerNote(std::string sNewNote) {
    rtttlNote_ = sNewNote == "-" ? std::string("p") : sNewNote;
    composerNote_ = std::move(sNewNote);
}

void CNote::SetSharp(std::string sNewSharp) { sharp_ = sNewSharp == "#" ? "#" : ""; }

// Both dot setters behave alike: a pause keeps its composer dot as it was,
// since the composer has no dotted pause key.
void CNote::SetRTTTLDotted(std::string sNewDotted) {
    if (sNewDotted == ".") {
        rtttlDotted_ = ".";
        if (composerNote_ != "-") composerDotted_ = ".";
    } else {
        rtttlDotted_.clear();
        composerDotted_.clear();
    }
}

void CNote::SetComposerDotted(std::string sNewDotted) { SetRTTTLDotted(std::move(sNewDotted)); }

void CNote::SetRTTTLOctave(std::string sNewOctave) {
    if (rtttlNote_ != "p") {
        if (IsNumeric(sNewOctave) && sNewOctave != state_->DefaultOctave) {
            composerOctave_ = ConvertOctave(sNewOctave);
            rtttlOctave_ = std::move(sNewOctave);
        } else {
            composerOctave_ = ConvertOctave(state_->DefaultOctave);
            rtttlOctave_.clear();
        }
    }
    BuildKeypresses();
}

void CNote::SetComposerOctave(std::string sNewOctave) {
    composerOctave_ = std::move(sNewOctave);
    if (IsNumeric(composerOctave_)) {
        std::string rtttl = ConvertOctave(composerOctave_);
        rtttlOctave_ = rtttl == state_->DefaultOctave ? std::string{} : std::move(rtttl);
    } else {
        rtttlOctave_.clear();
    }
    BuildKeypresses();
}

std::int32_t CNote::SoundFrequency() const {
    const std::string letter = ToLowerAscii(composerNote_);
    const bool sharp = sharp_ == "#";
    std::int32_t base = 0;
    if (letter == "c") base = sharp ? 554 : 523;
    else if (letter == "d") base = sharp ? 622 : 587;
    else if (letter == "e") base = 659;
    else if (letter == "f") base = sharp ? 740 : 698;
    else if (letter == "g") base = sharp ? 831 : 784;
    else if (letter == "a") base = sharp ? 932 : 880;
    else if (letter == "b") base = 988;
    if (base == 0) return 0;
    const std::int32_t octave = ToInt32(composerOctave_);
    return RoundToInt32(base * std::pow(2.0, static_cast<double>(octave) - 1.0));
}

double CNote::SoundDuration() const {
    const std::int32_t d = ToInt32(composerDuration_);
    if (d == 0) throw EngineError(EngineError::Reason::DivisionByZero, "Division by zero");
    return (composerDotted_ == "." ? 1.5 : 1.0) / d;
}

std::string CNote::RTTTLText() const {
    return rtttlDuration_ + ToLowerAscii(rtttlNote_) + sharp_ + rtttlDotted_ + rtttlOctave_;
}

std::string CNote::ComposerText() const {
    return composerDuration_ + composerDotted_ + sharp_ + ToLowerAscii(composerNote_) + composerOctave_;
}

// The keys that enter this note on the handset, given the composer's state
// after the note before: note key (held for a dot), duration change, octave
// change, sharp. A pause changes no state.
void CNote::BuildKeypresses() {
    NoteState& state = *state_;
    keypresses_.clear();
    if (composerNote_ == "-") {
        keypresses_ = "0";
        if (composerDuration_ != state.LastKeyDuration)
            keypresses_ += DurationKeys(state, ToInt16(composerDuration_));
        return;
    }
    std::string keys = composerDotted_ == "." ? "(hold " + NoteKey(composerNote_) + ")" : NoteKey(composerNote_);
    if (composerDuration_ != state.LastKeyDuration) keys += DurationKeys(state, ToInt16(composerDuration_));
    if (composerOctave_ != state.LastKeyOctave) keys += OctaveKeys(state, ToInt16(composerOctave_));
    if (sharp_ == "#") keys += "#";
    keypresses_ = std::string(TrimSpaces(keys));
    state.LastKeyDuration = composerDuration_;
    state.LastKeyOctave = composerOctave_;
}


}  // namespace tw

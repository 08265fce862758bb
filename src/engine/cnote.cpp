#include "engine/cnote.h"

#include <cmath>

#include "engine/engine_error.h"
#include "engine/note_keys.h"
#include "engine/text_rules.h"

namespace tw {

CNote::CNote(std::shared_ptr<NoteState> state) : state_(std::move(state)) {}

CNote::CNote() : CNote(std::make_shared<NoteState>()) {}

void CNote::SetRTTTLDuration(std::string duration) {
    if (IsNumeric(duration)) {
        composerDuration_ = duration;
        rtttlDuration_ = duration == state_->DefaultDuration ? std::string{} : std::move(duration);
    } else {
        rtttlDuration_.clear();
        composerDuration_ = state_->DefaultDuration;
    }
}

void CNote::SetComposerDuration(std::string duration) {
    rtttlDuration_ = duration == state_->DefaultDuration ? std::string{} : duration;
    composerDuration_ = std::move(duration);
}

void CNote::SetRTTTLNote(std::string note) {
    composerNote_ = note == "p" ? std::string("-") : note;
    rtttlNote_ = std::move(note);
}

void CNote::SetComposerNote(std::string note) {
    rtttlNote_ = note == "-" ? std::string("p") : note;
    composerNote_ = std::move(note);
}

void CNote::SetSharp(std::string sharp) { sharp_ = sharp == "#" ? "#" : ""; }

// Both dot setters behave alike. A dotted pause keeps its dot in both
// notations, so that it lasts as long as written; the keypresses have no
// dotted pause and leave the dot out.
void CNote::SetRTTTLDotted(std::string dotted) {
    if (dotted == ".") {
        rtttlDotted_ = ".";
        composerDotted_ = ".";
    } else {
        rtttlDotted_.clear();
        composerDotted_.clear();
    }
}

void CNote::SetComposerDotted(std::string dotted) { SetRTTTLDotted(std::move(dotted)); }

// The note keeps the octave it is written in; the composer gets the nearest
// of its three octaves, which the reader reports when it is not the same.
void CNote::SetRTTTLOctave(std::string octave) {
    if (rtttlNote_ != "p") {
        const bool own = IsNumeric(octave) && octave != state_->DefaultOctave;
        const std::string& sounding = own ? octave : state_->DefaultOctave;
        std::string composer = NearestComposerOctave(sounding);
        pitchOctave_ = IsNumeric(sounding) ? std::optional<std::int32_t>(ToInt32(sounding)) : std::nullopt;
        composerOctave_ = std::move(composer);
        if (own) rtttlOctave_ = std::move(octave);
        else rtttlOctave_.clear();
    }
    BuildKeypresses();
}

void CNote::SetComposerOctave(std::string octave) {
    composerOctave_ = std::move(octave);
    pitchOctave_.reset();
    if (IsNumeric(composerOctave_)) {
        std::string rtttl = ConvertOctave(composerOctave_);
        rtttlOctave_ = rtttl == state_->DefaultOctave ? std::string{} : std::move(rtttl);
    } else {
        rtttlOctave_.clear();
    }
    BuildKeypresses();
}

double CNote::SoundFrequency() const {
    const std::string letter = ToLowerAscii(composerNote_);
    const bool sharp = sharp_ == "#";
    double base = 0;
    if (letter == "c") base = sharp ? 554 : 523;
    else if (letter == "d") base = sharp ? 622 : 587;
    else if (letter == "e") base = sharp ? 698 : 659;
    else if (letter == "f") base = sharp ? 740 : 698;
    else if (letter == "g") base = sharp ? 831 : 784;
    else if (letter == "a") base = sharp ? 932 : 880;
    else if (letter == "b") base = sharp ? 1046 : 988;
    if (base == 0) return 0;
    // Composer octave 1 is RTTTL octave 5.
    const double octave = pitchOctave_ ? *pitchOctave_ - 4.0 : ToInt32(composerOctave_);
    return base * std::pow(2.0, octave - 1.0);
}

double CNote::SoundDuration() const {
    const std::int32_t divisor = ToInt32(composerDuration_);
    if (divisor == 0) throw EngineError(EngineError::Reason::DivisionByZero, "Division by zero");
    return (composerDotted_ == "." ? 1.5 : 1.0) / divisor;
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
        if (composerDuration_ != state.LastKeyDuration) keypresses_ += DurationKeys(state, ToInt16(composerDuration_));
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

void CNote::AddProblem(std::string_view token, std::string_view reason, bool misread) {
    constexpr std::size_t longest = 40;  // a report names the token; it need not repeat a long one
    if (problem_.empty())
        problemToken_ = token.size() > longest ? std::string(token.substr(0, longest)) + "..." : std::string(token);
    else problem_ += "; ";
    problem_ += reason;
    misread_ = misread_ || misread;
}

void CNote::ClearProblems() {
    misread_ = false;
    problem_.clear();
    problemToken_.clear();
}

}  // namespace tw

// The three token readers of CNote: one note token of RTTTL, composer or
// keypress text read into the note's fields.
#include <string>

#include "cnote.h"
#include "engine_error.h"
#include "text_rules.h"

namespace tw {
namespace {

bool IsHandsetDuration(std::string_view d) {
    return d == "1" || d == "2" || d == "4" || d == "8" || d == "16" || d == "32";
}

bool IsHandsetOctave(std::string_view o) { return o == "1" || o == "2" || o == "3"; }

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

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

}  // namespace

// [duration] letter [#] [.] [octave]; the dot may also follow the octave (8c6.).
void CNote::SetRTTTLBatch(std::string_view sNewNoteBatch) {
    std::string_view rest = sNewNoteBatch;
    misread_ = false;
    std::size_t durationLength = 0;
    if (IsNumeric(rest.substr(0, 2))) durationLength = 2;
    else if (IsNumeric(rest.substr(0, 1))) durationLength = 1;
    SetRTTTLDuration(Take(rest, durationLength));
    SetRTTTLNote(Take(rest, 1));
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
    if (!IsBlank(octave) && !IsNumeric(octave)) misread_ = true;
    if (!IsHandsetDuration(composerDuration_)) misread_ = true;
}

// duration [.] [#] letter octave; "-" is a pause.
void CNote::SetComposerBatch(std::string_view sNewNoteBatch) {
    std::string_view rest = sNewNoteBatch;
    misread_ = false;
    std::size_t durationLength = 0;
    const bool twoDigits = rest.size() < 2 || (rest[1] != '.' && rest[1] != '-');
    if (twoDigits && IsNumeric(rest.substr(0, 2))) durationLength = 2;
    else if (IsNumeric(rest.substr(0, 1))) durationLength = 1;
    SetComposerDuration(Take(rest, durationLength));
    if (TakeIf(rest, '.')) SetComposerDotted(".");
    if (TakeIf(rest, '#')) SetSharp("#");
    SetComposerNote(Take(rest, 1));
    SetComposerOctave(std::string(rest));
    if (!IsHandsetDuration(composerDuration_)) misread_ = true;
    const bool pause = composerNote_ == "-";
    if (pause ? !(composerOctave_.empty() || IsHandsetOctave(composerOctave_)) : !IsHandsetOctave(composerOctave_))
        misread_ = true;
}

// Replays the keys of one token on the composer's state. The fields are
// written directly; the ringtone re-reads its composer text afterwards to
// fill the RTTTL fields and fresh keypresses.
void CNote::SetKeypressBatch(std::string_view sNewNoteBatch) {
    misread_ = false;
    for (char key : sNewNoteBatch) ApplyKeypress(key);
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

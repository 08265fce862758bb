#include "engine/note_sequence.h"

#include <algorithm>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/plain_note.h"
#include "engine/ringtone_text.h"

namespace tw {
namespace {

[[noreturn]] void TooManyNotes() {
    throw EngineError(EngineError::Reason::TooLong,
                      TooLargeText("The melody, with its repeats, would become a ringtone text of", std::nullopt,
                                   MaxRingtoneText, "a ringtone text") +
                          ".");
}

std::size_t Digits(std::int32_t n) {
    std::size_t digits = 1;
    for (; n >= 10; n /= 10) ++digits;
    return digits;
}

// Duration, letter, sharp, dot, octave and the comma after it, as Finish
// writes them; a pause (semitone -1) has "p" for letter and no octave.
std::size_t TextSize(std::int32_t semitone, std::int32_t duration, bool dotted) {
    const std::size_t common = Digits(duration) + 1 + (dotted ? 1 : 0) + 1;
    if (semitone < 0) return common;
    bool sharp = false;
    SemitoneLetter(semitone % 12, sharp);
    return common + (sharp ? 1 : 0) + Digits(semitone / 12);
}

}  // namespace

std::size_t MelodyNoteBytes(std::optional<std::int32_t> semitone, FormatLength length) {
    const EngineLength engine = EngineLengthOf(length);
    return TextSize(semitone.value_or(-1), engine.duration, engine.dotted);
}

std::size_t MelodyNoteBytes(std::optional<std::int32_t> semitone, std::int32_t duration, bool dotted) {
    return TextSize(semitone.value_or(-1), duration, dotted);
}

void NoteSequence::AddProblem(std::uint32_t& index, std::string_view token, std::string_view reason) {
    if (index == 0) {
        problems_.push_back({std::string(token), std::string(reason)});
        index = static_cast<std::uint32_t>(problems_.size());
    } else {
        problems_[index - 1].reason += "; ";
        problems_[index - 1].reason += reason;
    }
}

void NoteSequence::ProblemForNextNote(std::string_view token, std::string_view reason) {
    AddProblem(pending_, token, reason);
}

void NoteSequence::Add(std::optional<std::int32_t> semitone, FormatLength length, std::string_view token) {
    const EngineLength engine = EngineLengthOf(length);
    Note note{static_cast<std::int16_t>(semitone ? *semitone : -1), static_cast<std::uint8_t>(engine.duration),
              engine.dotted, pending_};
    pending_ = 0;
    if (!engine.exact) {
        const std::string read = std::string(engine.dotted ? "dotted " : "") + "1/" + std::to_string(engine.duration);
        AddProblem(note.problem, token, DescribeLength(length) + ", read as " + read);
    }
    textSize_ += TextSize(note.semitone, note.duration, note.dotted);
    if (textSize_ > MaxRingtoneText) TooManyNotes();
    notes_.push_back(note);
}

void NoteSequence::Add(std::optional<std::int32_t> semitone, std::int32_t duration, bool dotted, std::string_view token,
                       std::string_view problem) {
    Note note{static_cast<std::int16_t>(semitone ? *semitone : -1),
              static_cast<std::uint8_t>(std::clamp(duration, 1, 255)), dotted, pending_};
    pending_ = 0;
    if (!problem.empty()) AddProblem(note.problem, token, problem);
    textSize_ += TextSize(note.semitone, note.duration, note.dotted);
    if (textSize_ > MaxRingtoneText) TooManyNotes();
    notes_.push_back(note);
}

void NoteSequence::AppendCopies(std::size_t from, std::size_t to, std::uint64_t times) {
    to = std::min(to, notes_.size());
    if (from >= to || times == 0) return;
    std::size_t blockSize = 0;
    for (std::size_t i = from; i < to; ++i)
        blockSize += TextSize(notes_[i].semitone, notes_[i].duration, notes_[i].dotted);
    const std::size_t room = MaxRingtoneText - textSize_;
    if (times > room / blockSize) TooManyNotes();
    notes_.reserve(notes_.size() + (to - from) * static_cast<std::size_t>(times));
    for (std::uint64_t t = 0; t < times; ++t)
        for (std::size_t i = from; i < to; ++i) notes_.push_back(notes_[i]);
    textSize_ += blockSize * static_cast<std::size_t>(times);
}

void NoteSequence::Finish(CNotes& ringtone, std::string_view name, std::string_view tempo) const {
    if (notes_.empty()) throw EngineError(EngineError::Reason::BadFile, "The melody holds no notes.");
    std::string text = "x:d=4,o=5,b=";
    text += tempo;
    text += ':';
    text.reserve(text.size() + textSize_);
    for (const Note& note : notes_) {
        text += std::to_string(note.duration);
        if (note.semitone < 0) {
            text += 'p';
            if (note.dotted) text += '.';
        } else {
            bool sharp = false;
            text += SemitoneLetter(note.semitone % 12, sharp);
            if (sharp) text += '#';
            if (note.dotted) text += '.';
            text += std::to_string(note.semitone / 12);
        }
        text += ',';
    }
    text.pop_back();
    ringtone.SetFull_RTTTL(text);
    ringtone.SetGivenName(name);
    for (std::size_t i = 0; i < notes_.size(); ++i) {
        if (notes_[i].problem == 0) continue;
        const Problem& problem = problems_[notes_[i].problem - 1];
        ringtone.Item(static_cast<std::int32_t>(i + 1)).AddProblem(problem.token, problem.reason, false);
    }
}

}  // namespace tw

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/format_length.h"

namespace tw {

class CNotes;

// How the readers of handset files measure the ringtone text a melody
// becomes, which they hold to MaxRingtoneText: the longest header that text
// has ("x:d=4,o=5,b=32767:") and every note as it is written there, with a
// comma after it. The writers of those files measure what they write the
// same way, so that every file written reads back.
inline constexpr std::size_t MelodyHeaderBytes = 18;
// A note at `semitone` (12 x RTTTL octave + 0 ... 11; none for a pause) of
// `length`, as "16c#.6," or "8p,".
std::size_t MelodyNoteBytes(std::optional<std::int32_t> semitone, FormatLength length);
// The same for a note of 1/`duration` of a whole note, dotted or not.
std::size_t MelodyNoteBytes(std::optional<std::int32_t> semitone, std::int32_t duration, bool dotted);

// The notes a handset file reader has found so far, with repeats unrolled,
// kept small until they become a ringtone. Every note counts against the
// program's limit on a ringtone text, so a repeat that would blow the
// ringtone up is refused before it is copied: the work stays linear in what
// is kept.
class NoteSequence {
public:
    // A note at `semitone` (12 x RTTTL octave + 0 ... 11; none for a pause)
    // read from `token`. A length the engine holds only nearly is kept
    // nearly and reported with the token. Throws EngineError (TooLong) past
    // the limit.
    void Add(std::optional<std::int32_t> semitone, FormatLength length, std::string_view token);
    // A note of 1/`duration` (1 to 255) of a whole note, dotted or not, read
    // from `token`; `problem`, when not empty, is reported with the token.
    void Add(std::optional<std::int32_t> semitone, std::int32_t duration, bool dotted, std::string_view token,
             std::string_view problem = {});
    // A problem for the next note added (as a tempo change, which the
    // ringtone cannot follow).
    void ProblemForNextNote(std::string_view token, std::string_view reason);
    std::size_t Size() const { return notes_.size(); }
    // Appends `times` more copies of the notes from position `from` to the
    // end. Throws EngineError (TooLong) when they would pass the limit.
    void Repeat(std::size_t from, std::uint64_t times) { AppendCopies(from, notes_.size(), times); }
    // Appends `times` copies of the notes from `from` up to `to`.
    void AppendCopies(std::size_t from, std::size_t to, std::uint64_t times);

    // Makes `ringtone` of the notes: read as RTTTL (so that it is checked
    // and reported as any other ringtone), then named, and each note's own
    // problem added. Throws EngineError (BadFile) when there is no note.
    void Finish(CNotes& ringtone, std::string_view name, std::string_view tempo) const;

private:
    struct Note {
        std::int16_t semitone;  // -1 for a pause
        std::uint8_t duration;
        bool dotted;
        std::uint32_t problem;  // 1 + index into problems_, 0 for none
    };
    struct Problem {
        std::string token, reason;
    };
    void AddProblem(std::uint32_t& index, std::string_view token, std::string_view reason);

    std::vector<Note> notes_;
    std::vector<Problem> problems_;
    std::uint32_t pending_ = 0;
    std::size_t textSize_ = MelodyHeaderBytes;
};

}  // namespace tw

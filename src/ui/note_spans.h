#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"

// Between the notes and the texts that name them: each note's token in the
// tone text, and the note a problem report's line is about.
namespace tw {

// A note's token in the tone text, in the text's characters.
struct TextSpan {
    int start = 0;
    int length = 0;
    bool operator==(const TextSpan&) const = default;
};

// Where each note's token lies in `shown`, the ringtone's notes in
// `notation` as the tone text shows them; empty when the tokens and
// separators do not make up that text.
std::vector<TextSpan> NoteSpans(const CNotes& ringtone, Notation notation, const QString& shown);

// The note (from 0) whose token, or the separator after it, holds the caret
// at `position`; none in an empty text.
std::optional<std::size_t> NoteAtCaret(const std::vector<TextSpan>& spans, int position);

// The note (from 0) that a report line is about ("note 15, 16b4: below the
// composer's octaves" is about the fifteenth); none for the lines about the
// whole ringtone.
std::optional<std::size_t> ReportedNote(std::string_view line);

}  // namespace tw

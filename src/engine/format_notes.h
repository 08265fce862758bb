#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/format_length.h"
#include "engine/plain_note.h"

namespace tw {

// Walks a ringtone's notes as a handset file writes them: each note that
// is one, as a plain note with the nearest length the file has, given to
// `write(plain, length, report)`. What the file cannot hold goes to
// `problems` as "note N, TEXT: reason": a token that is no note (left out), a
// length it lacks ("a length <lengthsOf> does not have, written as ..."),
// and whatever `write` reports through `report(reason)`. A ringtone with no
// note to write (none at all, or none that was read as one) throws
// EngineError (CannotWrite) before `write` is called: a file without a melody
// would not be read again.
template <class Write>
void WriteFormatNotes(const CNotes& ringtone, const std::string& lengthsOf, std::vector<std::string>& problems,
                      Write&& write) {
    if (std::none_of(ringtone.begin(), ringtone.end(),
                     [&](const CNote& note) { return PlainNoteOf(note, ringtone).has_value(); }))
        throw EngineError(EngineError::Reason::CannotWrite,
                          "The ringtone holds no note that could be read, so there is nothing to write.");
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        const auto report = [&](const std::string& reason) {
            problems.push_back("note " + std::to_string(position) + ", " + note.RTTTLText() + ": " + reason);
        };
        const std::optional<PlainNote> plain = PlainNoteOf(note, ringtone);
        if (!plain) {
            report("not a note, left out");
            continue;
        }
        bool exact = true;
        const FormatLength length = NearestFormatLength(plain->duration, plain->dotted, exact);
        if (!exact) report("a length " + lengthsOf + " does not have, written as " + DescribeLength(length));
        write(*plain, length, report);
    }
}

}  // namespace tw

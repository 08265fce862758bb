#include "engine/cnotes.h"

#include <cstddef>

namespace tw {

// Each problem of the last read is one message ending in CR LF, in a fixed
// order. Problems are reported, not enforced: the notes stay as read.
std::string CNotes::ErrorMessage() const {
    std::string text;
    for (const std::string& line : ErrorLines()) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> CNotes::ErrorLines() const {
    std::vector<std::string> lines;
    const auto add = [&lines](std::string_view message) { lines.emplace_back(message); };
    if (!durationFound_) add("RTTTL default duration invalid");
    if (!nameFound_) add("Ringtone name is invalid.");
    for (const std::string& change : nameChanges_) add(change);
    if (!tempoFound_) add("The tempo is invalid.");
    if (!octaveFound_) add("RTTTL default octave is invalid.");
    if (!separatorFound_) {
        add("The note separator could not be found.  Normally a space, comma space, or just a comma is used to "
            "separate the actual notes in a ringtone.");
        return lines;
    }
    if (Count() > 50) add("This ringing tone has more than 50 notes!");
    if (!notesValid_)
        add("The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.");
    // One pass over the notes: their lines go after the handset line, which
    // is put in front of them once a note calls for it.
    const std::size_t firstNoteLine = lines.size();
    bool beyondHandset = false;
    for (std::size_t i = 0; i < noteList_.size(); ++i) {
        const CNote& note = noteList_[i];
        const std::string& problem = note.Problem();
        if (problem.empty()) continue;
        beyondHandset = beyondHandset || !note.Misread();
        lines.push_back(note.ProblemLine(i + 1, problem));
    }
    if (beyondHandset)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(firstNoteLine),
                     "Some notes cannot be entered on the handset as written.");
    return lines;
}

}  // namespace tw

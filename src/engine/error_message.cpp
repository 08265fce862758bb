#include "engine/cnotes.h"

#include <algorithm>

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
    const bool beyondHandset = std::any_of(noteList_.begin(), noteList_.end(), [](const CNote& note) {
        return !note.Misread() && !note.Problem().empty();
    });
    if (beyondHandset) add("Some notes cannot be entered on the handset as written.");
    for (std::size_t i = 0; i < noteList_.size(); ++i) {
        const CNote& note = noteList_[i];
        if (!note.Problem().empty()) lines.push_back(note.ProblemLine(i + 1, note.Problem()));
    }
    return lines;
}

}  // namespace tw

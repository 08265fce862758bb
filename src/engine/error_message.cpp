#include "cnotes.h"

namespace tw {

// Each problem of the last read is one message ending in CR LF, in a fixed
// order. Problems are reported, not enforced: the notes stay as read.
std::string CNotes::ErrorMessage() const {
    std::string text;
    for (const std::string_view line : ErrorLines()) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string_view> CNotes::ErrorLines() const {
    std::vector<std::string_view> lines;
    const auto add = [&lines](std::string_view message) { lines.push_back(message); };
    if (!durationFound_) add("RTTTL default duration invalid");
    if (!nameFound_) add("Ringtone name is invalid.");
    if (!tempoFound_) add("The tempo is invalid.");
    if (!octaveFound_) add("RTTTL default octave is invalid.");
    if (separatorFound_) {
        if (Count() > 50) add("This ringing tone has more than 50 notes!");
        if (!notesValid_)
            add("The ringtone note format seems to be invalid.  Check the ringtone matches the source type in Box 1.");
    } else {
        add("The note separator could not be found.  Normally a space, comma space, or just a comma is used to "
            "separate the actual notes in a ringtone.");
    }
    return lines;
}

}  // namespace tw

#pragma once

#include <stdexcept>
#include <string>

#include "lists/list_error.h"

namespace tw {

// Every failure of a ringtone session. The text is the one the user reads:
// the reason the list, the file or the ringtone gave, naming what it
// concerns; each front end puts it into its own message (a box, a line after
// "error: ") and picks its icon or exit code by the reason.
class SessionError : public std::runtime_error {
public:
    enum class Reason {
        BadListName,      // a list name that cannot be used
        ListExists,       // another list has that name already
        NoList,           // the list named has no file
        ListIo,           // a list file could not be read, written, renamed or removed
        NotStorable,      // a text that cannot be held on one line of a list file
        NoRingtone,       // the list holds no ringtone of that name
        NoText,           // the source text is empty
        TooLong,          // the source text is longer than a ringtone can be
        Unreadable,       // the engine could not read the text
        BadRingtoneName,  // a ringtone name that is empty
        BadFileName,      // a ringtone name that cannot be a file name
        EntryGone,        // the entry shown is no longer in the list
        Sound,            // a WAV file could not be made
        Unnamed,          // a ringtone without a name or tempo cannot go to a file
        FileIo,           // a ringtone file could not be written
        CannotHold,       // a file format cannot hold the ringtone at all (too many notes)
    };

    SessionError(Reason reason, const std::string& text) : std::runtime_error(text), reason_(reason) {}

    Reason reason() const noexcept { return reason_; }
    // Whether the session refused what it was asked (a name, a text), as
    // opposed to a file that failed.
    bool Refused() const noexcept {
        return reason_ != Reason::ListIo && reason_ != Reason::Sound && reason_ != Reason::FileIo;
    }

private:
    Reason reason_;
};

// The session's reason for a list error.
SessionError::Reason SessionReason(ListError::Reason reason);

// Runs an operation on the list files and reports a list error as a session
// error of the same text.
template <typename Operation>
auto ListCall(Operation&& operation) -> decltype(operation()) {
    try {
        return operation();
    } catch (const ListError& e) {
        throw SessionError(SessionReason(e.reason()), e.what());
    }
}

}  // namespace tw

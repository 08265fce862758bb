#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// Every failure raised inside the ringtone engine. The text is what the
// program shows or logs; the reason lets callers tell the cases apart.
class EngineError : public std::runtime_error {
public:
    enum class Reason {
        NotANumber,      // a text that had to be a number was not
        OutOfRange,      // a number outside the range of its target integer
        DivisionByZero,  // a note of duration 0, which has no length
        BadHeader,       // the ringtone header could not be taken apart
        TooLong,         // the ringtone text is over the size limit
        NoSuchNote,      // a note position that does not exist
        BadFile,         // an iMelody or Smart Messaging file that cannot be read
        CannotWrite,     // a ringtone that a file format cannot hold at all
    };

    EngineError(Reason reason, const std::string& text) : std::runtime_error(text), reason_(reason) {}

    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

}  // namespace tw

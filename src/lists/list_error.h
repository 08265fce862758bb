#pragma once

#include <stdexcept>
#include <string>

#include "files/safe_file.h"

namespace tw {

// Every failure raised by the list files. The text names the file or the name
// concerned and the reason; the reason lets callers tell the cases apart.
class ListError : public std::runtime_error {
public:
    enum class Reason {
        BadName,  // a list name that cannot be used
        Exists,   // the target of a rename is another list already
        Io,       // a file could not be read, written, renamed or removed
        BadText,  // a text that cannot be stored on one line of a list file
    };

    ListError(Reason reason, const std::string& text) : std::runtime_error(text), reason_(reason) {}

    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

// Runs a file operation and reports its failure as a list error (Io).
template <typename Operation>
auto ListFileIo(Operation&& operation) -> decltype(operation()) {
    try {
        return operation();
    } catch (const FileError& e) {
        throw ListError(ListError::Reason::Io, e.what());
    }
}

}  // namespace tw

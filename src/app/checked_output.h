#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace tw {

// Passes what a command writes on to another stream's buffer and remembers
// the reason (errno) of the first write that failed, which the stream
// itself forgets: a full disk or a closed pipe behind standard output.
class CheckedOutput : public std::streambuf {
public:
    // `terminal` tells whether the target is a terminal, which binary output
    // must not go to.
    explicit CheckedOutput(std::ostream& target, bool terminal = false)
        : target_(*target.rdbuf()), terminal_(terminal) {}

    bool Failed() const { return failed_; }
    bool Terminal() const { return terminal_; }
    // errno of the first failure; 0 when the failure gave none.
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void Record(int error);

    std::streambuf& target_;
    bool terminal_ = false;
    bool failed_ = false;
    int error_ = 0;
};

// Whether `out` writes through a CheckedOutput to a terminal.
bool WritesToTerminal(const std::ostream& out);

// Where every command's -o goes: `bytes` as they are to `out` when `target`
// is "-", else to the file `target` (WriteOutputFile: a regular file replaced
// whole, a FIFO or device written to). FileError when the file cannot be
// written, for the caller to report as its command does; a failure of `out`
// is found when the command line checks it at the end.
void WriteToTarget(const std::string& target, std::string_view bytes, std::ostream& out);

}  // namespace tw

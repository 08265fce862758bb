#include "app/checked_output.h"

#include <cerrno>

#include "files/safe_file.h"

namespace tw {

bool WritesToTerminal(const std::ostream& out) {
    const auto* checked = dynamic_cast<const CheckedOutput*>(out.rdbuf());
    return checked != nullptr && checked->Terminal();
}

void WriteToTarget(const std::string& target, std::string_view bytes, std::ostream& out) {
    if (target == "-") out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    else WriteOutputFile(target, bytes);
}

void CheckedOutput::Record(int error) {
    if (!failed_) error_ = error;
    failed_ = true;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    errno = 0;
    if (traits_type::eq_int_type(target_.sputc(traits_type::to_char_type(c)), traits_type::eof())) {
        Record(errno);
        return traits_type::eof();
    }
    return c;
}

std::streamsize CheckedOutput::xsputn(const char* text, std::streamsize count) {
    errno = 0;
    const std::streamsize put = target_.sputn(text, count);
    if (put != count) Record(errno);
    return put;
}

int CheckedOutput::sync() {
    errno = 0;
    if (target_.pubsync() == 0) return 0;
    Record(errno);
    return -1;
}

}  // namespace tw

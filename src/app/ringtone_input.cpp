#include "app/ringtone_input.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>

#include "app/cli.h"
#include "engine/engine_error.h"
#include "engine/file_format.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"
#include "session/ringtone_file.h"
#include "session/session_error.h"

namespace tw {

InputLimit InputLimitOf(FileFormat format) {
    if (NotationOf(format)) return {MaxRingtoneTextFile, "a ringtone text with its line breaks"};
    return {MaxHandsetFile, "a handset file"};
}

std::string ReadInputBytes(const std::string& path, std::istream& in, InputLimit limit) {
    const auto refuse = [&](const std::string& subject, std::optional<std::uint64_t> size) {
        throw CommandFailure{ExitNothingRead, TooLargeText(subject, size, limit.bytes, limit.kind)};
    };
    if (path == "-") {
        std::optional<std::string> bytes = ReadUpTo(in, limit.bytes);
        if (!bytes) refuse("standard input holds", std::nullopt);
        if (in.bad()) throw CommandFailure{ExitNothingRead, "could not read standard input"};
        return std::move(*bytes);
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > limit.bytes) refuse("the file " + path + " is", size);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw CommandFailure{ExitNothingRead, "could not open file " + path + ": " + std::strerror(errno)};
    std::optional<std::string> bytes = ReadUpTo(file, limit.bytes);
    if (!bytes) refuse("the file " + path + " holds", std::nullopt);
    if (file.bad()) throw CommandFailure{ExitNothingRead, "could not read file " + path};
    return std::move(*bytes);
}

void ReadRingtone(const RingtoneOptions& options, std::istream& in, CNotes& notes) {
    const FileFormat format = options.from.value_or(FileFormat::RTTTL);
    std::string text = ReadInputBytes(options.input, in, InputLimitOf(format));
    const std::optional<Notation> notation = NotationOf(format);
    if (!notation) {
        // A handset file is read byte for byte: a Smart Messaging file is binary.
        if (text.empty()) throw CommandFailure{ExitNothingRead, "no ringtone file"};
        notes.SetOutputSeparator(options.separator);
        try {
            ReadRingtoneAs(notes, format, text, WithFileName(options.read, options.input));
        } catch (const EngineError& e) {
            throw CommandFailure{ExitNothingRead, e.what()};
        }
        return;
    }
    const Notation from = *notation;
    // The lines are joined in place, as JoinLines joins them: a text of up
    // to a mebibyte is not copied on its way in.
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    if (TrimSpaces(text).empty()) throw CommandFailure{ExitNothingRead, "no ringtone text"};
    notes.SetOutputSeparator(options.separator);
    try {
        ReadGivenRingtone(notes, from, text);
    } catch (const EngineError& e) {
        if (e.reason() == EngineError::Reason::TooLong) throw CommandFailure{ExitNothingRead, e.what()};
        throw CommandFailure{ExitNothingRead, "the ringtone header could not be read"};
    }
}

void CheckWritableOutput(const std::string& text) {
    try {
        CheckWritable(text);
    } catch (const EngineError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
}

void WriteConvertedText(const std::string& path, const std::string& text, std::ostream& out) {
    if (path.empty()) throw UsageError{"-o needs a file name"};
    if (path == "-") {
        out << text << "\r\n";
        return;
    }
    try {
        SaveRingtoneText(path, text);
    } catch (const SessionError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
}

int ReportProblems(const CNotes& notes, std::ostream& err) { return ReportProblems(notes.ErrorLines(), err); }

int ReportProblems(const std::vector<std::string>& lines, std::ostream& err) {
    for (const std::string& line : lines) err << line << '\n';
    return lines.empty() ? ExitClean : ExitProblems;
}

}  // namespace tw

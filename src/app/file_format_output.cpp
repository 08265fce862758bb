#include "app/file_format_output.h"

#include <ostream>

#include "app/checked_output.h"
#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "engine/engine_error.h"
#include "files/safe_file.h"

namespace tw {
namespace {

// Gives whether the format could not hold all of the ringtone.
bool WriteFileFormat(const CNotes& ringtone, FileFormat format, const std::optional<std::string>& output,
                     const FileWriteOptions& options, std::ostream& out, std::ostream& err) {
    const bool toOut = !output || *output == "-";
    if (toOut && IsBinary(format) && WritesToTerminal(out))
        throw UsageError{std::string(FormatSpec(format).word) +
                         " output is binary: give -o FILE, or send standard output to a file or a pipe"};
    if (output && output->empty()) throw UsageError{"-o needs a file name"};
    WrittenRingtone written;
    try {
        written = WriteRingtoneAs(ringtone, format, options);
    } catch (const EngineError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    try {
        WriteToTarget(toOut ? "-" : *output, written.bytes, out);
    } catch (const FileError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    for (const std::string& problem : written.problems) err << problem << '\n';
    return !written.problems.empty();
}

void WriteNotationText(const CNotes& ringtone, Notation notation, const RingtoneOutput& how, std::ostream& out) {
    const std::string text = how.notesOnly ? ringtone.Only(notation) : ringtone.Full(notation);
    CheckWritableOutput(text);
    const bool asLine = !how.output || (how.dashWritesLine && *how.output == "-");
    if (asLine) out << text << '\n';
    else WriteConvertedText(*how.output, text, out);
}

}  // namespace

int WriteRingtoneOutput(const CNotes& ringtone, const RingtoneOutput& how, std::ostream& out, std::ostream& err,
                        std::optional<int> reported) {
    if (const std::optional<Notation> notation = NotationOf(how.format)) {
        WriteNotationText(ringtone, *notation, how, out);
        return reported ? *reported : ReportProblems(ringtone, err);
    }
    const int status = reported ? *reported : ReportProblems(ringtone, err);
    return WriteFileFormat(ringtone, how.format, how.output, how.write, out, err) ? ExitProblems : status;
}

}  // namespace tw

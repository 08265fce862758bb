#include "app/file_format_output.h"

#include <ostream>

#include "app/checked_output.h"
#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "engine/engine_error.h"
#include "files/safe_file.h"

namespace tw {

bool WriteFileFormat(const CNotes& ringtone, FileFormat format, const std::optional<std::string>& output,
                     std::ostream& out, std::ostream& err) {
    const bool toOut = !output || *output == "-";
    if (toOut && IsBinary(format) && WritesToTerminal(out))
        throw UsageError{std::string(FormatSpec(format).word) +
                         " output is binary: give -o FILE, or send standard output to a file or a pipe"};
    if (output && output->empty()) throw UsageError{"-o needs a file name"};
    WrittenRingtone written;
    try {
        written = WriteRingtoneAs(ringtone, format);
    } catch (const EngineError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    if (toOut) {
        out.write(written.bytes.data(), static_cast<std::streamsize>(written.bytes.size()));
    } else {
        try {
            WriteOutputFile(*output, written.bytes);
        } catch (const FileError& e) {
            throw CommandFailure{ExitNothingRead, e.what()};
        }
    }
    for (const std::string& problem : written.problems) err << problem << '\n';
    return !written.problems.empty();
}

}  // namespace tw

#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file_format.h"
#include "engine/notation.h"
#include "engine/ringtone_text.h"

namespace tw {

// The options shared by the subcommands that read a ringtone.
struct RingtoneOptions {
    std::optional<FileFormat> from;
    std::optional<FileFormat> to;
    std::string separator = ", ";
    bool notesOnly = false;
    bool each = false;        // the input is a collection, one ringtone a line
    std::string input = "-";  // a path, or "-" for standard input
    std::optional<std::string> output;
    FileReadOptions read;      // how a handset file is read (--imelody-prefix)
    FileWriteOptions write{};  // how a file is written (--pin)
};

// Thrown for a command line that cannot be followed; the text says why.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& text) : std::runtime_error(text) {}
};

// The words and options after a subcommand. "--" ends the options, so that
// words beginning with "-" can be given.
struct CommandArgs {
    std::vector<std::string> words;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;

    std::optional<std::string> Value(std::string_view name) const;
    bool Flag(std::string_view name) const { return flags.count(name) != 0; }
};

// Parses `--name value`, `--name=value`, `-o value` (also `--output`),
// `--flag` and the words between them. `valued` and `flagged` name the
// options taken (without dashes; "o" for -o); anything else is refused.
CommandArgs ParseCommandArgs(const std::vector<std::string>& args, const std::vector<std::string_view>& valued,
                             const std::vector<std::string_view>& flagged);

// The notation a --from or --to word names; a UsageError for anything else.
Notation NotationWord(std::string_view option, const std::string& word);
// The notation or file format (imelody, ott) a --from or --to word names; a
// UsageError for anything else.
// `formats` are the formats known (all of them but in a test).
FileFormat FormatWord(std::string_view option, const std::string& word, FileFormatTable formats = FileFormats());
// The same for a format to read from (--from): a UsageError also for one
// that is only written (arduino).
FileFormat ReadFormatWord(std::string_view option, const std::string& word, FileFormatTable formats = FileFormats());
// A UsageError unless `format` is a notation: for what is done with one
// ringtone a line, or with the notes alone.
Notation NeedNotation(FileFormat format, const std::string& what);

// The note separator given, when the reader finds it again; a UsageError
// otherwise.
std::string UsableSeparatorOption(const std::string& separator);

// How an iMelody file's octave prefixes are read: `word` is "until-next"
// (the default) or "one-note", and only given with --from imelody; a
// UsageError otherwise.
FileReadOptions IMelodyPrefixOption(const std::optional<std::string>& word, std::optional<FileFormat> from);
// `read` naming a ringtone whose file holds no name after `input`, the
// file's name without its extension ("-", standard input, names none).
FileReadOptions WithFileName(FileReadOptions read, const std::string& input);

// The buzzer's pin of an Arduino sketch: `word` is a whole number 0 to 255,
// only given with --to arduino; the default pin without it; a UsageError
// otherwise.
FileWriteOptions PinOption(const std::optional<std::string>& word, std::optional<FileFormat> to);

// The options of the subcommands that read one ringtone, from ParseCommandArgs
// and at most one word, the input. `allowed` lists the options the subcommand
// takes: from, to, separator, o, notes-only, each; with from comes
// imelody-prefix, with to comes pin.
RingtoneOptions ParseRingtoneOptions(const std::vector<std::string>& args,
                                     const std::vector<std::string_view>& allowed);

}  // namespace tw

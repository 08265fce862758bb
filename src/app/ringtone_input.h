#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "engine/cnotes.h"
#include "engine/file_format.h"
#include "engine/size_limits.h"

namespace tw {

// A failure that ends a command: the exit code and the text after "error: ".
class CommandFailure : public std::runtime_error {
public:
    CommandFailure(int exitCode, const std::string& text) : std::runtime_error(text), exitCode(exitCode) {}
    int exitCode;
};

// The most an input may hold, and what such an input is called in the
// message that refuses more.
struct InputLimit {
    std::size_t bytes;
    const char* kind;
};
inline constexpr InputLimit CollectionInput{MaxCollectionText, "a collection"};
inline constexpr InputLimit MidiInput{MaxMidiFile, "a MIDI file"};
// A ringtone in `format`: its text with the line breaks dropped when its
// lines are joined, or a handset file.
InputLimit InputLimitOf(FileFormat format);

// Reads the raw bytes of a file, or of `in` for "-". Refuses (ExitNothingRead,
// with the size and the limit) more than `limit`, a file by its size before
// reading it, and a file that cannot be opened or read.
std::string ReadInputBytes(const std::string& path, std::istream& in, InputLimit limit);

// Reads the input as the window's get command does (lines joined, keypress
// texts prepared) into `notes` in the `from` notation. Throws CommandFailure
// when nothing could be read.
void ReadRingtone(const RingtoneOptions& options, std::istream& in, CNotes& notes);

// Refuses (ExitNothingRead, with the reason) a ringtone text that the
// command would write but that could not be read again.
void CheckWritableOutput(const std::string& text);

// Writes a converted ringtone text to -o: to `path` as one line ending in
// CR LF, as the window saves a ringtone, or to `out` for "-".
void WriteConvertedText(const std::string& path, const std::string& text, std::ostream& out);

// Writes the problems of the last read, one message a line, and gives the
// command's exit status: ExitClean, or ExitProblems when there were any.
int ReportProblems(const CNotes& notes, std::ostream& err);
// The same for problems already taken from the ringtone's ErrorLines.
int ReportProblems(const std::vector<std::string>& lines, std::ostream& err);

}  // namespace tw

#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading and replacing the files the user owns. A file is never written in
// place: the new content goes to a temporary file beside it, which is flushed
// to disk, closed and renamed over the file, so that the file always holds
// either its old or its new content, even when the program is killed midway.
namespace tw {

// Failures to read or write a file; the text names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of a regular file; nothing when there is no file at
// `path`. Throws FileError when the file exists but cannot be read, is
// larger than `limit` bytes, or is not a regular file (a FIFO or a device is
// refused without waiting on it).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t limit);

// As ReadWholeFile, but a file longer than `limit` bytes gives its first
// `limit` bytes: for files of which no more is ever used.
std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit);

// Throws FileError when something that is not a regular file is at `path`
// (a folder, a FIFO, a device); nothing happens when there is nothing there.
// For files that another library then reads.
void CheckRegularFile(const std::filesystem::path& path);

// Replaces the content of `path` (creating the file when missing) through a
// temporary file in the same folder (see files/temporary_files.h), keeping
// the replaced file's permissions and, where the writer may, its owner.
// Throws FileError naming the file and the reason; the file is then
// unchanged and no temporary file is left.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Writes the output file the user named: a regular file, or a missing one,
// is replaced through ReplaceFile; a FIFO, a terminal or a device (such as
// /dev/null, or /dev/stdout on a pipe) is written directly and stays what it
// is. A folder is refused. Throws FileError naming the file and the reason.
void WriteOutputFile(const std::filesystem::path& path, std::string_view bytes);

// Creates `path` empty unless something of that name exists already.
// True when it was created. Throws FileError when it cannot be created.
bool CreateEmptyFile(const std::filesystem::path& path);

// Puts the folder holding `path` on disk, so that a file made, renamed or
// removed there stays so after a crash. A folder that cannot be opened or
// synced (some file systems refuse) is left as it is.
void SyncFolderOf(const std::filesystem::path& path);

// "could not <what> <path>: <reason of errno>"
std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error);

}  // namespace tw

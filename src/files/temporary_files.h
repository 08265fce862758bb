#pragma once

#include <filesystem>

#include "files/file_descriptor.h"

// The temporary files that ReplaceFile writes beside the files it replaces,
// named ".NAME.PID-N.tmp" after the file and the writing process. None is
// left behind: the one being written is removed when the write fails, and
// when the process is stopped by SIGINT, SIGTERM or SIGHUP once
// InstallTemporaryFileCleanup has run; those of a process that died some
// other way are removed when their target is written next.
namespace tw {

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary files being written
// before they end the process as they would have (a signal ignored when the
// program started stays ignored), and ignores SIGXFSZ, so that a write past
// the file size limit fails with its reason instead of ending the process
// without a word. Later calls do nothing.
void InstallTemporaryFileCleanup();

// The temporary file number `number` of this process for `target`:
// ".NAME.PID-N.tmp" in the target's folder, with NAME cut short, at a whole
// UTF-8 character, where the whole would not fit in NAME_MAX bytes.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target, unsigned number);

// Removes the temporary files of `target` whose process no longer runs. Each
// folder is looked through once per process; what cannot be removed stays.
void RemoveStaleTemporaryFiles(const std::filesystem::path& target);

// A new temporary file beside a target, open for writing. It is removed when
// the object goes unless it was renamed over the target; while it exists the
// signal handlers know its name.
class TemporaryFile {
public:
    // Throws FileError naming the target when no temporary file can be made.
    explicit TemporaryFile(const std::filesystem::path& target);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    int fd() const { return fd_.get(); }
    // Closes the file; false with errno set when the close failed.
    bool Close() { return fd_.Close() == 0; }
    // Renames the closed file over the target; false with errno set when it
    // could not, and the file is then removed when the object goes.
    bool RenameOverTarget();

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    FileDescriptor fd_;
    int slot_ = -1;
    bool renamed_ = false;
};

}  // namespace tw

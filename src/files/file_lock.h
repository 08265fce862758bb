#pragma once

#include <chrono>
#include <filesystem>

#include "files/file_descriptor.h"

namespace tw {

// An exclusive advisory lock on a lock file, held for the object's lifetime.
// Programs that change the same files take the same lock around each
// read-change-write cycle, so that no change of one overwrites another's.
// Readers need none: a replaced file is always whole.
//
// A lock file can be removed while it is held (by a user cleaning hidden
// files, or a sync tool), and the next locker would then make a new one and
// lock that. So the lock is taken on two things: the folder the lock file is
// in, which such cleaning leaves in place and which every holder of this
// lock shares, and the lock file itself, for other programs that lock only
// the file; the file locked is checked to be the one still at its name, and
// taken again when another has replaced it. Where the file system has no
// locks on folders, the file's lock alone is taken.
class FileLock {
public:
    // Waits up to `patience` for the lock on `lockFile` (created when
    // missing and left in place afterwards). FileError when the file cannot
    // be opened or another program holds the lock all that time.
    explicit FileLock(const std::filesystem::path& lockFile,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    FileDescriptor folder_;
    FileDescriptor file_;
};

}  // namespace tw

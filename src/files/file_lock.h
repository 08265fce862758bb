#pragma once

#include <chrono>
#include <filesystem>

namespace tw {

// An exclusive advisory lock on a lock file, held for the object's lifetime.
// Programs that change the same files take the same lock around each
// read-change-write cycle, so that no change of one overwrites another's.
// Readers need none: a replaced file is always whole.
class FileLock {
public:
    // Waits up to `patience` for the lock on `lockFile` (created when
    // missing and left in place afterwards). FileError when the file cannot
    // be opened or another program holds the lock all that time.
    explicit FileLock(const std::filesystem::path& lockFile,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace tw

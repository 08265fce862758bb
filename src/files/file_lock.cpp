#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

#include "files/safe_file.h"

namespace tw {
namespace {

using Clock = std::chrono::steady_clock;

// Opens the lock file, made when missing. Read only: a lock file that another
// user made (root, say) serves all the same. O_NONBLOCK: whatever stands at
// that name, opening never waits.
FileDescriptor OpenLockFile(const std::filesystem::path& lockFile) {
    FileDescriptor fd(::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666));
    if (!fd.IsOpen()) throw FileError(FileErrorText("lock", lockFile, errno));
    struct stat info {};
    const int statError = ::fstat(fd.get(), &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
    if (statError != 0) throw FileError(FileErrorText("lock", lockFile, statError));
    return fd;
}

// Takes the exclusive lock on `fd`, trying again until `giveUp`. 0 when it
// is taken, else the reason: EWOULDBLOCK when another holder kept it.
int WaitForLock(int fd, Clock::time_point giveUp) {
    auto pause = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || Clock::now() >= giveUp) return error;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(5));
    }
    return 0;
}

[[noreturn]] void FailToLock(const std::filesystem::path& lockFile, int error, std::chrono::milliseconds patience) {
    if (error != EWOULDBLOCK) throw FileError(FileErrorText("lock", lockFile, error));
    char waited[32];
    std::snprintf(waited, sizeof waited, "%.1f", static_cast<double>(patience.count()) / 1000);
    throw FileError("could not lock " + lockFile.string() + ": another program kept it locked for " + waited +
                    " seconds");
}

// Whether `fd` is the file that stands at `path` now: not removed, nor
// replaced by another file, since it was opened.
bool StillAt(int fd, const std::filesystem::path& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    const auto giveUp = Clock::now() + patience;
    file_ = OpenLockFile(lockFile);
    // A folder that cannot be opened or locked (some network file systems
    // lock no folders) leaves the file's lock to stand alone.
    const std::filesystem::path folder = lockFile.has_parent_path() ? lockFile.parent_path() : ".";
    folder_ = FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder_.IsOpen()) {
        const int error = WaitForLock(folder_.get(), giveUp);
        if (error == EWOULDBLOCK) FailToLock(lockFile, error, patience);
        if (error != 0) folder_.Close();
    }
    for (;;) {
        if (const int error = WaitForLock(file_.get(), giveUp); error != 0) FailToLock(lockFile, error, patience);
        if (StillAt(file_.get(), lockFile)) return;
        // Removed or replaced while this lock waited: the file now at that
        // name is the one other lockers take.
        if (Clock::now() >= giveUp)
            throw FileError("could not lock " + lockFile.string() + ": another program kept replacing it");
        file_ = OpenLockFile(lockFile);
    }
}

}  // namespace tw

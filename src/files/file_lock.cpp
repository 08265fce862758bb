#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

#include "files/safe_file.h"

namespace tw {

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    // Read only: a lock file that another user made (root, say) serves all
    // the same. O_NONBLOCK: whatever stands at that name, opening never waits.
    fd_ = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd_ < 0) throw FileError(FileErrorText("lock", lockFile, errno));
    struct stat info {};
    const int statError = ::fstat(fd_, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
    if (statError != 0) {
        ::close(fd_);
        throw FileError(FileErrorText("lock", lockFile, statError));
    }
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
            ::close(fd_);
            if (error != EWOULDBLOCK) throw FileError(FileErrorText("lock", lockFile, error));
            char waited[32];
            std::snprintf(waited, sizeof waited, "%.1f", static_cast<double>(patience.count()) / 1000);
            throw FileError("could not lock " + lockFile.string() + ": another program kept it locked for " + waited +
                            " seconds");
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace tw

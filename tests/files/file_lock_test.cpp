// The lock that changes of the lists share, when its file is removed while
// it is held or another program locks the file alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "files/file_lock.h"
#include "files/safe_file.h"
#include "support/temp_files.h"

namespace {

using tw::test::TempDir;
using namespace std::chrono_literals;

// The text of the FileError that locking `lockFile` within `patience` gives;
// empty when the lock was had.
std::string LockError(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    try {
        tw::FileLock lock(lockFile, patience);
    } catch (const tw::FileError& e) {
        return e.what();
    }
    return {};
}

std::string KeptLocked(const std::filesystem::path& lockFile) {
    return "could not lock " + lockFile.string() + ": another program kept it locked for 0.1 seconds";
}

// How many descriptors of this process stand open on `path`.
int OpenedHere(const std::filesystem::path& path) {
    int count = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(fd.path(), error) == path) ++count;
    }
    return count;
}

// An exclusive lock on the file `path` alone, as a program that knows
// nothing of the folder's lock takes it; false when another holds it.
bool LockFileAlone(const std::filesystem::path& path, tw::FileDescriptor& fd) {
    fd = tw::FileDescriptor(::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    return fd.IsOpen() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
}

TEST(FileLock, RemovingTheLockFileWhileItIsHeldLetsNoSecondLockerIn) {
    const TempDir folder;
    const auto lockFile = folder / ".lists.lock";
    std::optional<tw::FileLock> held;
    held.emplace(lockFile);
    ASSERT_EQ(::unlink(lockFile.c_str()), 0);
    EXPECT_EQ(LockError(lockFile, 100ms), KeptLocked(lockFile));

    // A locker that waits gets the lock only once the first lets it go.
    std::atomic<bool> released{false};
    std::atomic<bool> sawReleased{false};
    std::thread second([&] {
        const tw::FileLock lock(lockFile, 30s);
        sawReleased = released.load();
    });
    std::this_thread::sleep_for(50ms);  // room to get in wrongly; the outcome does not rest on it
    released = true;
    held.reset();
    second.join();
    EXPECT_TRUE(sawReleased);
}

// A locker that opened the lock file before it was removed, and waited, takes
// the file now at that name, which other programs lock.
TEST(FileLock, AFileReplacedWhileWaitingIsTakenAgain) {
    const TempDir folder;
    const auto lockFile = folder / ".lists.lock";
    std::optional<tw::FileLock> held;
    held.emplace(lockFile);
    std::promise<void> locked, done;
    std::thread waiting([&, finish = done.get_future()] {
        const tw::FileLock lock(lockFile, 30s);
        locked.set_value();
        finish.wait();
    });
    // The wait for the second locker to open the file is bounded, not timed.
    bool opened = false;
    for (int i = 0; i < 1000000 && !opened; ++i) {
        opened = OpenedHere(lockFile) == 2;
        if (!opened) ::usleep(20);
    }
    ASSERT_TRUE(opened);
    ASSERT_EQ(::unlink(lockFile.c_str()), 0);
    held.reset();
    locked.get_future().wait();
    tw::FileDescriptor other;
    EXPECT_FALSE(LockFileAlone(lockFile, other));
    done.set_value();
    waiting.join();
    EXPECT_TRUE(LockFileAlone(lockFile, other));
}

// A program that locks the file alone keeps the lock from being had.
TEST(FileLock, TheFileLockedAloneIsWaitedFor) {
    const TempDir folder;
    const auto lockFile = folder / ".lists.lock";
    tw::FileDescriptor other;
    ASSERT_TRUE(LockFileAlone(lockFile, other));
    EXPECT_EQ(LockError(lockFile, 100ms), KeptLocked(lockFile));
    other.Close();
    EXPECT_EQ(LockError(lockFile, 100ms), "");
}

}  // namespace

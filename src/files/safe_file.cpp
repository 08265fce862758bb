#include "files/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/file_descriptor.h"
#include "files/temporary_files.h"

namespace tw {
namespace {

[[noreturn]] void Fail(std::string_view what, const std::filesystem::path& path, int error) {
    throw FileError(FileErrorText(what, path, error));
}

std::string KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "an unknown kind of file";
}

// A folder keeps the reason the system gives; anything else that is not a
// regular file is named for what it is.
[[noreturn]] void FailNotRegular(const std::filesystem::path& path, mode_t mode) {
    if (S_ISDIR(mode)) Fail("read", path, EISDIR);
    throw FileError("could not read " + path.string() + ": it is " + KindOf(mode) + ", not a regular file");
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// The replacement keeps the owner, group and permissions of the file it
// replaces. Only root may give a file to someone else; for anyone else the
// replacement stays the writer's, as a new file would be.
void KeepOwnerAndMode(int fd, const std::filesystem::path& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
    struct stat now {};
    if (::fstat(fd, &now) != 0) Fail("write", path, errno);
    if ((old.st_uid != now.st_uid || old.st_gid != now.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        errno != EPERM)
        Fail("write", path, errno);
    if (::fchmod(fd, old.st_mode & 07777) != 0) Fail("write", path, errno);
}

}  // namespace

void SyncFolderOf(const std::filesystem::path& path) {
    FileDescriptor fd(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) ::fsync(fd.get());
}

std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error) {
    return "could not " + std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

void CheckRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return;
        Fail("read", path, errno);
    }
    if (!S_ISREG(info.st_mode)) FailNotRegular(path, info.st_mode);
}

namespace {

// Reads a regular file up to `limit` bytes: beyond it, the rest is left
// unread when `cut`, else the file is refused.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t limit, bool cut) {
    // Opening a FIFO waits for a writer, and a device may never answer: the
    // file is opened without waiting and read only when it is a regular one.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.IsOpen()) {
        if (errno == ENOENT) return std::nullopt;
        Fail("open", path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) Fail("read", path, errno);
    if (!S_ISREG(info.st_mode)) FailNotRegular(path, info.st_mode);
    const auto tooLarge = [&](const std::string& size) {
        throw FileError("could not read " + path.string() + ": it " + size + " the " + std::to_string(limit) +
                        " bytes this program reads of it");
    };
    if (static_cast<std::size_t>(info.st_size) > limit && !cut)
        tooLarge("is " + std::to_string(info.st_size) + " bytes, more than");
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) Fail("read", path, errno);

    std::string bytes;
    bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), limit));
    char buffer[65536];
    while (bytes.size() < limit || !cut) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            Fail("read", path, errno);
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > limit && !cut) tooLarge("grew while it was read, past");
    }
    if (bytes.size() > limit) bytes.resize(limit);
    return bytes;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t limit) {
    return ReadRegularFile(path, limit, false);
}

std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit) {
    return ReadRegularFile(path, limit, true);
}

void ReplaceFile(const std::filesystem::path& given, std::string_view bytes) {
    // A file that is a link to somewhere else is replaced where it lives; the
    // link stays.
    std::error_code linkError;
    std::filesystem::path path = given;
    if (std::filesystem::is_symlink(given, linkError)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(given, linkError);
        if (!linkError) path = target;
    }
    RemoveStaleTemporaryFiles(path);
    TemporaryFile temporary(path);
    KeepOwnerAndMode(temporary.fd(), path);
    WriteAll(temporary.fd(), bytes, path);
    if (::fsync(temporary.fd()) != 0) Fail("write", path, errno);
    if (!temporary.Close()) Fail("write", path, errno);
    if (!temporary.RenameOverTarget()) Fail("replace", path, errno);
    // A renamed file is durable only once its folder is on disk too.
    SyncFolderOf(path);
}

void WriteOutputFile(const std::filesystem::path& path, std::string_view bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) {
        ReplaceFile(path, bytes);
        return;
    }
    if (S_ISDIR(info.st_mode)) Fail("write", path, EISDIR);
    // A FIFO, a terminal or a device takes the bytes as they come; replacing
    // it would put a regular file in its place.
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd.IsOpen()) Fail("write", path, errno);
    WriteAll(fd.get(), bytes, path);
    if (fd.Close() != 0) Fail("write", path, errno);
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.IsOpen()) {
        if (errno == EEXIST) return false;
        Fail("create", path, errno);
    }
    if (fd.Close() != 0) Fail("create", path, errno);
    return true;
}

}  // namespace tw

#include "files/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace tw {
namespace {

// Closes the descriptor it owns; Close() reports the close error.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Removes the temporary file unless Keep() was called.
class TemporaryName {
public:
    explicit TemporaryName(std::filesystem::path path) : path_(std::move(path)) {}
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;
    ~TemporaryName() {
        if (!kept_) ::unlink(path_.c_str());
    }
    const std::filesystem::path& path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::filesystem::path path_;
    bool kept_ = false;
};

[[noreturn]] void Fail(std::string_view what, const std::filesystem::path& path, int error) {
    throw FileError(FileErrorText(what, path, error));
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    const std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1)) + ".tmp";
    return path.parent_path() / name;
}

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            Fail("write", path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A renamed file is durable only once its folder is on disk too. A folder
// that cannot be opened or synced (some file systems refuse) is left as it
// is: the file itself was written and synced.
void SyncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

std::string FileErrorText(std::string_view what, const std::filesystem::path& path, int error) {
    return "could not " + std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        Fail("open", path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) Fail("read", path, errno);
    if (!S_ISREG(info.st_mode)) Fail("read", path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    if (static_cast<std::size_t>(info.st_size) > MaxFileSize) Fail("read", path, EFBIG);

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            Fail("read", path, errno);
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > MaxFileSize) Fail("read", path, EFBIG);
    }
    return bytes;
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
    std::filesystem::path temporary;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        temporary = TemporaryPathFor(path);
        fdNumber = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fdNumber < 0 && errno != EEXIST) Fail("write", path, errno);
    }
    if (fdNumber < 0) Fail("write", path, EEXIST);
    FileDescriptor fd(fdNumber);
    TemporaryName guard(temporary);

    // The replacement keeps the permissions of the file it replaces.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::fchmod(fd.get(), info.st_mode & 07777) != 0)
        Fail("write", path, errno);

    WriteAll(fd.get(), bytes, path);
    if (::fsync(fd.get()) != 0) Fail("write", path, errno);
    if (fd.Close() != 0) Fail("write", path, errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) Fail("replace", path, errno);
    guard.Keep();
    SyncFolderOf(path);
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        if (errno == EEXIST) return false;
        Fail("create", path, errno);
    }
    if (fd.Close() != 0) Fail("create", path, errno);
    return true;
}

}  // namespace tw

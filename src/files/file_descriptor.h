#pragma once

#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <utility>

namespace tw {

// Owns an open file descriptor and closes it when it goes; Close() reports
// the close error, which for a written file can be the write's own.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0) ::close(fd_);
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

// Writes all of `bytes` to `fd`, going on after interruptions. Throws
// FileError naming `path` when a write fails.
void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path);

}  // namespace tw

#include "files/file_descriptor.h"

#include <cerrno>

#include "files/safe_file.h"

namespace tw {

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throw FileError(FileErrorText("write", path, errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace tw

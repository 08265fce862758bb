#pragma once

#include <filesystem>
#include <optional>

namespace tw {

// What tells one content of a file from another without reading it: the file
// (device and inode; a replaced file is a new one), its size and its time of
// change to the nanosecond.
struct FileStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long changedSeconds = 0;
    long long changedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path`; nothing when there is none.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

}  // namespace tw

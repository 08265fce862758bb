// Writing the output file the user named: files are replaced whole, and a
// FIFO or a device is written to and stays what it is.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/safe_file.h"
#include "support/fifo.h"
#include "support/temp_files.h"

namespace {

using tw::test::TempDir;

mode_t TypeOf(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

TEST(WriteOutputFile, AFifoGetsTheBytesAndStaysAFifo) {
    const TempDir folder;
    const auto fifo = folder / "out.txt";
    tw::test::MakeFifo(fifo);
    // The reading end is open before the write, so that the writer does not
    // wait, and the bytes fit in the pipe.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    tw::WriteOutputFile(fifo, "Tune:d=4,o=5,b=125:c\r\n");
    char buffer[64] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "Tune:d=4,o=5,b=125:c\r\n");
    EXPECT_EQ(TypeOf(fifo), S_IFIFO);
    EXPECT_EQ(tw::test::FilesIn(folder.path()), std::set<std::string>{"out.txt"});
}

TEST(WriteOutputFile, DevicesAreWrittenToAndStayDevices) {
    const TempDir folder;
    const struct {
        const char* name;
        dev_t device;
        const char* error;  // after the path
    } cases[] = {{"null", makedev(1, 3), ""}, {"full", makedev(1, 7), ": No space left on device"}};
    for (const auto& c : cases) {
        const auto device = folder / c.name;
        if (::mknod(device.c_str(), S_IFCHR | 0666, c.device) != 0) GTEST_SKIP() << "mknod is not permitted here";
        const int probe = ::open(device.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) GTEST_SKIP() << "devices cannot be opened in " << folder.path();
        ::close(probe);
        std::string error;
        try {
            tw::WriteOutputFile(device, std::string(100000, 'x'));
        } catch (const tw::FileError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, *c.error ? "could not write " + device.string() + c.error : "") << c.name;
        EXPECT_EQ(TypeOf(device), S_IFCHR) << c.name;
    }
}

TEST(WriteOutputFile, RegularFilesAreReplacedAndAFolderIsRefused) {
    const TempDir folder;
    tw::WriteOutputFile(folder / "new.txt", "one");
    tw::test::WriteBytes(folder / "old.txt", "old and longer");
    tw::WriteOutputFile(folder / "old.txt", "two");
    EXPECT_EQ(tw::test::ReadBytes(folder / "new.txt"), "one");
    EXPECT_EQ(tw::test::ReadBytes(folder / "old.txt"), "two");
    EXPECT_THROW(tw::WriteOutputFile(folder.path(), "three"), tw::FileError);
    EXPECT_EQ(tw::test::FilesIn(folder.path()), (std::set<std::string>{"new.txt", "old.txt"}));
}

}  // namespace

// Reading files the program keeps: anything that is not a regular file is
// refused at once, whoever else may hold it open.
#include <gtest/gtest.h>

#include <string>

#include "files/safe_file.h"
#include "support/fifo.h"
#include "support/temp_files.h"

namespace {

using tw::test::TempDir;

// The text of the FileError `fn` throws; empty when it throws none.
template <class Fn>
std::string FileErrorOf(Fn&& fn) {
    try {
        fn();
    } catch (const tw::FileError& e) {
        return e.what();
    }
    return {};
}

TEST(ReadWholeFile, AFifoIsRefusedWithoutWaitingForAWriter) {
    const TempDir folder;
    const auto fifo = folder / "list.dat";
    tw::test::MakeFifo(fifo);
    std::string message;
    EXPECT_TRUE(
        tw::test::FinishesWithoutWriter(fifo, [&] { message = FileErrorOf([&] { tw::ReadWholeFile(fifo); }); }));
    EXPECT_EQ(message, "could not read " + fifo.string() + ": it is a FIFO, not a regular file");
    EXPECT_EQ(FileErrorOf([&] { tw::CheckRegularFile(fifo); }), message);
}

TEST(ReadWholeFile, RegularFilesAFolderAndNothing) {
    const TempDir folder;
    tw::test::WriteBytes(folder / "menu.dat", "[Menu]\r\n");
    EXPECT_EQ(tw::ReadWholeFile(folder / "menu.dat"), "[Menu]\r\n");
    EXPECT_EQ(tw::ReadWholeFile(folder / "missing"), std::nullopt);
    EXPECT_EQ(FileErrorOf([&] { tw::CheckRegularFile(folder / "menu.dat"); }), "");
    EXPECT_EQ(FileErrorOf([&] { tw::CheckRegularFile(folder / "missing"); }), "");
    const std::string isFolder = "could not read " + folder.path().string() + ": Is a directory";
    EXPECT_EQ(FileErrorOf([&] { tw::ReadWholeFile(folder.path()); }), isFolder);
    EXPECT_EQ(FileErrorOf([&] { tw::CheckRegularFile(folder.path()); }), isFolder);
}

}  // namespace

// ReplaceFile on the edges: the longest file names, and the owner of a file
// that root replaces.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "files/safe_file.h"
#include "support/temp_files.h"

namespace {

using tw::test::TempDir;

TEST(ReplaceFile, NamesOfUpTo255BytesCanBeWrittenAndReplaced) {
    std::string accented;
    for (int i = 0; i < 127; ++i) accented += "\xC3\xA9";
    for (const std::string& name : {std::string(255, 'a'), std::string(243, 'b'), accented + "c"}) {
        const TempDir folder;
        tw::ReplaceFile(folder / name, "first");
        tw::ReplaceFile(folder / name, "second");
        EXPECT_EQ(tw::test::ReadBytes(folder / name), "second") << name.size();
        EXPECT_EQ(tw::test::FilesIn(folder.path()), std::set<std::string>{name});
    }
}

TEST(ReplaceFile, RootKeepsTheOwnerGroupAndModeOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to someone else";
    const TempDir folder;
    const auto file = folder / "Favtones.dat";
    tw::test::WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    tw::ReplaceFile(file, "new");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 12345U);
    EXPECT_EQ(info.st_gid, 23456U);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(tw::test::ReadBytes(file), "new");
}

}  // namespace

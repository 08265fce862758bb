#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_error.h"
#include "list_files.h"
#include "list_test_support.h"

namespace {

using tw::test::FilesIn;
using tw::test::ReadBytes;
using tw::test::WriteBytes;

const std::string RockText = "[Rock]\r\nRTTTL=Rock:d=4,o=5,b=125:c\r\n";

class ListFilesTest : public ::testing::Test {
protected:
    std::vector<std::string> Scan() {
        tw::SortedNameList names;
        tw::ScanListFiles(names, dir.path());
        return names.Items();
    }

    tw::test::TempDir dir;
    tw::CNotes ringtone;
    tw::CRingtoneList list{ringtone, dir.path()};
};

TEST_F(ListFilesTest, ScanOffersOnlyUsableListFiles) {
    for (const char* file : {"a.dat", "B.dat", "menu.dat", "MENU.dat", ".hidden.dat", "~Rock.dat", "notes.txt",
                             "Rock.DAT", ".Rock.dat.12-0.tmp", " padded.dat", ".dat"})
        WriteBytes(dir / file, "");
    std::filesystem::create_directory(dir / "folder.dat");
    EXPECT_EQ(Scan(), (std::vector<std::string>{"a", "B"}));
}

TEST_F(ListFilesTest, ScanOffersFavtonesWhenThereIsNoList) {
    EXPECT_EQ(Scan(), std::vector<std::string>{"Favtones"});
    EXPECT_FALSE(std::filesystem::exists(dir / "Favtones.dat"));
}

TEST_F(ListFilesTest, NewListCreatesAnEmptyFileButNeverEmptiesOne) {
    EXPECT_TRUE(tw::NewList(list, "Dance"));
    EXPECT_EQ(list.ListName(), "Dance");
    EXPECT_EQ(ReadBytes(dir / "Dance.dat"), "");

    WriteBytes(dir / "Rock.dat", RockText);
    EXPECT_FALSE(tw::NewList(list, " Rock"));
    EXPECT_EQ(list.ListName(), "Rock");
    EXPECT_EQ(ReadBytes(dir / "Rock.dat"), RockText);

    EXPECT_THROW(tw::NewList(list, "~x"), tw::ListError);
    EXPECT_EQ(list.ListName(), "Rock");
}

TEST_F(ListFilesTest, RenameMovesTheFile) {
    WriteBytes(dir / "Rock.dat", RockText);
    list.SetListName("Rock");
    tw::RenameList(list, "Pop");
    EXPECT_EQ(list.ListName(), "Pop");
    EXPECT_EQ(list.ListFileName(), (dir / "Pop.dat").string());
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Pop.dat"}));
    EXPECT_EQ(ReadBytes(dir / "Pop.dat"), RockText);
}

TEST_F(ListFilesTest, RenameOntoAnotherListIsRefused) {
    WriteBytes(dir / "Rock.dat", RockText);
    WriteBytes(dir / "Pop.dat", "[Pop]\r\n");
    list.SetListName("Rock");
    try {
        tw::RenameList(list, "Pop");
        ADD_FAILURE() << "renamed onto Pop";
    } catch (const tw::ListError& e) {
        EXPECT_EQ(e.reason(), tw::ListError::Reason::Exists);
    }
    EXPECT_EQ(list.ListName(), "Rock");
    EXPECT_EQ(ReadBytes(dir / "Rock.dat"), RockText);
    EXPECT_EQ(ReadBytes(dir / "Pop.dat"), "[Pop]\r\n");

    // Also when the list being renamed has no file yet.
    list.SetListName("Empty");
    EXPECT_THROW(tw::RenameList(list, "Pop"), tw::ListError);
    EXPECT_EQ(ReadBytes(dir / "Pop.dat"), "[Pop]\r\n");
}

TEST_F(ListFilesTest, RenameToItsOwnNameDoesNothing) {
    WriteBytes(dir / "Rock.dat", RockText);
    list.SetListName("Rock");
    tw::RenameList(list, " Rock ");
    EXPECT_EQ(ReadBytes(dir / "Rock.dat"), RockText);
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Rock.dat"}));
}

TEST_F(ListFilesTest, RenamingAListWithoutFileCreatesAnEmptyOne) {
    list.SetListName("Favtones");
    tw::RenameList(list, "Mine");
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Mine.dat"}));
    EXPECT_EQ(ReadBytes(dir / "Mine.dat"), "");
}

TEST_F(ListFilesTest, ClearLeavesAnEmptyFile) {
    WriteBytes(dir / "Rock.dat", RockText);
    list.SetListName("Rock");
    tw::ClearList(list);
    EXPECT_EQ(std::filesystem::file_size(dir / "Rock.dat"), 0u);
    list.SetListName("New");
    tw::ClearList(list);
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"New.dat", "Rock.dat"}));
}

TEST_F(ListFilesTest, DeleteRemovesTheFileAndSaysWhenItCannot) {
    WriteBytes(dir / "Rock.dat", RockText);
    list.SetListName("Rock");
    EXPECT_TRUE(tw::DeleteList(list));
    EXPECT_FALSE(tw::DeleteList(list));
    EXPECT_TRUE(FilesIn(dir.path()).empty());

    std::filesystem::create_directory(dir / "Odd.dat");
    list.SetListName("Odd");
    EXPECT_THROW(tw::DeleteList(list), tw::ListError);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Odd.dat"));
}

}  // namespace

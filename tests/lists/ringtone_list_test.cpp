#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_error.h"
#include "list_test_support.h"
#include "ringtone_list.h"

namespace {

using tw::test::FilesIn;
using tw::test::ReadBytes;
using tw::test::WriteBytes;

class RingtoneListTest : public ::testing::Test {
protected:
    RingtoneListTest() {
        ringtone.SetOutputSeparator(", ");
        list.SetListName("Favtones");
    }

    void Store(const std::string& rtttl) {
        ringtone.SetFull_RTTTL(rtttl);
        list.SaveToFile();
    }
    bool Delete(const std::string& name) {
        ringtone.SetName(name);
        return list.DeleteFromFile();
    }
    std::vector<std::string> Listed() {
        tw::SortedNameList names;
        list.LoadList(names);
        return names.Items();
    }
    std::string File() const { return ReadBytes(list.ListFileName()); }

    tw::test::TempDir dir;
    tw::CNotes ringtone;
    tw::CRingtoneList list{ringtone, dir.path()};
};

TEST_F(RingtoneListTest, StoresTheTwoLinesOfTheListFormat) {
    EXPECT_EQ(list.ListFileName(), (dir / "Favtones.dat").string());
    Store("Test:d=4,o=5,b=125:c,8d");
    EXPECT_EQ(File(), "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n");
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Favtones.dat"}));  // no temporary file left
}

TEST_F(RingtoneListTest, DeletingTheMiddleSectionKeepsTheOthersInOrder) {
    for (const char* name : {"A", "B", "C"}) Store(std::string(name) + ":d=4,o=5,b=125:c,d");
    EXPECT_TRUE(Delete("B"));
    EXPECT_EQ(File(), "[A]\r\nRTTTL=A:d=4,o=5,b=125:c, d\r\n[C]\r\nRTTTL=C:d=4,o=5,b=125:c, d\r\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"A", "C"}));
}

TEST_F(RingtoneListTest, OneRuleFindsASectionWhateverItsCase) {
    Store("Foo:d=4,o=5,b=125:c,d");
    Store("FOO:d=8,o=6,b=90:d,e");
    EXPECT_EQ(File(), "[Foo]\r\nRTTTL=FOO:d=8,o=6,b=90:d, e\r\n");
    ASSERT_TRUE(list.LoadFromFile("foo"));
    EXPECT_EQ(ringtone.Full_RTTTL(), "FOO:d=8,o=6,b=90:d, e");
    EXPECT_TRUE(Delete("FOO"));
    EXPECT_EQ(File(), "");
    EXPECT_TRUE(Listed().empty());
}

TEST_F(RingtoneListTest, BracketsInNamesListAndLoadAgain) {
    Store("A[1]:d=4,o=5,b=125:c, e");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"A[1]"}));
    ringtone.Clear();
    ASSERT_TRUE(list.LoadFromFile("A[1]"));
    EXPECT_EQ(ringtone.Full_RTTTL(), "A[1]:d=4,o=5,b=125:c, e");
}

TEST_F(RingtoneListTest, LongRingtonesLoadWhole) {
    std::string notes;
    for (int i = 0; i < 300; ++i) notes += i ? ", 8c#.6" : "8c#.6";
    const std::string text = "Long:d=4,o=5,b=125:" + notes;
    ASSERT_GT(text.size(), 1200u);
    Store(text);
    ringtone.Clear();
    ASSERT_TRUE(list.LoadFromFile("Long"));
    EXPECT_EQ(ringtone.Full_RTTTL(), text);
}

TEST_F(RingtoneListTest, HandWrittenFilesKeepTheirOtherLines) {
    WriteBytes(list.ListFileName(), "; kept by hand\n\n  [X]\nRTTTL=X:d=4,o=5,b=125:c\n\n[Y]\nrtttl = Y:d=4,o=5,b=125:d\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"X", "Y"}));
    Store("y:d=4,o=5,b=125:e,f");
    EXPECT_EQ(File(), "; kept by hand\r\n\r\n  [X]\r\nRTTTL=X:d=4,o=5,b=125:c\r\n\r\n[Y]\r\nRTTTL=y:d=4,o=5,b=125:e, f\r\n");
    EXPECT_TRUE(Delete("x"));
    EXPECT_EQ(File(), "; kept by hand\r\n\r\n[Y]\r\nRTTTL=y:d=4,o=5,b=125:e, f\r\n");
}

TEST_F(RingtoneListTest, MissingEntriesLoadEmptyText) {
    Store("A:d=4,o=5,b=125:c,d");
    EXPECT_FALSE(list.LoadFromFile("B"));
    EXPECT_EQ(ringtone.Name(), "No name");
    EXPECT_FALSE(ringtone.ErrorMessage().empty());
    EXPECT_FALSE(Delete("B"));
    EXPECT_EQ(File(), "[A]\r\nRTTTL=A:d=4,o=5,b=125:c, d\r\n");
}

TEST_F(RingtoneListTest, AFileOfAnotherLetterCaseIsAnotherList) {
    WriteBytes(dir / "favtones.dat", "[A]\r\nRTTTL=A:d=4,o=5,b=125:c\r\n");
    EXPECT_TRUE(Listed().empty());
    EXPECT_FALSE(list.LoadFromFile("A"));
}

TEST_F(RingtoneListTest, DeletingFromAMissingListLeavesNoFile) {
    EXPECT_FALSE(Delete("A"));
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST_F(RingtoneListTest, WriteFailuresAreReportedAndChangeNothing) {
    // A list file that cannot be read is never overwritten.
    std::filesystem::create_directory(list.ListFileName());
    ringtone.SetFull_RTTTL("A:d=4,o=5,b=125:c");
    EXPECT_THROW(list.SaveToFile(), tw::ListError);
    EXPECT_THROW(Listed(), tw::ListError);
    EXPECT_TRUE(std::filesystem::is_directory(list.ListFileName()));

    // A program directory that has gone away.
    tw::CRingtoneList gone(ringtone, dir / "gone");
    gone.SetListName("Favtones");
    try {
        gone.SaveToFile();
        ADD_FAILURE() << "stored into a missing folder";
    } catch (const tw::ListError& e) {
        EXPECT_EQ(e.reason(), tw::ListError::Reason::Io);
        EXPECT_NE(std::string(e.what()).find((dir / "gone" / "Favtones.dat").string()), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
}

TEST_F(RingtoneListTest, AListFileThatIsALinkStaysALink) {
    tw::test::TempDir elsewhere;
    WriteBytes(elsewhere / "Real.dat", "");
    std::filesystem::create_symlink(elsewhere / "Real.dat", list.ListFileName());
    Store("A:d=4,o=5,b=125:c,d");
    EXPECT_TRUE(std::filesystem::is_symlink(list.ListFileName()));
    EXPECT_EQ(ReadBytes(elsewhere / "Real.dat"), "[A]\r\nRTTTL=A:d=4,o=5,b=125:c, d\r\n");
}

TEST_F(RingtoneListTest, ListNamesAreCheckedAndTrimmed) {
    list.SetListName("  Rock ");
    EXPECT_EQ(list.ListName(), "Rock");
    EXPECT_EQ(list.ListFileName(), (dir / "Rock.dat").string());
    EXPECT_THROW(list.SetListName("../Rock"), tw::ListError);
    EXPECT_THROW(list.SetListName("menu"), tw::ListError);
    EXPECT_EQ(list.ListName(), "Rock");

    tw::CRingtoneList unnamed(ringtone, dir.path());
    EXPECT_THROW(unnamed.SaveToFile(), tw::ListError);
}

TEST(DeleteRingtoneError, NamesTheRealListFile) {
    EXPECT_EQ(tw::DeleteRingtoneErrorText("/home/me/.local/share/Tunewright/Rock.dat"),
              "Could not delete ringtone from file!  Your list is stored in /home/me/.local/share/Tunewright/Rock.dat"
              "  Open this in notepad and remove the ringtone entry yourself.  There might have been some sort of "
              "sharing violation or disk write error to cause this problem.");
}

}  // namespace

// Renaming, retiming and deleting the shown ringtone.
#include <optional>
#include <string>
#include <vector>

#include "lists/list_box.h"
#include "session_test_support.h"
#include "support/expect_error.h"

namespace {

using tw::RenameCheck;
using Reason = tw::SessionError::Reason;
using tw::test::Other;
using tw::test::Tune;

class EditTest : public tw::test::SessionTest {
protected:
    EditTest() {
        WriteList(Tune + Other);
        session.Show("Tune");
    }
};

// A new name against the list: its own, free, taken by another entry, or no name at all.
TEST_F(EditTest, CheckRenameJudgesTheNewName) {
    const struct {
        const char* name;
        std::optional<RenameCheck> check;  // nothing: refused as no ringtone name
    } rows[] = {
        {"Tune", RenameCheck::Unchanged},
        {" Tune ", RenameCheck::Unchanged},
        {"tune", RenameCheck::Free},
        {"New", RenameCheck::Free},
        {"Other", RenameCheck::ReplacesOther},
        {"OTHER", RenameCheck::ReplacesOther},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"\x01\t", std::nullopt},
        {"a:b", RenameCheck::Free},
        {"Other\t", RenameCheck::ReplacesOther},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.check) EXPECT_EQ(session.CheckRename(row.name), *row.check);
        else tw::test::ExpectError<tw::SessionError>([&] { session.CheckRename(row.name); }, Reason::BadRingtoneName);
    }
}

TEST_F(EditTest, CheckRenameNeedsTheListToTell) {
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.CheckRename("New"); }, Reason::ListIo);
}

// The entry is stored at the end under the new name, and an entry of that name goes.
TEST_F(EditTest, RenameStoresUnderTheNewName) {
    const struct {
        const char* name;
        std::string after;
    } rows[] = {
        {"New", Other + "[New]\r\nRTTTL=New:d=4,o=5,b=125:c, d\r\n"},
        {" Other ", "[Other]\r\nRTTTL=Other:d=4,o=5,b=125:c, d\r\n"},
        {"tune", Other + "[tune]\r\nRTTTL=tune:d=4,o=5,b=125:c, d\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteList(Tune + Other);
        session.Show("Tune");
        session.Rename(row.name);
        EXPECT_EQ(ListFile(), row.after);
        EXPECT_EQ(session.ShownRow(), session.Ringtone().Name());
    }
}

TEST_F(EditTest, AFailedRenamePutsTheNameBack) {
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.Rename("New"); }, Reason::ListIo);
    EXPECT_EQ(session.Ringtone().Name(), "Tune");
    EXPECT_EQ(session.ShownRow(), "Tune");
}

TEST_F(EditTest, SetTempoStoresOrPutsTheTempoBack) {
    session.SetTempo("140");
    EXPECT_EQ(ListFile(), "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=140:c, d\r\n" + Other);
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.SetTempo("90"); }, Reason::ListIo);
    EXPECT_EQ(session.Ringtone().Tempo(), "140");
}

// Another program changed the shown entry's notes, or removed it: an edit
// keeps what it stored, or is refused rather than bring the entry back.
TEST_F(EditTest, EditsCatchUpWithAnotherProgram) {
    EXPECT_FALSE(session.ListChangedOnDisk());
    const std::string changed = "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=125:g, a, b\r\n" + Other;
    WriteList(changed);
    EXPECT_TRUE(session.ListChangedOnDisk());
    session.SetTempo("140");
    EXPECT_EQ(ListFile(), "[Tune]\r\nRTTTL=Tune:d=4,o=5,b=140:g, a, b\r\n" + Other);
    EXPECT_FALSE(session.ListChangedOnDisk());
    // The rows were never loaded here: they stay unseen.
    EXPECT_TRUE(session.RowsChangedOnDisk());
    WriteList(Other);
    tw::test::ExpectError<tw::SessionError>([&] { session.Rename("Song"); }, Reason::EntryGone);
    EXPECT_EQ(ListFile(), Other);
}

// The rows loaded stay seen through the session's own stores, but not
// through a store that came just after another program's write: following
// the file must read them again, or the other program's entry never shows.
TEST_F(EditTest, RowsSeenOnlyWhenNoOtherProgramWroteFirst) {
    tw::SortedNameList rows;
    session.LoadRows(rows);
    session.SetTempo("100");
    EXPECT_FALSE(session.RowsChangedOnDisk());
    WriteList(ListFile() + "[Third]\r\nRTTTL=Third:d=4,o=5,b=125:e\r\n");
    session.SetTempo("110");
    EXPECT_TRUE(session.RowsChangedOnDisk());
    session.LoadRows(rows);
    EXPECT_FALSE(session.RowsChangedOnDisk());
    EXPECT_EQ(rows.Items(), (std::vector<std::string>{"Other", "Third", "Tune"}));
}

TEST_F(EditTest, DeleteRemovesTheEntryOfThatName) {
    EXPECT_FALSE(session.DeleteRingtone("Gone"));
    EXPECT_EQ(ListFile(), Tune + Other);
    EXPECT_TRUE(session.DeleteRingtone("TUNE"));
    EXPECT_EQ(ListFile(), Other);
    EXPECT_EQ(session.Ringtone().Name(), "TUNE");
}

TEST_F(EditTest, AFailedDeleteIsAnError) {
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.DeleteRingtone("Tune"); }, Reason::ListIo);
}

// A tempo is a number from 1 to 32767, its fraction cut.
TEST(TempoValueTest, TakesTheNumbersAHandsetHolds) {
    const struct {
        const char* text;
        std::optional<int> value;
    } rows[] = {
        {"125", 125},
        {"1", 1},
        {"32767", 32767},
        {"112.5", 112},
        {" 90 ", 90},
        {"0", std::nullopt},
        {"32768", std::nullopt},
        {"-5", std::nullopt},
        {"fast", std::nullopt},
        {"", std::nullopt},
        {"1:2", std::nullopt},
        {"1,2", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(tw::TempoValue(row.text), row.value);
    }
}

}  // namespace

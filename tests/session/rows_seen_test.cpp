// Whether the rows a window loaded stay the list file's through the session's
// own writes: they do unless another program wrote the file just before.
#include <functional>
#include <ostream>
#include <string>

#include "lists/list_box.h"
#include "session_test_support.h"

namespace {

using tw::test::Other;
using tw::test::Tune;

// An entry stored before names were made fit, shown as "A-b".
const std::string OldName = "[A:b]\r\nRTTTL=A:b:d=4,o=5,b=125:c, d\r\n";

struct OwnWrite {
    const char* name;
    const char* shown;  // the row shown before it
    std::function<void(tw::RingtoneSession&)> write;
};
void PrintTo(const OwnWrite& row, std::ostream* out) { *out << row.name; }

const OwnWrite OwnWrites[] = {
    {"store", "Tune", [](tw::RingtoneSession& s) { s.Get(tw::Notation::RTTTL, "New:d=4,o=5,b=125:e"); }},
    {"delete", "Tune", [](tw::RingtoneSession& s) { s.DeleteRingtone("Other"); }},
    {"rename", "Tune", [](tw::RingtoneSession& s) { s.Rename("New"); }},
    {"tempo of an old name", "A:b", [](tw::RingtoneSession& s) { s.SetTempo("140"); }},
    {"change shown", "Tune",
     [](tw::RingtoneSession& s) {
         s.ChangeShown([](tw::CNotes& ringtone) {
             ringtone.SetTempo("90");
             return true;
         });
     }},
    {"import", "Tune", [](tw::RingtoneSession& s) { s.Import(tw::Notation::RTTTL, "New:d=4,o=5,b=125:e\n"); }},
    {"clear list", "Tune", [](tw::RingtoneSession& s) { s.ClearList(); }},
    {"rename list", "Tune", [](tw::RingtoneSession& s) { s.RenameList("Pop"); }},
};

class RowsSeen : public tw::test::SessionTest, public ::testing::WithParamInterface<OwnWrite> {
protected:
    RowsSeen() {
        WriteList(Tune + OldName + Other);
        session.LoadRows(rows);
        session.Show(GetParam().shown);
    }

    // Another program stores a ringtone of its own in the list.
    void StoreElsewhere() const {
        tw::CNotes notes;
        tw::RingtoneListFile list(notes, home.path());
        list.SetListName("Favtones");
        notes.SetFull_RTTTL("Third:d=4,o=5,b=125:e");
        list.SaveToFile();
    }

    tw::SortedNameList rows;
};

TEST_P(RowsSeen, StaySeenThroughOurOwnWrite) {
    GetParam().write(session);
    EXPECT_FALSE(session.RowsChangedOnDisk());
}

// Marking them seen after our write would hide the other program's entry
// until the list is chosen again.
TEST_P(RowsSeen, AreStaleWhenAnotherProgramWroteJustBefore) {
    StoreElsewhere();
    GetParam().write(session);
    EXPECT_TRUE(session.RowsChangedOnDisk());
}

INSTANTIATE_TEST_SUITE_P(Writes, RowsSeen, ::testing::ValuesIn(OwnWrites));

using ListLeft = tw::test::SessionTest;

// A new list made current, or the current one deleted: the rows are another
// file's and are to be loaded again.
TEST_F(ListLeft, LeavesItsRowsStale) {
    const struct {
        const char* name;
        std::function<void()> leave;
    } steps[] = {
        {"new list", [&] { session.NewList("Pop"); }},
        {"delete list", [&] { session.DeleteList(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        session.OpenList("Favtones");
        WriteList(Tune);
        tw::SortedNameList rows;
        session.LoadRows(rows);
        step.leave();
        EXPECT_TRUE(session.RowsChangedOnDisk());
    }
}

}  // namespace

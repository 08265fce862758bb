// The commands on whole lists: opening, making, renaming, clearing, deleting
// and exporting them.
#include <filesystem>
#include <string>
#include <vector>

#include "session_test_support.h"
#include "support/expect_error.h"

namespace {

using Reason = tw::SessionError::Reason;
using tw::test::Other;
using tw::test::Tune;

class WholeListTest : public tw::test::SessionTest {
protected:
    WholeListTest() {
        WriteList(Tune, "Rock");
        WriteList(Other, "Jazz");
    }
};

TEST_F(WholeListTest, ListsWithFilesAreTheListsOnDisk) {
    EXPECT_EQ(session.ListsWithFiles(), (std::vector<std::string>{"Jazz", "Rock"}));
    tw::SortedNameList none;
    tw::test::TempDir empty;
    tw::RingtoneSession(empty.path()).ScanLists(none);
    EXPECT_EQ(none.Items(), std::vector<std::string>{"Favtones"});
}

TEST_F(WholeListTest, OpenExistingNeedsTheFile) {
    session.OpenExistingList(" Rock ");
    EXPECT_EQ(session.ListName(), "Rock");
    tw::test::ExpectError<tw::SessionError>([&] { session.OpenExistingList("Pop"); }, Reason::NoList);
    tw::test::ExpectError<tw::SessionError>([&] { session.OpenList("a/b"); }, Reason::BadListName);
}

// A new list's name: trimmed, and refused when it is no list name or a list, shown or on disk, has it.
TEST_F(WholeListTest, CheckNewListName) {
    const struct {
        const char* name;
        const char* checked;  // empty: refused for `reason`
        Reason reason;
    } rows[] = {
        {"Pop", "Pop", {}},
        {" Pop ", "Pop", {}},
        {"Rock", "", Reason::ListExists},
        {"Shown", "", Reason::ListExists},
        {"a/b", "", Reason::BadListName},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto check = [&] { return session.CheckNewListName(row.name, {"Shown"}); };
        if (*row.checked) EXPECT_EQ(check(), row.checked);
        else tw::test::ExpectError<tw::SessionError>(check, row.reason);
    }
}

TEST_F(WholeListTest, AFailedNewListKeepsThePreviousList) {
    tw::RingtoneSession nowhere(home / "missing");
    nowhere.OpenList("Rock");
    tw::test::ExpectError<tw::SessionError>([&] { nowhere.NewList("Pop"); }, Reason::ListIo);
    EXPECT_EQ(nowhere.ListName(), "Rock");
    tw::test::ExpectError<tw::SessionError>([&] { nowhere.NewList("a/b"); }, Reason::BadListName);
    EXPECT_EQ(nowhere.ListName(), "Rock");
}

TEST_F(WholeListTest, ClearEmptiesTheListAndShowsNothing) {
    session.OpenList("Rock");
    session.Show("Tune");
    session.ClearList();
    EXPECT_EQ(ListFile("Rock"), "");
    EXPECT_FALSE(session.Showing());
    EXPECT_EQ(session.Ringtone().Name(), "");
}

// After a delete the list that stood just above the deleted one is current,
// or the first; with no list left, the default one.
TEST_F(WholeListTest, DeleteOpensTheNeighbour) {
    WriteList(Tune, "Alpha");
    WriteList(Tune, "Zoo");
    const struct {
        const char* deleted;
        const char* next;
    } rows[] = {{"Rock", "Jazz"}, {"Alpha", "Jazz"}, {"Zoo", "Jazz"}, {"Jazz", "Favtones"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.deleted);
        session.OpenList(row.deleted);
        session.Show("Tune");
        EXPECT_TRUE(session.DeleteListAndOpenNeighbour());
        EXPECT_EQ(session.ListName(), row.next);
        EXPECT_FALSE(session.Showing());
        EXPECT_FALSE(std::filesystem::exists(ListPath(row.deleted)));
    }
    EXPECT_TRUE(tw::test::FilesIn(home.path()).empty());
}

// The export writes every ringtone of the current list with the ringtone's separator.
TEST_F(WholeListTest, ExportTextIsTheCurrentList) {
    session.OpenList("Rock");
    session.Ringtone().SetOutputSeparator("|");
    tw::ExportChoices choices;
    choices.Export = {true, false, false};
    choices.RawCodeList = true;
    std::vector<std::string> problems;
    const std::string text = session.ExportText(choices, std::tm{}, problems);
    EXPECT_TRUE(text.ends_with("Tune:d=4,o=5,b=125:c|d\r\n")) << text;
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(session.ExportPath(), home / "tonelist.txt");
}

}  // namespace

namespace {

// A list's refusals stay refusals of the session, with the list's words; a failed file does not.
TEST(SessionErrorTest, ListErrorsKeepTheirKind) {
    const struct {
        tw::ListError::Reason list;
        Reason session;
        bool refused;
    } rows[] = {
        {tw::ListError::Reason::BadName, Reason::BadListName, true},
        {tw::ListError::Reason::Exists, Reason::ListExists, true},
        {tw::ListError::Reason::BadText, Reason::NotStorable, true},
        {tw::ListError::Reason::Io, Reason::ListIo, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.list));
        const std::string text = tw::test::ExpectError<tw::SessionError>(
            [&] { tw::ListCall([&] { throw tw::ListError(row.list, "the list's words"); }); }, row.session);
        EXPECT_EQ(text, "the list's words");
        EXPECT_EQ(tw::SessionError(row.session, "").Refused(), row.refused);
    }
}

}  // namespace

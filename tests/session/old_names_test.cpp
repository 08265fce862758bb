// Names the program no longer writes: entries of older lists stored under a
// name with ":" or a comment marker, and names that enter through a rename
// or an import.
#include <ostream>
#include <string>

#include "session_test_support.h"

namespace {

using tw::test::Other;
using tw::test::Tune;

struct OldEntry {
    std::string stored, fit;
};
void PrintTo(const OldEntry& entry, std::ostream* out) { *out << entry.stored; }

std::string Entry(const std::string& section, const std::string& name, const std::string& tempo = "125") {
    return "[" + section + "]\r\nRTTTL=" + name + ":d=4,o=5,b=" + tempo + ":c, d\r\n";
}

using NameTest = tw::test::SessionTest;

class OldNames : public tw::test::SessionTest, public ::testing::WithParamInterface<OldEntry> {};

// Loaded, shown and played under the look-alike, with the report; the next
// store puts it under that name in place of the old entry.
TEST_P(OldNames, ShowUnderTheirFitNameAndAreRenamedOnTheNextStore) {
    const OldEntry& old = GetParam();
    WriteList(Tune + Entry(old.stored, old.stored) + Other);
    ASSERT_EQ(session.Show(old.stored).state, tw::EntryState::Stored);
    EXPECT_EQ(session.Ringtone().Name(), old.fit);
    EXPECT_EQ(session.Ringtone().Count(), 2);
    EXPECT_EQ(session.Ringtone().NameChanges().size(), 1u);
    EXPECT_EQ(session.Ringtone().ErrorLines(), session.Ringtone().NameChanges());
    EXPECT_EQ(session.StoredEntry(), old.stored);

    session.SetTempo("140");
    EXPECT_EQ(ListFile(), Tune + Other + Entry(old.fit, old.fit, "140"));
    EXPECT_EQ(session.ShownRow(), old.fit);
    EXPECT_EQ(session.StoredEntry(), old.fit);
}

// Renaming or deleting the shown entry acts on the entry as stored.
TEST_P(OldNames, RenameAndDeleteActOnTheStoredEntry) {
    const OldEntry& old = GetParam();
    WriteList(Tune + Entry(old.stored, old.stored));
    session.Show(old.stored);
    session.Rename("New");
    EXPECT_EQ(ListFile(), Tune + Entry("New", "New"));

    WriteList(Tune + Entry(old.stored, old.stored));
    session.Show(old.stored);
    EXPECT_TRUE(session.DeleteRingtone(session.StoredEntry()));
    EXPECT_EQ(ListFile(), Tune);
}

INSTANTIATE_TEST_SUITE_P(Entries, OldNames,
                         ::testing::Values(OldEntry{"A:b", "A-b"}, OldEntry{"#hash", "_#hash"},
                                           OldEntry{";semi", "_;semi"}, OldEntry{"//slash", "_//slash"}));

// A tempo change never replaces another entry: with the fit name taken, the
// old entry keeps its name.
TEST_F(NameTest, ATempoChangeKeepsTheOldNameWhenTheFitOneIsTaken) {
    const std::string taken = Entry("A-b", "A-b");
    WriteList(Entry("A:b", "A:b") + taken);
    session.Show("A:b");
    session.SetTempo("140");
    EXPECT_EQ(ListFile(), Entry("A:b", "A-b", "140") + taken);
    EXPECT_EQ(session.ShownRow(), "A:b");
}

// A typed name is stored made fit, and the ringtone says what was replaced.
TEST_F(NameTest, ARenameStoresTheFitName) {
    WriteList(Tune);
    session.Show("Tune");
    session.Rename(" X:y ");
    EXPECT_EQ(ListFile(), Entry("X-y", "X-y"));
    EXPECT_EQ(session.ShownRow(), "X-y");
    EXPECT_EQ(session.Ringtone().NameChanges().size(), 1u);
}

// An import says, by line, which names it stored with characters replaced.
TEST_F(NameTest, AnImportNamesWhatItReplaced) {
    const auto result = session.Import(
        tw::Notation::RTTTL, "A:b:d=4,o=5,b=125:c,d\r\n# a comment\r\nStar Wars: Theme:d=4,o=5,b=125:c,d\r\n");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->imported, 2u);
    EXPECT_TRUE(result->skipped.empty());
    ASSERT_EQ(result->renamed.size(), 2u);
    EXPECT_EQ(result->renamed[0].line, 1u);
    EXPECT_EQ(result->renamed[1].line, 3u);
    EXPECT_EQ(result->renamed[1].reason,
              "name \"Star Wars- Theme\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)");
    EXPECT_EQ(ListFile(), Entry("A-b", "A-b") + Entry("Star Wars- Theme", "Star Wars- Theme"));
}

}  // namespace

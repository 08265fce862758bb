// Getting a ringtone into the current list, and showing an entry of it.
#include <string>

#include "engine/ringtone_text.h"
#include "session/ringtone_file.h"
#include "session_test_support.h"
#include "support/expect_error.h"

namespace {

using tw::EntryState;
using tw::Notation;
using Reason = tw::SessionError::Reason;
using tw::test::Other;
using tw::test::Tune;

class GetTest : public tw::test::SessionTest {};

// A text in each notation is stored under its name.
TEST_F(GetTest, StoresTheTextUnderItsName) {
    const struct {
        Notation from;
        std::string text, name, after;
    } rows[] = {
        {Notation::RTTTL, "Tune:d=4,o=5,b=125:c,d", "Tune", Tune},
        {Notation::Composer, "Test:Tempo=125:4c1, 8d1", "Test", "[Test]\r\nRTTTL=Test:d=4,o=5,b=125:c, 8d\r\n"},
        {Notation::Keypresses, "Keys:Tempo=125:1 (1) 2", "Keys", "[Keys]\r\nRTTTL=Keys:d=4,o=5,b=125:c, c., d\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::filesystem::remove(ListPath());
        session.Get(row.from, row.text);
        EXPECT_EQ(session.Ringtone().Name(), row.name);
        EXPECT_EQ(ListFile(), row.after);
        EXPECT_FALSE(session.Showing());
    }
}

// The problems of the text as it came stay with the ringtone; what could be read is stored.
TEST_F(GetTest, KeepsTheProblemsOfTheText) {
    session.Get(Notation::RTTTL, "Tune:d=4,o=5,b=125:c,x,d");
    EXPECT_FALSE(session.Ringtone().ErrorMessage().empty());
    EXPECT_EQ(ListFile().rfind("[Tune]\r\n", 0), 0u);
}

// A text that is empty or that the engine refuses stores nothing.
TEST_F(GetTest, RefusesATextItCannotRead) {
    const struct {
        const char* what;
        std::string text;
        Reason reason;
    } rows[] = {
        {"empty", "", Reason::NoText},
        {"blank", "   ", Reason::NoText},
        {"too long", "Long:d=4,o=5,b=125:" + std::string(tw::MaxRingtoneText + 1, 'c'), Reason::TooLong},
    };
    WriteList(Other);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        tw::test::ExpectError<tw::SessionError>([&] { session.Get(Notation::RTTTL, row.text); }, row.reason);
        EXPECT_EQ(ListFile(), Other);
    }
}

// A list that cannot be written keeps the ringtone as read, so that it can be named.
TEST_F(GetTest, AFailedStoreKeepsTheRingtone) {
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.Get(Notation::RTTTL, "Tune:d=4,o=5,b=125:c,d"); },
                                            Reason::ListIo);
    EXPECT_EQ(session.Ringtone().Name(), "Tune");
}

class ShowTest : public tw::test::SessionTest {};

// A stored entry loads; a row without an entry and an unreadable entry keep the row's name.
TEST_F(ShowTest, LoadsTheEntryOfTheRow) {
    WriteList(Tune + "[Bad]\r\nRTTTL=" + std::string(tw::MaxRingtoneText + 1, 'c') + "\r\n");
    const struct {
        const char* row;
        EntryState state;
        std::string rtttl;
        bool stored;
    } rows[] = {
        {"Tune", EntryState::Stored, "Tune:d=4,o=5,b=125:c, d", true},
        {"tune", EntryState::Stored, "Tune:d=4,o=5,b=125:c, d", true},
        {"Gone", EntryState::Missing, "Gone:d=4,o=5,b=125:", false},
        {"Bad", EntryState::Unreadable, "Bad:d=4,o=5,b=125:", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        const tw::EntryLoad load = session.Show(row.row);
        EXPECT_EQ(load.state, row.state);
        EXPECT_EQ(load.problem.empty(), row.state != EntryState::Unreadable);
        EXPECT_EQ(session.Ringtone().Full_RTTTL(), row.rtttl);
        EXPECT_EQ(session.ShownRow(), row.row);
        EXPECT_EQ(session.ShownStored(), row.stored);
        EXPECT_TRUE(session.Showing());
    }
}

// A list that cannot be read shows nothing; clearing shows nothing.
TEST_F(ShowTest, NothingShownAfterAFailureOrAClear) {
    WriteList(Tune);
    session.Show("Tune");
    session.Clear();
    EXPECT_FALSE(session.Showing());
    EXPECT_EQ(session.Ringtone().Name(), "");
    session.Show("Tune");
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.Show("Tune"); }, Reason::ListIo);
    EXPECT_FALSE(session.Showing());
    EXPECT_EQ(session.ShownRow(), "");
}

// Reloading gives the shown entry as stored, and leaves the ringtone when the list cannot be read.
TEST_F(ShowTest, ReloadReadsTheShownEntryAgain) {
    WriteList(Tune + Other);
    session.Show("Tune");
    session.Ringtone().SetFull_RTTTL("Other:d=8,o=6,b=200:e, 4f");
    session.ReloadShown();
    EXPECT_EQ(session.Ringtone().Full_RTTTL(), "Tune:d=4,o=5,b=125:c, d");
    WriteList(Other);
    session.ReloadShown();
    EXPECT_EQ(session.Ringtone().Name(), "Tune");
    EXPECT_FALSE(session.ShownStored());
    BreakList();
    session.ReloadShown();
    EXPECT_EQ(session.Ringtone().Name(), "Tune");
}

// A ringtone file reads with its lines joined; anything else reads as nothing, and a
// file larger than a ringtone file of its kind may be is refused by its size.
TEST(RingtoneFileTest, ReadsAFileWithItsLinesJoined) {
    tw::test::TempDir dir;
    tw::test::WriteBytes(dir / "tune.txt", "Tune:d=4,o=5,\r\nb=125:c,\nd\r\n");
    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_EQ(tw::ReadRingtoneFile(dir / "tune.txt"), std::optional<std::string>("Tune:d=4,o=5,b=125:c,d"));
    for (const char* name : {"missing.txt", "folder.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(tw::ReadRingtoneFile(dir / name), std::nullopt);
        EXPECT_EQ(tw::ReadRingtoneBytes(dir / name), std::nullopt);
    }
    // Sparse files: their size is what counts.
    const auto sized = [&](const char* name, std::size_t size) {
        tw::test::WriteBytes(dir / name, "");
        std::filesystem::resize_file(dir / name, size);
        return dir / name;
    };
    const std::filesystem::path text = sized("text.txt", tw::MaxRingtoneTextFile + 1);
    const std::string message =
        tw::test::ExpectError<tw::SessionError>([&] { tw::ReadRingtoneFile(text); }, Reason::TooLong);
    EXPECT_EQ(message, "the file " + text.string() +
                           " is 8388609 bytes, more than the 8 MiB (8388608 bytes) a ringtone text file may be");
    EXPECT_EQ(tw::ReadRingtoneBytes(text)->size(), tw::MaxRingtoneTextFile + 1);
    const std::filesystem::path any = sized("any.mid", tw::MaxRingtoneFile + 1);
    tw::test::ExpectError<tw::SessionError>([&] { tw::ReadRingtoneBytes(any); }, Reason::TooLong);
}

}  // namespace

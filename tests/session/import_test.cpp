// Importing a collection into the current list.
#include <string>

#include "engine/ringtone_text.h"
#include "session_test_support.h"
#include "support/expect_error.h"

namespace {

using Reason = tw::SessionError::Reason;
using tw::test::Tune;

class ImportTest : public tw::test::SessionTest {
protected:
    ImportTest() { WriteList(Tune); }
};

const std::string Collection =
    "# my tones\nTune:d=4,o=5,b=125:e\nNew:d=4,o=5,b=125:c,\n  d\nBig:d=4:" + std::string(tw::MaxRingtoneText, 'c') +
    "\nnew:d=8,o=5,b=125:d\n";

// Taken names get a number, one that the list or the collection has already;
// a ringtone that cannot be read is skipped with its line.
TEST_F(ImportTest, StoresEveryRingtoneUnderAFreeName) {
    const auto result = session.Import(tw::Notation::RTTTL, Collection);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->imported, 3u);
    ASSERT_EQ(result->skipped.size(), 1u);
    EXPECT_EQ(result->skipped[0].line, 5u);
    EXPECT_EQ(result->skipped[0].reason,
              "The ringtone text is 4194312 bytes, more than the 4 MiB (4194304 bytes) a ringtone text may be.");
    EXPECT_EQ(ListFile(), Tune +
                              "[Tune (2)]\r\nRTTTL=Tune (2):d=4,o=5,b=125:e\r\n"
                              "[New]\r\nRTTTL=New:d=4,o=5,b=125:c, d\r\n"
                              "[new (2)]\r\nRTTTL=new (2):d=8,o=5,b=125:d\r\n");
    EXPECT_FALSE(session.ListChangedOnDisk());
}

// An import run again stores nothing twice: a ringtone the list held before,
// under its name or the number an import gave it and with the same text, is
// left out and counted; one of the same name with another text or letter
// case is numbered, and the same ringtone twice in one collection is stored
// twice.
TEST_F(ImportTest, WhatTheListHeldAlreadyIsLeftOut) {
    ASSERT_TRUE(session.Import(tw::Notation::RTTTL, Collection));
    const std::string once = ListFile();
    const struct Row {
        std::string collection;
        std::size_t imported, alreadyThere, skipped;
        std::string added;  // to the list file
    } rows[] = {
        {Collection, 0, 3, 1, ""},
        {"Tune:d=4,o=5,b=125:c,d\nnew:d=8,o=5,b=125:d\nTUNE:d=4,o=5,b=125:c,d\n", 1, 2, 0,
         "[TUNE (3)]\r\nRTTTL=TUNE (3):d=4,o=5,b=125:c, d\r\n"},
        {"New:d=4,o=5,b=125:e\nTwice:d=4,o=5,b=125:c\nTwice:d=4,o=5,b=125:c\n", 3, 0, 0,
         "[New (3)]\r\nRTTTL=New (3):d=4,o=5,b=125:e\r\n[Twice]\r\nRTTTL=Twice:d=4,o=5,b=125:c\r\n"
         "[Twice (2)]\r\nRTTTL=Twice (2):d=4,o=5,b=125:c\r\n"},
    };
    std::string expected = once;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.collection.substr(0, 40));
        const auto result = session.Import(tw::Notation::RTTTL, row.collection);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->imported, row.imported);
        EXPECT_EQ(result->alreadyThere, row.alreadyThere);
        EXPECT_EQ(result->skipped.size(), row.skipped);
        expected += row.added;
        EXPECT_EQ(ListFile(), expected);
    }
}

// A cancelled import, or one whose list cannot be written, leaves the list as it was.
TEST_F(ImportTest, CancelledOrFailedChangesNothing) {
    std::size_t told = 0;
    EXPECT_FALSE(session.Import(tw::Notation::RTTTL, Collection, [&](std::size_t, std::size_t) { return ++told < 2; }));
    EXPECT_EQ(told, 2u);
    EXPECT_EQ(ListFile(), Tune);
    tw::test::ExpectError<tw::SessionError>([&] { session.Import(tw::Notation::RTTTL, "# nothing\n"); },
                                            Reason::NoText);
    BreakList();
    tw::test::ExpectError<tw::SessionError>([&] { session.Import(tw::Notation::RTTTL, Collection); }, Reason::ListIo);
}

}  // namespace

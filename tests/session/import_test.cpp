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

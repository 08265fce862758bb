// The handset files in the session: a file got into the list as RTTTL, and
// the current ringtone saved as a file that is recognised (what it reads back
// to, the round trips of every writer show).
#include <string>

#include "engine/file_format.h"
#include "session/ringtone_file.h"
#include "session_test_support.h"
#include "support/expect_error.h"

namespace {

using tw::FileFormat;
using Reason = tw::SessionError::Reason;

class HandsetFilesTest : public tw::test::SessionTest {};

TEST_F(HandsetFilesTest, AFileIsStoredAsRtttlAndSavedInEachFormat) {
    session.GetAs(FileFormat::IMelody, "BEGIN:IMELODY\nNAME:Imy\nBEAT:125\nMELODY:c2(d3@2)\nEND:IMELODY\n");
    EXPECT_EQ(ListFile(), "[Imy]\r\nRTTTL=Imy:d=4,o=5,b=125:c, 8d, 8d\r\n");
    for (const FileFormat format : {FileFormat::IMelody, FileFormat::Ott}) {
        SCOPED_TRACE(std::string(tw::FileFormatName(format)));
        const std::filesystem::path path = home / "saved";
        EXPECT_TRUE(tw::SaveRingtoneAs(path, session.Ringtone(), format).empty());
        const std::optional<std::string> bytes = tw::ReadRingtoneBytes(path);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(tw::RecogniseRingtoneFile(*bytes), format);
    }
    EXPECT_EQ(tw::RecogniseRingtoneFile("Imy:d=4,o=5,b=125:c"), std::nullopt);
}

TEST_F(HandsetFilesTest, RefusesAFileItCannotReadOrAFormatThatCannotHoldTheRingtone) {
    tw::test::ExpectError<tw::SessionError>([&] { session.GetAs(FileFormat::Ott, std::string(1, '\x02')); },
                                            Reason::Unreadable);
    std::string rtttl = "Long:d=4,o=5,b=125:c";
    for (int i = 0; i < 300; ++i) rtttl += ",d";
    session.Get(tw::Notation::RTTTL, rtttl);
    tw::test::ExpectError<tw::SessionError>(
        [&] { tw::SaveRingtoneAs(home / "long.ott", session.Ringtone(), FileFormat::Ott); }, Reason::CannotHold);
    EXPECT_FALSE(std::filesystem::exists(home / "long.ott"));
}

}  // namespace

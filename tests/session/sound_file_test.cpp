// Sound files of the shown ringtone, and a list read once.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "session/list_snapshot.h"
#include "session/sound_file.h"
#include "session_test_support.h"
#include "sound/player.h"
#include "sound/render.h"
#include "support/expect_error.h"

namespace {

using Reason = tw::SessionError::Reason;
using tw::test::Other;
using tw::test::Tune;

std::string WaveOf(const std::string& rtttl) {
    tw::CNotes ringtone;
    ringtone.SetFull_RTTTL(rtttl);
    const std::vector<std::uint8_t> image = tw::RenderWave(ringtone);
    return std::string(image.begin(), image.end());
}

class WavTest : public tw::test::SessionTest {
protected:
    tw::test::TempDir out;
    tw::NullPlayer player;
};

// The shown ringtone is written under its name, unless its name, its entry or its tempo forbid.
TEST_F(WavTest, SaveShownWavWritesOrSaysWhyNot) {
    WriteList(Tune + "[AC/DC]\r\nRTTTL=AC/DC:d=4,o=5,b=125:c\r\n[Slow]\r\nRTTTL=Slow:d=4,o=5,b=0:c\r\n");
    const struct {
        const char* row;
        std::optional<Reason> reason;
    } rows[] = {
        {"Tune", std::nullopt},
        {"AC/DC", Reason::BadFileName},
        {"Gone", Reason::EntryGone},
        {"Slow", Reason::Sound},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        session.Show(row.row);
        if (row.reason)
            tw::test::ExpectError<tw::SessionError>([&] { session.SaveShownWav(out.path(), player); }, *row.reason);
        else EXPECT_EQ(session.SaveShownWav(out.path(), player), out / "Tune.wav");
    }
    EXPECT_EQ(tw::test::FilesIn(out.path()), std::set<std::string>{"Tune.wav"});
    EXPECT_EQ(tw::test::ReadBytes(out / "Tune.wav"), WaveOf("Tune:d=4,o=5,b=125:c, d"));
}

// While a snapshot is held, rows load from the list as it was read.
TEST_F(WavTest, AHeldSnapshotOutlivesChangesToTheFile) {
    WriteList(Tune + Other);
    session.HoldSnapshot();
    WriteList("");
    EXPECT_EQ(session.Show("Other").state, tw::EntryState::Stored);
    session.ReleaseSnapshot();
    EXPECT_EQ(session.Show("Other").state, tw::EntryState::Missing);
}

// A list that cannot be read leaves each row to report it.
TEST_F(WavTest, AnUnreadableListHoldsNoSnapshot) {
    BreakList();
    session.HoldSnapshot();
    tw::test::ExpectError<tw::SessionError>([&] { session.Show("Tune"); }, Reason::ListIo);
    tw::test::ExpectError<tw::SessionError>([&] { session.ReadSnapshot(); }, Reason::ListIo);
}

TEST_F(WavTest, ASnapshotGivesTheEntriesInTheWindowsOrder) {
    WriteList(Tune + Other + "[apple]\r\nRTTTL=apple:d=4,o=5,b=125:c\r\n");
    const tw::ListSnapshot snapshot = session.ReadSnapshot();
    EXPECT_EQ(snapshot.Entries(), (std::vector<std::string>{"apple", "Other", "Tune"}));
    tw::CNotes ringtone;
    EXPECT_TRUE(snapshot.Load("other", ringtone));
    EXPECT_EQ(ringtone.Name(), "Other");
    EXPECT_FALSE(snapshot.Load("Gone", ringtone));
}

TEST(SaveSoundFileTest, ReportsWhatTheSoundSaid) {
    tw::test::TempDir out;
    tw::NullPlayer player;
    tw::CNotes ringtone;
    ringtone.SetFull_RTTTL("Slow:d=4,o=5,b=0:c");
    const std::string text = tw::test::ExpectError<tw::SessionError>(
        [&] { tw::SaveSoundFile(ringtone, out / "Slow.wav", tw::SoundFileType::Wav, player); }, Reason::Sound);
    EXPECT_EQ(text, "the tempo must be above 0, not 0");
    EXPECT_EQ(tw::SoundFileFor(out.path(), "A b", tw::SoundFileType::Midi), out / "A b.mid");
}

// A ringtone goes to a file only with a name and a tempo; a text file holds
// one line ending in CR LF, a WAV file the ringtone's sound.
TEST_F(WavTest, SaveRingtoneWritesTheChosenForm) {
    tw::CNotes& ringtone = session.Ringtone();
    ringtone.SetFull_RTTTL("Tune:d=4,o=5,b=125:c,d");
    session.SaveRingtone(tw::FileFormat::Composer, out / "tune.321", player);
    EXPECT_EQ(tw::test::ReadBytes(out / "tune.321"), ringtone.Full(tw::Notation::Composer) + "\r\n");
    session.SaveRingtone(tw::SoundFileType::Wav, out / "tune.wav", player);
    EXPECT_EQ(tw::test::ReadBytes(out / "tune.wav"), WaveOf("Tune:d=4,o=5,b=125:c,d"));
    tw::test::ExpectError<tw::SessionError>(
        [&] { session.SaveRingtone(tw::FileFormat::RTTTL, out / "missing" / "tune.txt", player); }, Reason::FileIo);

    for (const auto& [name, tempo] : {std::pair{"", "125"}, std::pair{"Tune", ""}}) {
        ringtone.SetName(name);
        ringtone.SetTempo(tempo);
        const std::string text = tw::test::ExpectError<tw::SessionError>(
            [&] { session.SaveRingtone(tw::FileFormat::RTTTL, out / "none.txt", player); }, Reason::Unnamed);
        EXPECT_EQ(text, "Please type in a Ringtone name and Tempo.");
    }
    EXPECT_FALSE(std::filesystem::exists(out / "none.txt"));
}

}  // namespace

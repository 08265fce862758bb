#include <sys/stat.h>

#include <tuple>

#include "cwave.h"
#include "fake_player.h"
#include "render.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

tw::CNotes Ringtone(std::string_view composer) {
    tw::CNotes notes;
    notes.SetOutputSeparator(" ");
    notes.SetFull(tw::Notation::Composer, composer);
    return notes;
}

const tw::CNotes Short = Ringtone("T:Tempo=120:8c1 8d1");

TEST(RenderTiming, AWholeNoteLasts240OverTempoSecondsForTonesAndPauses) {
    // Each ringtone holds its note twice: a lone note has no separator to find.
    const std::pair<const char*, std::size_t> cases[] = {  // samples with the start sample and each tone's gap
        {"T:Tempo=120:4c1 4c1", 1 + 2 * (4008 + 36)},    // 0.5 s: 261.5 cycles go to 262
        {"T:Tempo=60:4c1 4c1", 1 + 2 * (8000 + 36)},     // 1 s: 523 cycles
        {"T:Tempo=120:4- 4-", 1 + 2 * 4000},             // pauses follow the tempo too
        {"T:Tempo=120:4.c1 4.c1", 1 + 2 * (5996 + 36)},  // dotted: 1.5 quarters, 0.75 s
        {"T:Tempo=120.5:4c1 4c1", 1 + 2 * (4008 + 36)},  // the tempo rounds half to even
        {"T:Tempo=120:", 1},                             // no notes: one silent sample
    };
    for (const auto& [ringtone, samples] : cases)
        EXPECT_EQ((tw::RenderWave(Ringtone(ringtone)).size() - 44) / 2, samples) << ringtone;
    // The notes go to the synthesiser in order.
    tw::NullPlayer silent;
    tw::CWave wave(silent);
    wave.Start();
    wave.AddNote(523, 0.5);
    wave.AddPause(0.25);
    wave.AddNote(587, 1.0);
    EXPECT_EQ(tw::RenderWave(Ringtone("T:Tempo=120:4c1 8- 2d1")), wave.WaveImage());
}

TEST(RenderFunction, PlayOnlyPlaysSaveOnlySavesKeepingPermissionsAndOtherWordsDoNothing) {
    TempDir folder;
    const Bytes expected = tw::RenderWave(Short);
    tw::test::WriteBytes(folder / "out-SAVE.wav", "old");
    ASSERT_EQ(::chmod((folder / "out-SAVE.wav").c_str(), 0640), 0);
    for (const std::string function : {"PLAY", "SAVE", "play", "Save", ""}) {
        SCOPED_TRACE(function);
        tw::FakePlayer player;
        tw::WAV(Short, function, folder / ("out-" + function + ".wav"), player);
        EXPECT_EQ(player.Played(), function == "PLAY" ? std::vector<Bytes>{expected} : std::vector<Bytes>{});
        EXPECT_EQ(player.Calls().front(), "stop");  // Start silences the player first
    }
    EXPECT_EQ(FileBytes(folder / "out-SAVE.wav"), expected);
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::string>{"out-SAVE.wav"});  // no temporary file left
    struct stat info {};
    ASSERT_EQ(::stat((folder / "out-SAVE.wav").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    tw::FakePlayer player;  // a file that cannot be replaced
    ExpectSoundError([&] { tw::WAV(Short, "SAVE", folder / "missing" / "x.wav", player); }, Reason::WriteFailed);
}

TEST(RenderRefusal, FailsBeforeAnySoundOrFile) {
    std::string sixteen = "T:Tempo=1:1-";  // 16 whole notes of 240 s at tempo 1: 64 minutes
    for (int i = 1; i < 16; ++i) sixteen += " 1-";
    const std::tuple<std::string, Reason, std::string> cases[] = {  // composer text, reason, message
        {"T:Tempo=0:", Reason::BadTempo, "the tempo must be above 0, not 0"},
        {"T:Tempo=-60:4- 4-", Reason::BadTempo, "the tempo must be above 0, not -60"},
        {"T:Tempo=fast:4c1 4c1", Reason::BadTempo, "the tempo 'fast' is not a number"},
        {"T:Tempo=40000:4c1 4c1", Reason::BadTempo, "the tempo 40000 is out of range"},
        {"T:Tempo=120:4c1 0c1", Reason::BadNote, "note 2: Division by zero"},
        // At tempo 32767 a quarter c still makes one cycle, a 32nd none.
        {"T:Tempo=32767:4c1 32c1", Reason::TooShort,
         "note 2: a tone of 523 Hz lasting 0.000228889 s is too short to sound"},
        {sixteen, Reason::TooLong, "the sound is too long"}};
    TempDir folder;
    const std::string path = folder / "tone.wav";
    tw::test::WriteBytes(path, "old");
    for (const auto& [ringtone, reason, message] : cases) {
        for (const char* function : {"SAVE", "PLAY"}) {
            SCOPED_TRACE(ringtone + " " + function);
            tw::FakePlayer player;
            ExpectSoundError([&, r = ringtone] { tw::WAV(Ringtone(r), function, path, player); }, reason, message);
            EXPECT_TRUE(player.Calls().empty());  // not even started
        }
    }
    EXPECT_EQ(tw::test::ReadBytes(path), "old");
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::string>{"tone.wav"});
}

}  // namespace
}  // namespace twtest

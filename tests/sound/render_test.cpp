#include <sys/stat.h>

#include <tuple>

#include "sound/cwave.h"
#include "sound/render.h"
#include "sound_test_support.h"
#include "support/fake_player.h"

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
    const std::pair<const char*, std::size_t> cases[] = {
        // samples with the start sample and each tone's gap
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

// The samples of a rendered ringtone, without the WAV header.
std::vector<std::int16_t> Samples(const Bytes& image) {
    std::vector<std::int16_t> samples;
    for (std::size_t at = 44; at + 1 < image.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(image[at] | image[at + 1] << 8));
    return samples;
}

// An RTTTL a4 lasting one second sounds at 440 Hz: 440 cycles, each starting
// where the wave rises through zero. A c8 (4184 Hz) is more than 8000 samples
// a second can carry: one second of silence, not an aliased tone.
TEST(RenderPitch, OctaveFourSoundsAtItsPitchAndTooHighNotesAreSilent) {
    tw::CNotes notes;
    notes.SetFull_RTTTL("T:d=4,o=4,b=60:a");
    const std::vector<std::int16_t> tone = Samples(tw::RenderWave(notes));
    int cycles = 0;
    for (std::size_t i = 1; i < tone.size(); ++i) cycles += tone[i - 1] <= 0 && tone[i] > 0;
    EXPECT_EQ(cycles, 440);
    notes.SetFull_RTTTL("T:d=4,o=8,b=60:c");
    const std::vector<std::int16_t> silence = Samples(tw::RenderWave(notes));
    EXPECT_EQ(silence.size(), 1u + 8000);
    EXPECT_EQ(std::count(silence.begin(), silence.end(), 0), 1 + 8000);
}

TEST(RenderFunction, PlayOnlyPlaysSaveOnlySavesKeepingPermissions) {
    TempDir folder;
    const Bytes expected = tw::RenderWave(Short);
    tw::test::WriteBytes(folder / "out-SAVE.wav", "old");
    ASSERT_EQ(::chmod((folder / "out-SAVE.wav").c_str(), 0640), 0);
    for (const bool play : {true, false}) {
        SCOPED_TRACE(play);
        tw::FakePlayer player;
        if (play) tw::PlayWave(Short, player);
        else tw::SaveWave(Short, folder / "out-SAVE.wav", player);
        EXPECT_EQ(player.Played(), play ? std::vector<Bytes>{expected} : std::vector<Bytes>{});
        EXPECT_EQ(player.Calls().front(), "stop");  // Start silences the player first
    }
    EXPECT_EQ(FileBytes(folder / "out-SAVE.wav"), expected);
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::string>{"out-SAVE.wav"});  // no temporary file left
    struct stat info {};
    ASSERT_EQ(::stat((folder / "out-SAVE.wav").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    tw::FakePlayer player;  // a file that cannot be replaced
    ExpectSoundError([&] { tw::SaveWave(Short, folder / "missing" / "x.wav", player); }, Reason::WriteFailed);
}

TEST(RenderRefusal, FailsBeforeAnySoundOrFile) {
    std::string sixteen = "T:Tempo=1:1-";  // 16 whole notes of 240 s at tempo 1: 64 minutes
    for (int i = 1; i < 16; ++i) sixteen += " 1-";
    const std::tuple<std::string, Reason, std::string> cases[] = {
        // composer text, reason, message
        {"T:Tempo=0:", Reason::BadTempo, "the tempo must be above 0, not 0"},
        {"T:Tempo=-60:4- 4-", Reason::BadTempo, "the tempo must be above 0, not -60"},
        {"T:Tempo=fast:4c1 4c1", Reason::BadTempo, "the tempo 'fast' is not a number"},
        {"T:Tempo=40000:4c1 4c1", Reason::BadTempo, "the tempo 40000 is out of range"},
        {"T:Tempo=120:4c1 0c1", Reason::BadNote, "note 2, 0c1: a note without a length"},
        // At tempo 32767 a quarter c still makes one cycle, a 32nd none.
        {"T:Tempo=32767:4c1 32c1", Reason::TooShort,
         "note 2: a tone of 523 Hz lasting 0.000228889 s is too short to sound"},
        {sixteen, Reason::TooLong, "the sound is too long"}};
    TempDir folder;
    const std::string path = folder / "tone.wav";
    tw::test::WriteBytes(path, "old");
    for (const auto& [ringtone, reason, message] : cases) {
        for (const bool play : {false, true}) {
            SCOPED_TRACE(ringtone + (play ? " play" : " save"));
            tw::FakePlayer player;
            ExpectSoundError(
                [&, r = ringtone] {
                    play ? tw::PlayWave(Ringtone(r), player) : tw::SaveWave(Ringtone(r), path, player);
                },
                reason, message);
            EXPECT_TRUE(player.Calls().empty());  // not even started
        }
    }
    EXPECT_EQ(tw::test::ReadBytes(path), "old");
    EXPECT_EQ(FilesIn(folder.path()), std::set<std::string>{"tone.wav"});
}

}  // namespace
}  // namespace twtest

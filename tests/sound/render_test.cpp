#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "cwave.h"
#include "fake_player.h"
#include "render.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

tw::CNotes Ringtone(std::string_view text, tw::Notation notation = tw::Notation::Composer) {
    tw::CNotes notes;
    notes.SetOutputSeparator(" ");
    notes.SetFull(notation, text);
    return notes;
}

std::size_t SamplesOf(const Bytes& image) { return (image.size() - 44) / 2; }

struct TimingCase {
    const char* ringtone;
    std::size_t samples;  // with the start sample and each tone's 36-sample gap
};

TEST(RenderTiming, AWholeNoteLasts240OverTempoSecondsForTonesAndPauses) {
    // Each ringtone holds its note twice: a lone note has no separator to find.
    const TimingCase cases[] = {
        {"T:Tempo=120:4c1 4c1", 1 + 2 * (4008 + 36)},    // 0.5 s: 261.5 cycles go to 262
        {"T:Tempo=60:4c1 4c1", 1 + 2 * (8000 + 36)},     // 1 s: 523 cycles
        {"T:Tempo=100:4c1 4c1", 1 + 2 * (4803 + 36)},    // 0.6 s: 314 cycles
        {"T:Tempo=120:4- 4-", 1 + 2 * 4000},             // pauses follow the tempo too
        {"T:Tempo=60:4- 4-", 1 + 2 * 8000},
        {"T:Tempo=120:4.c1 4.c1", 1 + 2 * (5996 + 36)},  // dotted: 1.5 quarters, 0.75 s
        {"T:Tempo=120:4C1 4C1", 1 + 2 * (4008 + 36)},    // the letter's case does not matter
        {"T:Tempo=120.5:4c1 4c1", 1 + 2 * (4008 + 36)},  // the tempo rounds half to even
        {"T:Tempo=120:", 1},                             // no notes: one silent sample
        {"T:Tempo=120:4c1 8- 2d1", 1 + 4008 + 36 + 2000 + 8000 + 36},
    };
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.ringtone);
        EXPECT_EQ(SamplesOf(tw::RenderWave(Ringtone(c.ringtone))), c.samples);
    }
}

TEST(RenderTiming, NotesGoToTheSynthesiserInOrder) {
    tw::NullPlayer silent;
    tw::CWave wave(silent);
    wave.Start();
    wave.AddNote(523, 0.5);
    wave.AddPause(0.25);
    wave.AddNote(587, 1.0);
    EXPECT_EQ(tw::RenderWave(Ringtone("T:Tempo=120:4c1 8- 2d1")), wave.WaveImage());
}

TEST(RenderFunction, PlaySavesNothingAndSaveNothingElse) {
    TempFolder folder;
    const tw::CNotes notes = Ringtone("T:Tempo=120:8c1 8e1");
    const Bytes expected = tw::RenderWave(notes);
    struct {
        const char* function;
        bool plays;
        bool saves;
    } const cases[] = {{"PLAY", true, false}, {"SAVE", false, true}, {"play", false, false}, {"Save", false, false},
                       {"", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        tw::FakePlayer player;
        const std::string path = folder.File(std::string("out-") + c.function + ".wav");
        tw::WAV(notes, c.function, path, player);
        const auto played = player.Played();
        EXPECT_EQ(played.size(), c.plays ? 1u : 0u);
        if (c.plays) EXPECT_EQ(played[0], expected);
        EXPECT_EQ(std::filesystem::exists(path), c.saves);
        if (c.saves) EXPECT_EQ(ReadBytes(path), expected);
        EXPECT_EQ(player.Calls().front(), "stop");  // Start silences the player first
    }
}

struct RefusalCase {
    const char* name;
    const char* ringtone;  // composer text
    const char* tempo;     // set over the header's tempo when not null
    Reason reason;
    const char* text;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RenderRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RenderRefusal, FailsBeforeAnySoundOrFile) {
    const RefusalCase& c = GetParam();
    tw::CNotes notes = Ringtone(c.ringtone);
    if (c.tempo != nullptr) notes.SetTempo(c.tempo);
    TempFolder folder;
    const std::string path = folder.File("tone.wav");
    {
        std::ofstream old(path);
        old << "a good old file";
    }
    for (const char* function : {"SAVE", "PLAY"}) {
        SCOPED_TRACE(function);
        tw::FakePlayer player;
        ExpectSoundError([&] { tw::WAV(notes, function, path, player); }, c.reason, c.text);
        EXPECT_TRUE(player.Calls().empty());  // not even started
    }
    EXPECT_EQ(ReadBytes(path), Bytes({'a', ' ', 'g', 'o', 'o', 'd', ' ', 'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'}));
    EXPECT_EQ(folder.Entries().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Render, RenderRefusal,
    ::testing::Values(
        RefusalCase{"TempoZero", "T:Tempo=0:4c1 4c1", nullptr, Reason::BadTempo, "the tempo must be above 0, not 0"},
        RefusalCase{"TempoZeroWithoutNotes", "T:Tempo=0:", nullptr, Reason::BadTempo,
                    "the tempo must be above 0, not 0"},
        RefusalCase{"TempoNegative", "T:Tempo=120:4- 4-", "-60", Reason::BadTempo, "the tempo must be above 0, not -60"},
        RefusalCase{"TempoNotANumber", "T:Tempo=120:4c1 4c1", "fast", Reason::BadTempo,
                    "the tempo 'fast' is not a number"},
        RefusalCase{"TempoTooBig", "T:Tempo=120:4c1 4c1", "40000", Reason::BadTempo, "the tempo 40000 is out of range"},
        RefusalCase{"DurationZero", "T:Tempo=120:4c1 0c1", nullptr, Reason::BadNote, "note 2: Division by zero"},
        RefusalCase{"DurationNegative", "T:Tempo=120:-4c1 4c1", nullptr, Reason::BadNote,
                    "note 1: a tone needs a length above 0 seconds, not -0.5"},
        RefusalCase{"PauseNegative", "T:Tempo=120:-4- 4-", nullptr, Reason::BadNote,
                    "note 1: a pause needs a length above 0 seconds, not -0.5"},
        // At tempo 32767 a quarter c still makes one cycle, a 32nd none.
        RefusalCase{"ToneWithoutAWholeCycle", "T:Tempo=32767:4c1 32c1", nullptr, Reason::TooShort,
                    "note 2: a tone of 523 Hz lasting 0.000228889 s is too short to sound"},
        RefusalCase{"PauseWithoutAWholePeriod", "T:Tempo=32767:4- 32-", nullptr, Reason::TooShort,
                    "note 2: a pause of 0.000228889 s is too short to sound"},
        // 16 whole notes of 240 s at tempo 1: 64 minutes.
        RefusalCase{"LongerThanAnHour", "T:Tempo=1:1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1- 1-", nullptr,
                    Reason::TooLong, "the sound is too long"},
        RefusalCase{"TonesLongerThanAnHour", "T:Tempo=1:1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1 1c1",
                    nullptr, Reason::TooLong, "the sound is too long"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(RenderSave, ReplacesTheFileAndKeepsItsPermissions) {
    TempFolder folder;
    const std::string path = folder.File("tone.wav");
    {
        std::ofstream old(path);
        old << "old";
    }
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    tw::FakePlayer player;
    const tw::CNotes notes = Ringtone("T:Tempo=120:8c1 8d1");
    tw::WAV(notes, "SAVE", path, player);
    EXPECT_EQ(ReadBytes(path), tw::RenderWave(notes));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"tone.wav"});
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(RenderSave, AFolderInTheWayIsLeftAloneAndNoTemporaryRemains) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("tone.wav"));
    tw::FakePlayer player;
    ExpectSoundError([&] { tw::WAV(Ringtone("T:Tempo=120:8c1 8d1"), "SAVE", folder.File("tone.wav"), player); },
                     Reason::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("tone.wav")));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"tone.wav"});
}

TEST(RenderPlay, ReturnsOnlyWhenTheSoundHasEnded) {
    tw::FakePlayer player;
    player.SetHold(true);
    const tw::CNotes notes = Ringtone("T:Tempo=120:8c1 8d1");
    std::atomic<bool> returned = false;
    std::thread play([&] {
        tw::WAV(notes, "PLAY", "", player);
        returned = true;
    });
    player.WaitUntilPlaying();
    EXPECT_FALSE(returned);
    player.Release();
    play.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(player.Calls(), (std::vector<std::string>{"stop", "play", "ended"}));
}

TEST(RenderPlay, StoppingEndsThePlayUnderWay) {
    tw::FakePlayer player;
    player.SetHold(true);
    const tw::CNotes notes = Ringtone("T:Tempo=120:8c1 8d1");
    std::thread play([&] { tw::WAV(notes, "PLAY", "", player); });
    player.WaitUntilPlaying();
    player.Stop();
    play.join();
    EXPECT_EQ(player.Calls(), (std::vector<std::string>{"stop", "play", "stop", "stopped"}));
}

TEST(RenderPlay, APlayerFailureReachesTheCaller) {
    tw::FakePlayer player;
    player.FailWith("no sound output device is available");
    ExpectSoundError([&] { tw::WAV(Ringtone("T:Tempo=120:8c1 8d1"), "PLAY", "", player); }, Reason::PlayFailed,
                     "no sound output device is available");
}

}  // namespace
}  // namespace twtest

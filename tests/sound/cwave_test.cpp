#include <cmath>
#include <limits>

#include "cwave.h"
#include "fake_player.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

class CWaveTest : public ::testing::Test {
protected:
    CWaveTest() : wave(player) { wave.Start(); }

    Bytes Image() { return wave.WaveImage(); }

    tw::FakePlayer player;
    tw::CWave wave;
};

TEST_F(CWaveTest, EmptySoundIsTheFortySixByteImage) {
    const Bytes expected = {0x52, 0x49, 0x46, 0x46, 0x26, 0x00, 0x00, 0x00, 0x57, 0x41, 0x56, 0x45, 0x66, 0x6D, 0x74, 0x20,
                            0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x40, 0x1F, 0x00, 0x00, 0x80, 0x3E, 0x00, 0x00,
                            0x02, 0x00, 0x10, 0x00, 0x64, 0x61, 0x74, 0x61, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Image(), expected);

    TempFolder folder;
    wave.SetFilename(folder.File("empty.wav"));
    wave.Save();
    EXPECT_EQ(ReadBytes(folder.File("empty.wav")), expected);
    wave.Play();
    ASSERT_EQ(player.Played().size(), 1u);
    EXPECT_EQ(player.Played()[0], expected);
}

TEST_F(CWaveTest, Tone880HzGivesTheKnownSamplesAndSizes) {
    wave.AddNote(880, 0.375);
    const std::vector<std::int16_t>& s = wave.SampleData();
    ASSERT_EQ(s.size(), 3037u);
    EXPECT_EQ(wave.SampleCount(), 3036);
    const std::vector<std::int16_t> first(s.begin(), s.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::int16_t>{0, 0, 19123, 29469, 26289}));
    EXPECT_EQ(s[2999], -29469);
    EXPECT_EQ(s[3000], -19123);
    for (std::size_t i = 3001; i < s.size(); ++i) EXPECT_EQ(s[i], 0) << "gap sample " << i;

    const Bytes image = Image();
    EXPECT_EQ(image.size(), 6118u);
    EXPECT_EQ(U32At(image, 4), 6110u);
    EXPECT_EQ(U32At(image, 40), 6074u);
    EXPECT_EQ(SampleAt(image, 2), 19123);
    EXPECT_EQ(SampleAt(image, 3000), -19123);
}

struct CountCase {
    double frequency;  // 0 for a pause
    double seconds;
    std::size_t samples;  // added, a tone's gap included
};

TEST_F(CWaveTest, TonesAndPausesAddWholeCycles) {
    const CountCase cases[] = {
        {523, 0.375, 2998 + 36},  // 196 cycles
        {1000, 0.0025, 16 + 36},  // 2.5 cycles go to 2
        {0, 0.25, 2000},          // 110 periods of 440 Hz
        {0, 0.125, 1000},
        {0, 0.03125, 255},  // 14 periods, 254.55 samples
        {0, 0.005, 36},     // the gap after a tone
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz, " << c.seconds << " s");
        wave.Start();
        if (c.frequency == 0) wave.AddPause(c.seconds);
        else wave.AddNote(c.frequency, c.seconds);
        EXPECT_EQ(wave.SampleData().size(), 1 + c.samples);
        EXPECT_EQ(static_cast<std::size_t>(wave.SampleCount()), c.samples);
    }
}

TEST_F(CWaveTest, TwoAndAHalfCyclesMakeTwoWholeSinePeriods) {
    wave.AddNote(1000, 0.0025);
    const std::vector<std::int16_t> tone(wave.SampleData().begin() + 1, wave.SampleData().begin() + 17);
    EXPECT_EQ(tone, (std::vector<std::int16_t>{0, 21213, 30000, 21213, 0, -21213, -30000, -21213, 0, 21213, 30000,
                                               21213, 0, -21213, -30000, -21213}));
    const Bytes image = Image();
    EXPECT_EQ(image[44 + 2 * 7], 0xD0);  // -30000, low byte first
    EXPECT_EQ(image[45 + 2 * 7], 0x8A);
}

TEST_F(CWaveTest, EachBuildTakesTheWholeStore) {
    wave.AddNote(880, 0.1);
    wave.Play();
    wave.Play();
    wave.AddPause(0.25);
    wave.Play();
    const auto played = player.Played();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0], played[1]);
    EXPECT_EQ(played[2].size(), played[1].size() + 2 * 2000);
    EXPECT_TRUE(std::equal(played[1].begin() + 44, played[1].end(), played[2].begin() + 44));
}

TEST_F(CWaveTest, StartStopsThePlayerAndDiscardsTheSamples) {
    wave.AddNote(880, 0.375);
    wave.Start();
    EXPECT_EQ(wave.SampleData(), std::vector<std::int16_t>{0});
    EXPECT_EQ(player.Calls(), (std::vector<std::string>{"stop", "stop"}));
}

TEST_F(CWaveTest, RateFieldsAndCountsFollowTheSampleRate) {
    wave.SetSampleRate(11025);
    wave.AddPause(0.25);  // 110 periods: 2756.25 samples
    const Bytes image = Image();
    EXPECT_EQ(U32At(image, 24), 11025u);
    EXPECT_EQ(U32At(image, 28), 22050u);
    EXPECT_EQ(image[32], 2);  // block alignment and bits stay fixed
    EXPECT_EQ(image[34], 16);
    EXPECT_EQ(U32At(image, 40), 2u * (1 + 2756));
}

TEST_F(CWaveTest, SlowToneStaysInsideItsOwnRoom) {
    // 8 Hz: the phase step is below the loop's margin, so the loop ends one
    // sample early; the note still takes exactly its count.
    wave.AddNote(8, 0.5);
    const std::vector<std::int16_t>& s = wave.SampleData();
    ASSERT_EQ(s.size(), 1u + 4000 + 36);
    EXPECT_NE(s[3999], 0);
    EXPECT_EQ(s[4000], 0);
    EXPECT_EQ(wave.SampleCount(), 4036);
}

struct FailureCase {
    const char* name;
    bool pause;
    double frequency;
    double seconds;
    Reason reason;
};

TEST_F(CWaveTest, UnsoundableNotesFailAndAddNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FailureCase cases[] = {
        {"zero frequency", false, 0, 1, Reason::BadNote},
        {"negative frequency", false, -440, 1, Reason::BadNote},
        {"NaN frequency", false, nan, 1, Reason::BadNote},
        {"infinite frequency", false, inf, 1, Reason::BadNote},
        {"zero length", false, 440, 0, Reason::BadNote},
        {"negative length", false, 440, -0.25, Reason::BadNote},
        {"NaN length", false, 440, nan, Reason::BadNote},
        {"half a cycle", false, 100, 0.005, Reason::TooShort},
        {"tone over an hour", false, 440, 3601, Reason::TooLong},
        {"zero pause", true, 0, 0, Reason::BadNote},
        {"infinite pause", true, 0, inf, Reason::BadNote},
        {"pause of half a period", true, 0, 1.0 / 880, Reason::TooShort},
        {"pause over an hour", true, 0, 3600.1, Reason::TooLong},
    };
    wave.AddNote(880, 0.1);
    const std::vector<std::int16_t> before = wave.SampleData();
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSoundError(
            [&] {
                if (c.pause) wave.AddPause(c.seconds);
                else wave.AddNote(c.frequency, c.seconds);
            },
            c.reason);
        EXPECT_EQ(wave.SampleData(), before);
        EXPECT_EQ(static_cast<std::size_t>(wave.SampleCount()), before.size() - 1);
    }
}

TEST_F(CWaveTest, GrowthPastAnHourIsRefusedBeforeAnySample) {
    ExpectSoundError([&] { wave.Reserve(tw::MaxSoundSamples + 1); }, Reason::TooLong, "the sound is too long");
    wave.AddPause(1800);  // half an hour: 14.4 million samples
    ExpectSoundError([&] { wave.AddPause(1800.1); }, Reason::TooLong, "the sound is too long");
    EXPECT_EQ(wave.SampleData().size(), 1u + 14'400'000);
}

}  // namespace
}  // namespace twtest

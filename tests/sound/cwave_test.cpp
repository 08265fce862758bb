#include <limits>

#include "sound/cwave.h"
#include "sound/wave_layout.h"
#include "sound_test_support.h"

namespace twtest {
namespace {

using Samples = std::vector<std::int16_t>;

class CWaveTest : public ::testing::Test {
protected:
    CWaveTest() : wave(player) { wave.Start(); }

    Samples Part(std::size_t from, std::size_t count) const {
        return {wave.SampleData().begin() + from, wave.SampleData().begin() + from + count};
    }

    tw::NullPlayer player;
    tw::CWave wave;
};

TEST_F(CWaveTest, TheEmptySoundAndAToneGiveTheKnownImages) {
    EXPECT_EQ(wave.WaveImage(),
              (Bytes{'R',  'I', 'F',  'F', 0x26, 0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't', ' ',
                     0x10, 0,   0,    0,   1,    0,   1,   0,   0x40, 0x1F, 0,   0,   0x80, 0x3E, 0,   0,
                     2,    0,   0x10, 0,   'd',  'a', 't', 'a', 2,    0,    0,   0,   0,    0}));
    wave.AddNote(880, 0.375);
    ASSERT_EQ(wave.SampleData().size(), 3037u);
    EXPECT_EQ(Part(0, 5), (Samples{0, 0, 19123, 29469, 26289}));
    EXPECT_EQ(Part(2999, 2), (Samples{-29469, -19123}));
    EXPECT_EQ(Part(3001, 36), Samples(36, 0));  // the gap
    const Bytes& image = wave.WaveImage();
    EXPECT_EQ(std::tuple(image.size(), U32At(image, 4), U32At(image, 40)), std::tuple(6118u, 6110u, 6074u));
    EXPECT_EQ(Bytes(image.begin() + 48, image.begin() + 50), (Bytes{0xB3, 0x4A}));  // sample 2: 19123
    wave.Start();  // at another rate the rate fields and counts follow
    wave.SetSampleRate(11025);
    wave.AddPause(0.25);  // 110 periods: 2756.25 samples
    EXPECT_EQ(std::tuple(U32At(wave.WaveImage(), 24), U32At(wave.WaveImage(), 28), U32At(wave.WaveImage(), 40)),
              std::tuple(11025u, 22050u, 2u * (1 + 2756)));
}

TEST_F(CWaveTest, TonesAndPausesAddWholeCycles) {
    // Frequency (0 for a pause), seconds, samples added with a tone's 36-sample gap.
    const std::tuple<double, double, std::size_t> cases[] = {
        {523, 0.375, 2998 + 36},  // 196 cycles
        {1000, 0.0025, 16 + 36},  // 2.5 cycles go to 2
        {0, 0.25, 2000},          // 110 periods of 440 Hz
        {0, 0.03125, 255},        // 14 periods, 254.55 samples
        {8, 0.5, 4000 + 36},      // the phase step is below the loop's margin: the loop ends a sample early
    };
    for (const auto& [frequency, seconds, samples] : cases) {
        SCOPED_TRACE(testing::Message() << frequency << " Hz, " << seconds << " s");
        wave.Start();
        frequency == 0 ? wave.AddPause(seconds) : wave.AddNote(frequency, seconds);
        EXPECT_EQ(wave.SampleData().size(), 1 + samples);
        EXPECT_EQ(static_cast<std::size_t>(wave.SampleCount()), samples);
    }
    EXPECT_NE(wave.SampleData()[3999], 0);  // the 8 Hz tone: its last sample stays silent
    EXPECT_EQ(wave.SampleData()[4000], 0);
}

TEST_F(CWaveTest, UnsoundableNotesFailAndAddNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, double, Reason> cases[] = {
        // frequency (0 for a pause), seconds
        {-440, 1, Reason::BadNote},  {nan, 1, Reason::BadNote},        {inf, 1, Reason::BadNote},
        {440, nan, Reason::BadNote}, {100, 0.005, Reason::TooShort},   {440, 3601, Reason::TooLong},
        {0, 0, Reason::BadNote},     {0, 1.0 / 880, Reason::TooShort}, {0, 3600.1, Reason::TooLong}};
    wave.AddNote(880, 0.1);
    const Samples before = wave.SampleData();
    for (const auto& [frequency, seconds, reason] : cases) {
        SCOPED_TRACE(testing::Message() << frequency << " Hz, " << seconds << " s");
        ExpectSoundError([&, f = frequency, s = seconds] { f == 0 ? wave.AddPause(s) : wave.AddNote(f, s); }, reason);
        EXPECT_EQ(wave.SampleData(), before);
    }
    ExpectSoundError([&] { wave.Reserve(tw::MaxSoundSamples + 1); }, Reason::TooLong, "the sound is too long");
    wave.AddPause(1800);  // half an hour, then more than the hour in all
    ExpectSoundError([&] { wave.AddPause(1800.1); }, Reason::TooLong, "the sound is too long");
    EXPECT_EQ(wave.SampleData().size(), before.size() + 14'400'000);
}

TEST_F(CWaveTest, TheLayoutReaderFindsTheSamplesAndRefusesImagesItCannotPlay) {
    wave.AddNote(880, 0.375);
    const Bytes good = wave.WaveImage();
    const tw::WaveLayout layout = tw::ReadWaveLayout(good);
    EXPECT_EQ(std::tuple(layout.sampleRate, layout.dataOffset, layout.dataBytes),
              std::tuple(8000u, std::size_t{44}, std::size_t{6074}));
    // Byte changed and its new value; past the end: the image is cut to `value` bytes. A header cut
    // short, not RIFF, not PCM, stereo, 8-bit, a rate of 0, data past the end.
    const std::pair<std::size_t, std::uint8_t> cases[] = {{1000000, 43}, {0, 'X'}, {20, 3}, {22, 2},
                                                          {34, 8},       {24, 0},  {42, 1}};
    for (const auto& [at, value] : cases) {
        SCOPED_TRACE(at);
        Bytes image = good;
        if (at >= image.size()) image.resize(value);
        else image[at] = image[at == 24 ? 25 : at] = value;  // a rate of 0 clears both of its bytes
        ExpectSoundError([&] { tw::ReadWaveLayout(image); }, Reason::PlayFailed);
    }
}

}  // namespace
}  // namespace twtest

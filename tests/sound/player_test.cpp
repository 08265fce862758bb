#include "cwave.h"
#include "sound_test_support.h"
#include "wave_layout.h"

namespace twtest {
namespace {

Bytes ToneImage() {
    tw::NullPlayer silent;
    tw::CWave wave(silent);
    wave.Start();
    wave.AddNote(880, 0.375);
    return wave.WaveImage();
}

TEST(WaveLayout, FindsTheSamplesOfTheSynthesisersImage) {
    const tw::WaveLayout layout = tw::ReadWaveLayout(ToneImage());
    EXPECT_EQ(layout.sampleRate, 8000u);
    EXPECT_EQ(layout.dataOffset, 44u);
    EXPECT_EQ(layout.dataBytes, 6074u);
    EXPECT_DOUBLE_EQ(layout.Seconds(), 3037.0 / 8000);
}

TEST(WaveLayout, RefusesImagesItCannotPlay) {
    const Bytes good = ToneImage();
    struct {
        const char* name;
        std::size_t at;  // byte changed; past the end: the image is cut there
        std::uint8_t value;
    } const cases[] = {
        {"cut inside the header", 1000000, 43},
        {"not RIFF", 0, 'X'},
        {"not PCM", 20, 3},
        {"stereo", 22, 2},
        {"8-bit", 34, 8},
        {"rate 0", 24, 0},
        {"data past the end", 42, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes image = good;
        if (c.at >= image.size()) image.resize(c.value);
        else {
            image[c.at] = c.value;
            if (c.at == 24) image[25] = 0;
        }
        ExpectSoundError([&] { tw::ReadWaveLayout(image); }, Reason::PlayFailed);
    }
}

}  // namespace
}  // namespace twtest

#include "sound/voice_play.h"

#include <stdlib.h>

#include <cmath>
#include <ostream>

#include "sound/instrument_voice.h"
#include "sound/pcm_wave.h"
#include "sound/render.h"
#include "sound/wave_layout.h"
#include "sound_test_support.h"
#include "support/fake_player.h"
#include "support/pitch_track.h"

namespace twtest {
namespace {

tw::CNotes Rtttl(const std::string& text) {
    tw::CNotes notes;
    notes.SetFull_RTTTL(text);
    return notes;
}

const char* const Tune = "Tune:d=8,o=5,b=140:e,g,a,p,4c6";

// The 16-bit samples of a WAV image, read as the player reads them.
std::vector<std::int16_t> SamplesOf(const Bytes& image) {
    const tw::WaveLayout layout = tw::ReadWaveLayout(image);
    std::vector<std::int16_t> samples;
    for (std::size_t at = layout.dataOffset; at < layout.dataOffset + layout.dataBytes; at += 2)
        samples.push_back(static_cast<std::int16_t>(image[at] | image[at + 1] << 8));
    return samples;
}

struct PcmRow {
    float sample;
    std::int16_t written;
};
void PrintTo(const PcmRow& row, std::ostream* out) { *out << row.sample << " -> " << row.written; }

TEST(PcmWave, SamplesScaledRoundedAndClippedBehindTheHeaderThePlayerReads) {
    const PcmRow rows[] = {{0.0F, 0},       {1.0F, 32767}, {-1.0F, -32767}, {0.5F, 16384},
                           {-0.5F, -16384}, {1.5F, 32767}, {-7.0F, -32767}, {1e-5F, 0}};
    std::vector<float> samples;
    for (const PcmRow& row : rows) samples.push_back(row.sample);
    const Bytes image = tw::PcmWaveImage(samples, 44100);
    EXPECT_EQ(image.size(), 44 + 2 * std::size(rows));
    EXPECT_EQ(U32At(image, 4), image.size() - 8);
    EXPECT_EQ(U32At(image, 28), 2u * 44100);  // bytes a second
    const tw::WaveLayout layout = tw::ReadWaveLayout(image);
    EXPECT_EQ(layout.sampleRate, 44100u);
    const std::vector<std::int16_t> read = SamplesOf(image);
    ASSERT_EQ(read.size(), std::size(rows));
    for (std::size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(read[i], rows[i].written) << testing::PrintToString(rows[i]);
}

TEST(PlayVoice, TheBeepPlaysAsItAlwaysHas) {
    const tw::CNotes notes = Rtttl(Tune);
    tw::FakePlayer before, now;
    tw::PlayWave(notes, before);
    tw::PlayVoice(notes, tw::Voice{}, now);
    EXPECT_EQ(now.Calls(), before.Calls());
    EXPECT_EQ(now.Played(), before.Played());
    EXPECT_EQ(tw::VoiceWaveImage(notes, tw::Voice{}), tw::RenderWave(notes));
}

// An instrument plays at 44.1 kHz what RenderInstrument renders, its loudest
// sample at -1 dBFS, its first note at its pitch; the player is stopped
// first, once the sound is ready.
TEST(PlayVoice, AnInstrumentPlaysItsRenderingAt44100Hz) {
    const tw::CNotes notes = Rtttl(Tune);
    tw::FakePlayer player;
    tw::PlayVoice(notes, tw::Voice{12}, player);
    EXPECT_EQ(player.Calls(), (std::vector<std::string>{"stop", "play", "ended"}));
    ASSERT_EQ(player.Played().size(), 1u);
    const Bytes image = player.Played().front();
    EXPECT_EQ(tw::ReadWaveLayout(image).sampleRate, 44100u);
    const std::vector<std::int16_t> samples = SamplesOf(image);
    const std::size_t rendered = tw::RenderInstrument(notes, 12, 44100).size();
    EXPECT_GE(samples.size(), rendered);  // after a lead-in of at most 50 ms
    EXPECT_LE(samples.size(), rendered + 44100 / 20);
    int peak = 0;
    for (const std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(peak, 32767 * std::pow(10.0, -1.0 / 20), 2);
    std::vector<float> first;  // the e5 (659.26 Hz) from 80 ms to 140 ms
    for (std::size_t i = 3528; i < 6174; ++i) first.push_back(samples[i] / 32768.0F);
    const std::optional<double> pitch = tw::test::PitchOf(first, 44100, 400, 1200);
    ASSERT_TRUE(pitch.has_value());
    EXPECT_NEAR(tw::test::CentsBetween(*pitch, 659.26), 0, 25);
}

TEST(PlayVoice, AnInstrumentThatCannotBeMadeFailsBeforeThePlayerIsTouched) {
    TempDir folder;
    const std::string font = folder / "none.sf2";
    ::setenv("TUNEWRIGHT_SOUNDFONT", font.c_str(), 1);
    tw::FakePlayer player;
    ExpectSoundError([&] { tw::PlayVoice(Rtttl(Tune), tw::Voice{0}, player); }, Reason::MissingLibrary,
                     "the SoundFont that TUNEWRIGHT_SOUNDFONT names, " + font + ", is not a file");
    ::unsetenv("TUNEWRIGHT_SOUNDFONT");
    EXPECT_TRUE(player.Calls().empty());
}

}  // namespace
}  // namespace twtest

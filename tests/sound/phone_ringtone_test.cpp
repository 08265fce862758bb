// The arrangement of a phone ringtone's plays, and the voices' words.
#include "sound/phone_ringtone.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cnotes.h"
#include "engine/ringtone_text.h"
#include "sound/audio_encoder.h"
#include "sound/beep_voice.h"
#include "sound/voice_names.h"
#include "support/pitch_track.h"

namespace {

constexpr int Rate = 44100;
const float Peak = static_cast<float>(std::pow(10.0, -1.0 / 20.0));  // -1 dBFS

struct PlaysCase {
    double period, sound;
    std::optional<int> given;
    double longest;
    int plays;
};

void PrintTo(const PlaysCase& c, std::ostream* os) {
    *os << "plays " << c.period << " s apart, sounding " << c.sound << " s, limit " << c.longest;
}

class PhonePlaysTest : public ::testing::TestWithParam<PlaysCase> {};

TEST_P(PhonePlaysTest, AsManyAsComeNearestTwentyFiveSecondsWithinTheLimit) {
    const PlaysCase& c = GetParam();
    EXPECT_EQ(tw::PhonePlays(c.period, c.sound, c.given, c.longest), c.plays);
}

INSTANTIATE_TEST_SUITE_P(Phone, PhonePlaysTest,
                         ::testing::Values(
                             // 0.025 + 9 * 2.5 + 1.5 = 24.025 s; ten plays would be 26.525 s.
                             PlaysCase{2.5, 1.5, std::nullopt, 0.0, 10}, PlaysCase{2.5, 1.5, std::nullopt, 40.0, 10},
                             // A melody longer than the aim plays once, even past the limit (then refused).
                             PlaysCase{61.0, 60.0, std::nullopt, 40.0, 1}, PlaysCase{13.0, 12.0, std::nullopt, 0.0, 2},
                             // Two plays 35 s apart are past the iPhone's 40 s: one; for Android two.
                             PlaysCase{35.0, 5.0, std::nullopt, 40.0, 1}, PlaysCase{35.0, 5.0, std::nullopt, 0.0, 2},
                             // A given count is kept, whatever the length.
                             PlaysCase{2.5, 1.5, 3, 40.0, 3}, PlaysCase{2.5, 1.5, 30, 40.0, 30},
                             // Nothing between plays and no sound: at most a hundred.
                             PlaysCase{0.0001, 0.0001, std::nullopt, 0.0, 100}));

// A full-scale melody of 0.2 s played twice 0.3 s apart: the lead-in, each
// play's ramps, the silence between, the peak.
TEST(ArrangePlays, LeadsInFadesEachPlayAndPeaksAtMinusOneDbfs) {
    const std::vector<float> melody(Rate / 5, 0.5f);
    const std::size_t period = Rate * 3 / 10;
    const std::vector<float> samples = tw::ArrangePlays(melody, 2, period, Rate);
    const std::size_t lead = 1103, fadeIn = Rate / 100, fadeOut = Rate / 20;  // 25 ms rounded up
    ASSERT_EQ(samples.size(), lead + period + melody.size());
    struct Point {
        std::size_t at;
        float value;
    };
    for (std::size_t play = 0; play < 2; ++play) {
        const std::size_t start = lead + play * period, end = start + melody.size() - 1;
        SCOPED_TRACE("play " + std::to_string(play + 1));
        for (const Point point : {
                 Point{start - 1, 0.0f},               // silence before
                 Point{start, 0.0f},                   // the ramp in starts at nothing
                 Point{start + fadeIn / 2, Peak / 2},  // half way in
                 Point{start + fadeIn, Peak},          // full
                 Point{end - fadeOut, Peak},           // full until the ramp out
                 Point{end - fadeOut / 2, Peak / 2},   // half way out
                 Point{end, 0.0f},                     // and ends at nothing
             })
            EXPECT_NEAR(samples[point.at], point.value, 2e-3) << "sample " << point.at - start << " of the play";
    }
    float loudest = 0.0f;
    for (float sample : samples) loudest = std::max(loudest, std::abs(sample));
    EXPECT_FLOAT_EQ(loudest, Peak);
    for (std::size_t i = 0; i < lead; ++i) ASSERT_EQ(samples[i], 0.0f);
}

// Plays closer than the melody's sound overlap and add up; a silent melody
// stays silent rather than be scaled without bound.
TEST(ArrangePlays, OverlappingPlaysAddUpAndSilenceStaysSilent) {
    const std::vector<float> melody(Rate, 0.25f);
    const std::vector<float> samples = tw::ArrangePlays(melody, 2, Rate / 2, Rate);
    const std::size_t lead = 1103;
    EXPECT_NEAR(samples[lead + Rate / 4], Peak / 2, 1e-4);      // the first play alone
    EXPECT_NEAR(samples[lead + 3 * Rate / 4], Peak, 1e-4);      // both together
    EXPECT_NEAR(samples[lead + 5 * Rate / 4], Peak / 2, 1e-4);  // the second alone
    for (float sample : tw::ArrangePlays(std::vector<float>(Rate, 0.0f), 3, Rate, Rate)) ASSERT_EQ(sample, 0.0f);
}

// At 44.1 kHz the beep's tones keep their true pitch: at 8000 samples a
// second a7 would be more than two semitones sharp.
TEST(RenderBeep, SoundsEachToneAtItsTruePitchFromItsStart) {
    tw::CNotes notes;
    tw::ReadGivenRingtone(notes, tw::Notation::RTTTL, "High:d=8,o=7,b=120:a,p,e,c#6,b");
    const std::vector<float> samples = tw::RenderBeep(notes, Rate);
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(std::ceil(1.25 * Rate)) + 1);
    const struct { double start, hertz; } tones[] = {{0.0, 3520.0}, {0.5, 2637.02}, {0.75, 1108.73}, {1.0, 3951.07}};
    for (const auto& tone : tones) {
        SCOPED_TRACE(tone.hertz);
        const auto first = static_cast<std::size_t>(tone.start * Rate);
        if (first > 0) EXPECT_EQ(samples[first - 1], 0.0f) << "silence before the tone";
        const auto pitch = tw::test::PitchOf(std::span(samples).subspan(first, Rate / 10), Rate, 500.0, 5000.0);
        ASSERT_TRUE(pitch);
        // Within what the tracker makes of periods of a dozen samples.
        EXPECT_NEAR(tw::test::CentsBetween(*pitch, tone.hertz), 0.0, 10.0) << *pitch << " Hz";
    }
    // The pause between is silent.
    for (std::size_t i = Rate / 4; i < Rate / 2; ++i) ASSERT_EQ(samples[i], 0.0f);
}

// The encoder's own glue (the file written in memory, the MPEG-4 writer
// seeking back to fill in sizes) also runs under AddressSanitizer here; the
// files are read back by FFmpeg's programs in the command-line tests.
TEST(AudioEncoder, WritesEachKindWholeAndTheSameSoundAsTheSameBytes) {
    std::optional<tw::AudioEncoder> encoder;
    try {
        encoder.emplace();
    } catch (const std::exception& e) {
        GTEST_SKIP() << e.what();
    }
    std::vector<float> tone(Rate / 2);
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<float>(std::sin(i * 0.0745));
    // Led in and faded, as a phone file's sound is; it peaks at -1 dBFS.
    const std::vector<float> sound = tw::ArrangePlays(tone, 1, tone.size(), Rate);
    const tw::EncodedSound ogg = encoder->Encode(sound, Rate, tw::PhoneFile::Ogg, "Tone");
    ASSERT_GT(ogg.bytes.size(), 1000u);
    EXPECT_EQ(std::string(ogg.bytes.begin(), ogg.bytes.begin() + 4), "OggS");
    const tw::EncodedSound m4r = encoder->Encode(sound, Rate, tw::PhoneFile::M4r, "Tone");
    const std::vector<std::uint8_t>& bytes = m4r.bytes;
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 12), "ftypM4A ");
    // The first box's size, written first, and the whole file's boxes add up.
    std::size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const std::size_t box = (std::size_t{bytes[at]} << 24) | (std::size_t{bytes[at + 1]} << 16) |
                                (std::size_t{bytes[at + 2]} << 8) | bytes[at + 3];
        ASSERT_GE(box, 8u) << "at " << at;
        at += box;
    }
    EXPECT_EQ(at, bytes.size()) << "the boxes cover the file";
    // A smooth tone decodes to about its own peak.
    EXPECT_NEAR(ogg.decodedPeak, Peak, 0.03f);
    EXPECT_NEAR(m4r.decodedPeak, Peak, 0.03f);
    const tw::EncodedSound oggAgain = encoder->Encode(sound, Rate, tw::PhoneFile::Ogg, "Tone");
    const tw::EncodedSound m4rAgain = encoder->Encode(sound, Rate, tw::PhoneFile::M4r, "Tone");
    EXPECT_EQ(oggAgain.bytes, ogg.bytes);
    EXPECT_EQ(m4rAgain.bytes, m4r.bytes);
    EXPECT_EQ(m4rAgain.decodedPeak, m4r.decodedPeak);
}

// A stand-in codec whose decoded sound peaks at `gain` times the samples'
// peak plus `added`: what EncodeWithHeadroom makes of it.
struct HeadroomCase {
    const char* what;
    float gain, added;
    int encodings;
    double decodedDbfs;  // the last encoding's decoded peak
};

void PrintTo(const HeadroomCase& c, std::ostream* os) { *os << c.what; }

class EncodeWithHeadroomTest : public ::testing::TestWithParam<HeadroomCase> {};

TEST_P(EncodeWithHeadroomTest, EncodesAgainUntilTheDecodedSoundIsBelowItsCeiling) {
    const HeadroomCase& c = GetParam();
    std::vector<float> melody(Rate / 10);
    for (std::size_t i = 0; i < melody.size(); ++i) melody[i] = static_cast<float>(std::sin(i * 0.3));
    const std::vector<float> arranged = tw::ArrangePlays(melody, 1, melody.size(), Rate);
    int encodings = 0;
    std::vector<float> last;
    const tw::EncodedSound sound = tw::EncodeWithHeadroom(arranged, [&](std::span<const float> samples) {
        ++encodings;
        last.assign(samples.begin(), samples.end());
        float peak = 0.0f;
        for (float sample : samples) peak = std::max(peak, std::abs(sample));
        return tw::EncodedSound{{static_cast<std::uint8_t>(encodings)}, peak * c.gain + c.added};
    });
    EXPECT_EQ(encodings, c.encodings);
    EXPECT_EQ(sound.bytes, std::vector<std::uint8_t>{static_cast<std::uint8_t>(encodings)}) << "the last file";
    EXPECT_NEAR(20.0 * std::log10(sound.decodedPeak), c.decodedDbfs, 0.01);
    // Scaled as a whole: the shape of the sound is kept.
    ASSERT_EQ(last.size(), arranged.size());
    const float scale = last[arranged.size() / 2] / arranged[arranged.size() / 2];
    for (std::size_t i = 0; i < last.size(); i += 97) ASSERT_NEAR(last[i], arranged[i] * scale, 1e-6f) << i;
    if (encodings == 1) EXPECT_EQ(last, arranged);
}

INSTANTIATE_TEST_SUITE_P(Phone, EncodeWithHeadroomTest,
                         ::testing::Values(
                             // Lossless: encoded once, as arranged, at -1 dBFS.
                             HeadroomCase{"exact", 1.0f, 0.0f, 1, -1.0},
                             // Up to half a dB of ringing is kept.
                             HeadroomCase{"rings 0.45 dB", 1.053f, 0.0f, 1, -0.55},
                             // Past it, once scaled the decoded sound peaks at -1 dBFS again.
                             HeadroomCase{"rings 1.4 dB, past full scale", 1.175f, 0.0f, 2, -1.0},
                             // Ringing that does not scale with the sound: below the ceiling, short of -1 dBFS.
                             HeadroomCase{"rings by a fixed amount", 1.0f, 0.1f, 2, -0.90},
                             // A sound that cannot come down is encoded MostEncodings times.
                             HeadroomCase{"never comes down", 0.0f, 1.2f, tw::MostEncodings, 1.58}));

struct VoiceWordCase {
    std::string word;
    std::optional<tw::Voice> voice;
};

void PrintTo(const VoiceWordCase& c, std::ostream* os) { *os << '\'' << c.word << '\''; }

class VoiceWordTest : public ::testing::TestWithParam<VoiceWordCase> {};

TEST_P(VoiceWordTest, NamesAVoiceOrAGeneralMidiProgramFromOne) {
    EXPECT_EQ(tw::VoiceFromWord(GetParam().word), GetParam().voice);
}

INSTANTIATE_TEST_SUITE_P(Voices, VoiceWordTest,
                         ::testing::Values(VoiceWordCase{"beep", tw::Voice{}}, VoiceWordCase{"BEEP", tw::Voice{}},
                                           VoiceWordCase{"piano", tw::Voice{0}},
                                           VoiceWordCase{"Music-Box", tw::Voice{10}},
                                           VoiceWordCase{"marimba", tw::Voice{12}},
                                           VoiceWordCase{"guitar", tw::Voice{24}}, VoiceWordCase{"1", tw::Voice{0}},
                                           VoiceWordCase{"13", tw::Voice{12}}, VoiceWordCase{"128", tw::Voice{127}},
                                           VoiceWordCase{"0", std::nullopt}, VoiceWordCase{"129", std::nullopt},
                                           VoiceWordCase{"+5", std::nullopt}, VoiceWordCase{"5 ", std::nullopt},
                                           VoiceWordCase{"", std::nullopt}, VoiceWordCase{"music box", std::nullopt},
                                           VoiceWordCase{"organ", std::nullopt}));

TEST(NamedVoices, EachNameReadsBackAndNamesItsVoice) {
    const auto voices = tw::NamedVoices();
    ASSERT_EQ(voices.front(), (std::pair<std::string, tw::Voice>{"beep", tw::Voice{}}));
    for (const auto& [name, voice] : voices) {
        EXPECT_EQ(tw::VoiceFromWord(name), voice) << name;
        EXPECT_EQ(tw::VoiceName(voice), name);
    }
    EXPECT_EQ(tw::VoiceName(tw::Voice{80}), "program 81");
}

}  // namespace

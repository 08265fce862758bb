#include "sound/instrument_voice.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

#include "sound/instrument_notes.h"
#include "sound/sound_font.h"
#include "sound_test_support.h"
#include "support/pitch_track.h"

namespace twtest {
namespace {

using tw::InstrumentNote;

tw::CNotes Rtttl(const std::string& text) {
    tw::CNotes notes;
    notes.SetFull_RTTTL(text);
    return notes;
}

tw::CNotes Composer(const std::string& text) {
    tw::CNotes notes;
    notes.SetOutputSeparator(" ");
    notes.SetFull(tw::Notation::Composer, text);
    return notes;
}

// The text of a MissingLibrary failure.
template <class Fn>
std::string MissingText(Fn&& fn) {
    return tw::test::ExpectError<tw::SoundError>(fn, Reason::MissingLibrary);
}

// --- Timing -----------------------------------------------------------------

struct PlanRow {
    std::string name;
    std::string composer;
    int rate;
    std::vector<InstrumentNote> notes;  // key, first sample, end
    std::int64_t length;
};
void PrintTo(const PlanRow& row, std::ostream* out) { *out << row.name; }

class InstrumentTiming : public ::testing::TestWithParam<PlanRow> {};

TEST_P(InstrumentTiming, NotesAtTheirKeysFromTheirStartToTheirEnd) {
    const PlanRow& row = GetParam();
    const tw::InstrumentPlan plan = tw::PlanInstrumentNotes(Composer(row.composer), row.rate);
    EXPECT_EQ(plan.notes, row.notes);
    EXPECT_EQ(plan.length, row.length);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InstrumentTiming,
    ::testing::Values(
        // At tempo 120 a quarter note lasts half a second; c1 is RTTTL's c5,
        // 523 Hz, key 72.
        PlanRow{"quarters", "T:Tempo=120:4c1 4e1", 44100, {{72, 0, 22050}, {76, 22050, 44100}}, 44100},
        PlanRow{"pauses move the next note and count in the length",
                "T:Tempo=120:4- 4g1 2-",
                44100,
                {{79, 22050, 44100}},
                88200},
        PlanRow{"dotted and other rates", "T:Tempo=60:4.c2 8#a1", 8000, {{84, 0, 12000}, {82, 12000, 16000}}, 16000},
        PlanRow{"octaves beyond the keys move into them", "T:Tempo=120:4c9", 44100, {{120, 0, 22050}}, 22050},
        // A 32nd at tempo 113 lasts 2926.99 samples: every start is the
        // sample nearest its exact time, not the sum of rounded lengths.
        PlanRow{"no drift",
                "T:Tempo=113:32c1 32c1 32c1 32c1",
                44100,
                {{72, 0, 2927}, {72, 2927, 5854}, {72, 5854, 8781}, {72, 8781, 11708}},
                11708},
        PlanRow{"no notes", "T:Tempo=120:", 44100, {}, 0}),
    [](const auto& info) { return "row" + std::to_string(info.index); });

TEST(InstrumentTimingRefusal, AsTheBeepRefuses) {
    std::string hour = "T:Tempo=1:1-";  // sixteen whole notes of 240 s: 64 minutes
    for (int i = 1; i < 16; ++i) hour += " 1-";
    const std::tuple<std::string, Reason, std::string> rows[] = {
        {"T:Tempo=0:4c1", Reason::BadTempo, "the tempo must be above 0, not 0"},
        {"T:Tempo=120:4c1 0c1", Reason::BadNote, "note 2, 0c1: a note without a length"},
        {hour, Reason::TooLong, "the sound is too long"},
    };
    for (const auto& [composer, reason, message] : rows) {
        SCOPED_TRACE(composer);
        ExpectSoundError([&, c = composer] { (void)tw::PlanInstrumentNotes(Composer(c), 44100); }, reason, message);
    }
}

// --- The sound --------------------------------------------------------------

constexpr int Rate = 44100;

// Notes a second apart, each a quarter note followed by a quarter pause, from
// c4 to e6, with their equal-tempered pitches.
const char* const Scale = "Scale:d=4,o=5,b=120:c,p,e,p,g,p,c6,p,a4,p,e6,p,c4";
constexpr double ScaleHertz[] = {523.25, 659.26, 783.99, 1046.50, 440.00, 1318.51, 261.63};

struct VoiceRow {
    std::string name;
    int program;
};
void PrintTo(const VoiceRow& row, std::ostream* out) { *out << row.name << " (program " << row.program << ')'; }

class InstrumentSound : public ::testing::TestWithParam<VoiceRow> {};

// Each note: the pitch of 60 ms of its sound from 30 ms after its start is
// within 25 cents of the note's; the sound grows most within 20 ms of its
// start (looked for from 50 ms before to 50 ms after); and the rendering
// goes on after the last note until the instrument has fallen silent, or
// for at most three seconds.
TEST_P(InstrumentSound, EveryNoteAtItsPitchAndStart) {
    const std::vector<float> sound = tw::RenderInstrument(Rtttl(Scale), GetParam().program, Rate);
    ASSERT_GE(sound.size(), 6.5 * Rate);
    for (std::size_t i = 0; i < std::size(ScaleHertz); ++i) {
        SCOPED_TRACE("note " + std::to_string(i + 1));
        const std::size_t start = i * Rate;
        const double hertz = ScaleHertz[i];
        const std::span<const float> part(sound.data() + start + Rate * 30 / 1000, Rate * 60 / 1000);
        const std::optional<double> pitch = tw::test::PitchOf(part, Rate, hertz / 1.9, hertz * 1.9);
        ASSERT_TRUE(pitch.has_value());
        EXPECT_NEAR(tw::test::CentsBetween(*pitch, hertz), 0.0, 25.0) << *pitch << " Hz";
        const std::size_t from = start >= Rate / 20 ? start - Rate / 20 : 0;
        const std::size_t onset = tw::test::SteepestRise(sound, from, start + Rate / 20, Rate);
        EXPECT_NEAR(static_cast<double>(onset), static_cast<double>(start), Rate * 0.020);
    }
    float peak = 0;
    for (const float sample : sound) peak = std::max(peak, std::abs(sample));
    EXPECT_GT(peak, 0.02F);
    EXPECT_LE(peak, 1.0F);
    const auto quiet = [&](std::size_t from, std::size_t to) {
        float most = 0;
        for (std::size_t s = from; s < to; ++s) most = std::max(most, std::abs(sound[s]));
        return most;
    };
    // The last note ends at 6.5 s; its release is rendered, and ends silent.
    EXPECT_GT(sound.size(), static_cast<std::size_t>(6.5 * Rate));
    EXPECT_LE(sound.size(), static_cast<std::size_t>(9.5 * Rate));
    EXPECT_LT(quiet(sound.size() - Rate / 100, sound.size()), peak / 100);
}

INSTANTIATE_TEST_SUITE_P(Programs, InstrumentSound,
                         ::testing::Values(VoiceRow{"piano", 0}, VoiceRow{"music_box", 10}, VoiceRow{"vibraphone", 11},
                                           VoiceRow{"marimba", 12}, VoiceRow{"guitar", 24},
                                           VoiceRow{"square_lead", 80}),
                         [](const auto& info) { return info.param.name; });

TEST(InstrumentSoundLength, AFinalPauseIsRenderedAndAPianoNoteHeldToItsEnd) {
    // Two seconds of c then three of silence: the file lasts the five.
    const std::vector<float> sound = tw::RenderInstrument(Rtttl("Held:d=1,o=5,b=120:c,p.,"), 0, Rate);
    EXPECT_EQ(sound.size(), 5u * Rate);
    const std::span<const float> late(sound.data() + Rate * 19 / 10, Rate / 10);
    const std::optional<double> pitch = tw::test::PitchOf(late, Rate, 300, 1000);
    ASSERT_TRUE(pitch.has_value());  // still sounding just before its end
    EXPECT_NEAR(tw::test::CentsBetween(*pitch, 523.25), 0.0, 25.0);
}

// --- Failures -----------------------------------------------------------------

struct FailureRow {
    std::string name;
    int program;
    int rate;
    tw::InstrumentSource source;
    Reason reason;
    std::string message;  // the start of the message
};
void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.name; }

class InstrumentFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(InstrumentFailure, IsASoundErrorWithItsReason) {
    const FailureRow& row = GetParam();
    const std::string message = tw::test::ExpectError<tw::SoundError>(
        [&] { (void)tw::RenderInstrument(Rtttl("x:d=4,o=5,b=120:c"), row.program, row.rate, row.source); }, row.reason);
    EXPECT_EQ(message.substr(0, row.message.size()), row.message) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InstrumentFailure,
    ::testing::Values(
        FailureRow{"program_above",
                   128,
                   Rate,
                   {},
                   Reason::NoVoice,
                   "a General MIDI program is a number from 0 to 127, not 128"},
        FailureRow{
            "program_below", -1, Rate, {}, Reason::NoVoice, "a General MIDI program is a number from 0 to 127, not -1"},
        FailureRow{"rate",
                   0,
                   4000,
                   {},
                   Reason::NoVoice,
                   "the instruments are rendered at 8000 to 96000 samples a second, not 4000"},
        FailureRow{"no_library",
                   0,
                   Rate,
                   {"libtunewright-no-synthesiser.so.3", ""},
                   Reason::MissingLibrary,
                   "the instrument voices need the FluidSynth library libtunewright-no-synthesiser.so.3 (Debian "
                   "package libfluidsynth3): it could not be loaded ("}),
    [](const auto& info) { return info.param.name; });

TEST(InstrumentFailure, AFileThatIsNoSoundFontIsNotRead) {
    TempDir folder;
    const std::string font = folder / "broken.sf2";
    tw::test::WriteBytes(font, "RIFF, but no SoundFont");
    ExpectSoundError(
        [&] {
            (void)tw::RenderInstrument(Rtttl("x:d=4,o=5,b=120:c"), 0, Rate, {tw::FluidSynthSoname, font});
        },
        Reason::NoVoice, "the SoundFont " + font + " could not be read");
}

TEST(SoundFontSearch, TheChosenFileElseTheFirstInstalledElseAMessage) {
    TempDir folder;
    const std::string first = folder / "first.sf2";
    const std::string second = folder / "second.sf2";
    const std::string missing = folder / "missing.sf2";
    tw::test::WriteBytes(first, "1");
    tw::test::WriteBytes(second, "2");
    const std::string_view installed[] = {missing, second, first};
    EXPECT_EQ(tw::FindSoundFont(first, installed), first);
    EXPECT_EQ(tw::FindSoundFont(std::nullopt, installed), second);
    EXPECT_EQ(tw::FindSoundFont(std::string(), installed), second);  // an empty variable chooses nothing
    EXPECT_EQ(MissingText([&] { (void)tw::FindSoundFont(missing, installed); }),
              "the SoundFont that TUNEWRIGHT_SOUNDFONT names, " + missing + ", is not a file");
    const std::string folderPath = folder.path().string();
    const std::string_view none[] = {missing, folderPath};  // a folder is no SoundFont
    EXPECT_EQ(MissingText([&] { (void)tw::FindSoundFont(std::nullopt, none); }),
              "the instrument voices need a General MIDI SoundFont and none is installed (looked for " + missing +
                  ", " + folder.path().string() +
                  "; the Debian package timgm6mb-soundfont installs one, or TUNEWRIGHT_SOUNDFONT can name another)");
}

}  // namespace
}  // namespace twtest

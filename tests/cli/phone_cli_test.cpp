// Phone ringtone files (tunewright phone, list phone-all) read back by
// FFmpeg's own ffprobe and ffmpeg: what each file says it is, and every note
// of our own ringtones heard again at its pitch and time.
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli.h"
#include "sound/voice_names.h"
#include "support/cli_run.h"
#include "support/ffmpeg_tools.h"
#include "support/pitch_track.h"
#include "support/program_run.h"
#include "support/rtttl_notes.h"
#include "support/temp_files.h"

namespace {

using tw::test::CliRun;
using tw::test::RunTunewright;
using tw::test::TempDir;

constexpr int Rate = 44100;
// Every file starts with 25 ms of silence.
constexpr double LeadIn = 0.025;

#define SKIP_WITHOUT_FFMPEG()                                                                     \
    if (!tw::test::HaveFfmpegTools())                                                             \
    GTEST_SKIP() << "ffprobe and ffmpeg are not installed (scripts/install-deps installs them); " \
                    "the phone files need an independent reader"

// What a kind of file should say it is.
struct KindFacts {
    std::string word, formatName, codec, profile, brand;
};
const KindFacts Ogg{"ogg", "ogg", "vorbis", "", ""};
const KindFacts M4r{"m4r", "mov,mp4,m4a,3gp,3g2,mj2", "aac", "LC", "M4A "};

struct PhoneFileCase {
    std::string rtttl;
    KindFacts kind;
    std::vector<std::string> options;  // --voice, --repeat, --gap
    std::optional<int> plays;          // as --repeat gives; nothing: 20 to 30 s of plays
    double gapSeconds = 1.0;
    int code = tw::ExitClean;
    bool rings = false;  // an instrument, whose notes ring on after their time
};

std::string Title(const std::string& rtttl) { return rtttl.substr(0, rtttl.find(':')); }

void PrintTo(const PhoneFileCase& c, std::ostream* os) {
    *os << Title(c.rtttl) << " as " << c.kind.word;
    for (const std::string& option : c.options) *os << ' ' << option;
}

const std::string Scale = "Scale:d=8,o=5,b=160:c,d,e,f,g,a,b,c6";
// High notes: at 8000 samples a second a7 is more than two semitones sharp.
const std::string Sharps = "Sharps:d=16,o=6,b=125:c#,d#,f#,g#,a#,8p,4c#7,8e.,32a7,8b7";
// Below the composer's octaves: written with problems, and sounded all the same.
const std::string Low = "Low:d=4,o=4,b=90:c,e,g,8p,2c5";
const std::string Knock = "Knock:d=8,o=5,b=200:e,e,e,p,e,e,4g";
// Notes apart, so that an instrument's note has faded before the next.
const std::string Steps = "Steps:d=8,o=5,b=100:c,p,e,p,g,p,c6,p,a,p,e6,p,4c";

class PhoneFileTest : public ::testing::TestWithParam<PhoneFileCase> {};

// Every play of the melody: each tone starts within 20 ms of its time at its
// pitch within 25 cents; each pause is silent unless an instrument rings
// into it.
void ExpectEveryNote(const std::vector<float>& samples, const std::vector<tw::test::HeardNote>& notes, int plays,
                     double melodySeconds, double gapSeconds, bool rings) {
    const auto at = [](double seconds) { return static_cast<std::size_t>(std::max(0.0, seconds) * Rate); };
    for (int play = 0; play < plays; ++play) {
        const double playStart = LeadIn + play * (melodySeconds + gapSeconds);
        for (const tw::test::HeardNote& note : notes) {
            SCOPED_TRACE("play " + std::to_string(play + 1) + ", note " + note.text);
            const double start = playStart + note.start;
            if (note.hertz == 0.0) {
                float loudest = 0.0f;
                for (std::size_t i = at(start + 0.01); i < at(start + note.seconds - 0.01); ++i)
                    loudest = std::max(loudest, std::abs(samples.at(i)));
                if (!rings) EXPECT_LT(loudest, 0.02f) << "a pause that sounds";
                continue;
            }
            const std::size_t onset = tw::test::SteepestRise(samples, at(start - 0.02), at(start + 0.05), Rate);
            EXPECT_NEAR(static_cast<double>(onset) / Rate, start, 0.020);
            // The pitch once the attack is over, to shortly before the next note.
            const std::size_t from = at(start + std::min(rings ? 0.03 : 0.02, note.seconds / 4));
            const std::size_t count = at(start + note.seconds - 0.008) - from;
            const auto pitch = tw::test::PitchOf(std::span(samples).subspan(from, count), Rate, 150.0, 5000.0);
            ASSERT_TRUE(pitch) << "no pitch heard";
            EXPECT_LT(std::abs(tw::test::CentsBetween(*pitch, note.hertz)), 25.0)
                << "heard " << *pitch << " Hz for " << note.hertz << " Hz";
        }
    }
}

TEST_P(PhoneFileTest, SaysWhatItIsAndSoundsEveryNoteAtItsPitchAndTime) {
    SKIP_WITHOUT_FFMPEG();
    const PhoneFileCase& c = GetParam();
    TempDir folder;
    const std::filesystem::path file = folder / ("tone." + c.kind.word);
    std::vector<std::string> args{"phone", "--to", c.kind.word, "--from", "rtttl", "-o", file.string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = RunTunewright(args, c.rtttl);
    ASSERT_EQ(run.code, c.code) << run.err;

    auto probe = tw::test::Probe(file);
    EXPECT_EQ(probe["format_name"], c.kind.formatName);
    EXPECT_EQ(probe["codec_name"], c.kind.codec);
    if (!c.kind.profile.empty()) EXPECT_EQ(probe["profile"], c.kind.profile);
    if (!c.kind.brand.empty()) EXPECT_EQ(probe["TAG:major_brand"], c.kind.brand);
    EXPECT_EQ(probe["sample_rate"], "44100");
    EXPECT_EQ(probe["channels"], "1");
    EXPECT_EQ(probe["TAG:title"], Title(c.rtttl));

    const std::vector<tw::test::HeardNote> notes = tw::test::NotesOfRtttl(c.rtttl);
    const double melody = notes.back().start + notes.back().seconds;
    const double duration = std::stod(probe["duration"]);
    int plays = c.plays.value_or(0);
    if (!c.plays) {
        EXPECT_GE(duration, 20.0);
        EXPECT_LE(duration, 30.0);
        plays = static_cast<int>(std::lround((duration - LeadIn + c.gapSeconds) / (melody + c.gapSeconds)));
    }
    const double length = LeadIn + plays * melody + (plays - 1) * c.gapSeconds;
    // An instrument's last notes ring on for up to a few seconds.
    EXPECT_GE(duration, length - 0.03);
    EXPECT_LE(duration, length + (c.rings ? 4.0 : 0.03));
    EXPECT_NE(run.err.find(std::to_string(plays) + (plays == 1 ? " play, " : " plays, ")), std::string::npos)
        << run.err;

    const std::vector<float> samples = tw::test::DecodeToPcm(file, Rate);
    ASSERT_NEAR(static_cast<double>(samples.size()) / Rate, duration, 0.03);
    float peak = 0.0f;
    for (float sample : samples) peak = std::max(peak, std::abs(sample));
    // The samples encoded peak at -1 dBFS; where a lossy codec's ringing at
    // the tones' edges takes the decoded sound past -0.5 dBFS, the file is
    // encoded again quieter: a phone never decodes it at full scale.
    EXPECT_GE(20.0 * std::log10(peak), -2.0);
    EXPECT_LE(20.0 * std::log10(peak), -0.5);
    float lead = 0.0f;
    for (std::size_t i = 0; i < static_cast<std::size_t>(LeadIn * Rate) - 100; ++i)
        lead = std::max(lead, std::abs(samples[i]));
    EXPECT_LT(lead, 0.05f) << "the lead-in is silent";
    // The first play fades in over 10 ms: a tenth of the way in, a tenth of the peak.
    float opening = 0.0f;
    const auto first = static_cast<std::size_t>(LeadIn * Rate);
    for (std::size_t i = first; i < first + Rate / 1000; ++i) opening = std::max(opening, std::abs(samples[i]));
    EXPECT_LT(opening, 0.2f * peak) << "no fade in";
    ExpectEveryNote(samples, notes, plays, melody, c.gapSeconds, c.rings);
}

std::vector<PhoneFileCase> PhoneFileCases() {
    std::vector<PhoneFileCase> cases;
    for (const KindFacts& kind : {Ogg, M4r}) {
        cases.push_back({Scale, kind, {}, std::nullopt});
        cases.push_back({Sharps, kind, {"--repeat", "2", "--gap", "250"}, 2, 0.25});
        cases.push_back({Low, kind, {"--repeat=3", "--gap=0", "--voice=beep"}, 3, 0.0, tw::ExitProblems});
        cases.push_back({Knock, kind, {"--repeat", "1"}, 1});
        // The beep's tones start and stop sharply: AAC rang 1.4 dB past their peak here.
        cases.push_back({Sharps, kind, {"--repeat=3", "--gap=0"}, 3, 0.0});
    }
    // Every named instrument, and one by its General MIDI number.
    for (const auto& [name, voice] : tw::NamedVoices()) {
        if (!voice.program) continue;
        for (const KindFacts& kind : {Ogg, M4r})
            cases.push_back(
                {Steps, kind, {"--voice", name, "--repeat", "2", "--gap", "500"}, 2, 0.5, tw::ExitClean, true});
    }
    cases.push_back({Knock, M4r, {"--voice", "13", "--repeat", "2"}, 2, 1.0, tw::ExitClean, true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(OurRingtones, PhoneFileTest, ::testing::ValuesIn(PhoneFileCases()));

// A command line that cannot be followed, or a file that cannot be made.
struct RefusalCase {
    std::vector<std::string> args;  // after "phone", before -o
    std::string input;
    int code;
    std::string error;  // a part of standard error
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class PhoneRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PhoneRefusalTest, EndsWithTheReasonAndWritesNothing) {
    const RefusalCase& c = GetParam();
    TempDir folder;
    std::vector<std::string> args{"phone"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", (folder / "out").string()});
    const CliRun run = RunTunewright(args, c.input);
    EXPECT_EQ(run.code, c.code);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

INSTANTIATE_TEST_SUITE_P(
    Phone, PhoneRefusalTest,
    ::testing::Values(
        RefusalCase{{"--from", "rtttl"}, Scale, tw::ExitUsage, "phone ringtones need --to ogg or m4r"},
        RefusalCase{{"--to", "wav", "--from", "rtttl"}, Scale, tw::ExitUsage, "--to takes ogg or m4r"},
        RefusalCase{{"--to", "ogg"}, Scale, tw::ExitUsage, "phone needs --to, --from and -o"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl", "--voice", "organ"},
                    Scale,
                    tw::ExitUsage,
                    "--voice takes beep, piano, music-box, vibraphone, marimba, guitar, or a General MIDI program 1 "
                    "to 128, not 'organ'"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl", "--voice", "0"}, Scale, tw::ExitUsage, "not '0'"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl", "--repeat", "0"},
                    Scale,
                    tw::ExitUsage,
                    "--repeat takes a whole number from 1 to 100, not '0'"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl", "--repeat", "2x"}, Scale, tw::ExitUsage, "not '2x'"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl", "--gap", "60001"},
                    Scale,
                    tw::ExitUsage,
                    "--gap takes a whole number from 0 to 60000, not '60001'"},
        // The iPhone's 40 s: a given number of plays is refused, with the length.
        RefusalCase{{"--to", "m4r", "--from", "rtttl", "--repeat", "20"},
                    Scale,
                    tw::ExitSound,
                    "error: an iPhone ringtone (AAC in MPEG-4) lasts at most 40 s; this one would last 49 s (20 "
                    "plays of 1.5 s, 1 s apart)"},
        RefusalCase{{"--to", "m4r", "--from", "rtttl"},
                    "Slow:d=1,o=5,b=5:c,e",
                    tw::ExitSound,
                    "lasts at most 40 s; this one would last 96 s (one play of 96 s)"},
        // Just past the limit (the file starts with 25 ms of silence), the
        // length is not rounded down to it.
        RefusalCase{{"--to", "m4r", "--from", "rtttl"},
                    "Forty:d=1,o=5,b=24:c,d,e,f",
                    tw::ExitSound,
                    "lasts at most 40 s; this one would last 40.025 s (one play of 40 s)"},
        // Ten minutes for any phone file, refused before a sample is made.
        RefusalCase{{"--to", "ogg", "--from", "rtttl"},
                    "Slow:d=1,o=5,b=1:c,c,c",
                    tw::ExitSound,
                    "a phone ringtone lasts at most 600 s here; this one would last 720 s (one play of 720 s)"},
        RefusalCase{{"--to", "ogg", "--from", "rtttl"}, "", tw::ExitNothingRead, "error: "}));

TEST(PhoneCommand, WritesToStandardOutputButNotToATerminal) {
    std::istringstream in(Scale);
    std::ostringstream out, err;
    EXPECT_EQ(tw::RunCli({"phone", "--to", "m4r", "--from", "rtttl", "-o", "-"}, in, out, err, true), tw::ExitUsage);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("m4r output is binary"), std::string::npos) << err.str();

    const CliRun run = RunTunewright({"phone", "--to", "ogg", "--from", "rtttl", "--repeat", "1", "-o", "-"}, Scale);
    EXPECT_EQ(run.code, tw::ExitClean);
    EXPECT_EQ(run.out.substr(0, 4), "OggS");
    EXPECT_EQ(run.err, "standard output: 1 play, 1.5 s\n");
}

// The title tag is UTF-8 whether the name was written in UTF-8 or, as older
// files write names, in Latin-1.
TEST(PhoneCommand, TagsTheTitleInUtf8) {
    SKIP_WITHOUT_FFMPEG();
    TempDir folder;
    for (const std::string& name : {std::string("Caf\xc3\xa9 \xc3\x9c"), std::string("Caf\xe9 \xdc")}) {
        for (const KindFacts& kind : {Ogg, M4r}) {
            const std::filesystem::path file = folder / ("t." + kind.word);
            ASSERT_EQ(RunTunewright({"phone", "--to", kind.word, "--from", "rtttl", "--repeat", "1", "-o", file},
                                    name + ":d=4,o=5,b=120:c")
                          .code,
                      tw::ExitClean);
            EXPECT_EQ(tw::test::Probe(file)["TAG:title"], "Caf\xc3\xa9 \xc3\x9c") << kind.word;
        }
    }
}

TEST(PhoneCommand, HelpNamesEveryVoice) {
    const CliRun run = RunTunewright({"--help"});
    for (const auto& [name, voice] : tw::NamedVoices()) EXPECT_NE(run.out.find(name), std::string::npos) << name;
}

// FFmpeg removed (here: broken libraries of every version found first):
// the library that cannot be loaded is named, exit 3, nothing written.
TEST(PhoneCommand, WithoutFfmpegSaysWhatIsMissing) {
    TempDir folder;
    for (const char* library : {"libavutil", "libavcodec", "libavformat"})
        for (int major = 55; major <= 62; ++major)
            tw::test::WriteBytes(folder / (std::string(library) + ".so." + std::to_string(major)), "");
    tw::test::WriteBytes(folder / "in.txt", Scale);
    const std::filesystem::path errors = folder / "err.txt";
    ::setenv("LD_LIBRARY_PATH", folder.path().c_str(), 1);
    const pid_t pid = tw::test::StartProgram(
        TW_TUNEWRIGHT, {"phone", "--to", "ogg", "--from", "rtttl", "-o", (folder / "x.ogg").string()},
        folder / "in.txt", STDOUT_FILENO, errors);
    ::unsetenv("LD_LIBRARY_PATH");
    const tw::test::ProgramRun run = tw::test::FinishProgram(pid, errors);
    EXPECT_EQ(run.status, tw::ExitSound);
    EXPECT_NE(run.err.find("error: FFmpeg's libavutil.so."), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" could not be loaded ("), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("; phone ringtones need FFmpeg's libraries (Debian: libavformat"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "x.ogg"));
}

// A SoundFont removed or replaced: the one line that says so, on a
// standard error of the program's own (the libraries write nothing of their
// own there), exit 3, nothing written.
TEST(PhoneCommand, WithoutASoundFontSaysSoAlone) {
    SKIP_WITHOUT_FFMPEG();
    TempDir folder;
    const std::string text = folder / "text.sf2";
    tw::test::WriteBytes(text, "Not a SoundFont, though it is named as one.\n");
    tw::test::WriteBytes(folder / "in.txt", Scale);
    const std::pair<std::string, std::string> rows[] = {
        {folder / "gone.sf2", "error: the SoundFont that TUNEWRIGHT_SOUNDFONT names, " +
                                  (folder / "gone.sf2").string() + ", is not a file\n"},
        {text, "error: the SoundFont " + text + " could not be read\n"},
    };
    for (const auto& [font, message] : rows) {
        SCOPED_TRACE(font);
        const std::filesystem::path errors = folder / "err.txt";
        ::setenv("TUNEWRIGHT_SOUNDFONT", font.c_str(), 1);
        const pid_t pid = tw::test::StartProgram(
            TW_TUNEWRIGHT,
            {"phone", "--to", "m4r", "--voice", "marimba", "--from", "rtttl", "-o", (folder / "x.m4r").string()},
            folder / "in.txt", STDOUT_FILENO, errors);
        ::unsetenv("TUNEWRIGHT_SOUNDFONT");
        const tw::test::ProgramRun run = tw::test::FinishProgram(pid, errors);
        EXPECT_EQ(run.status, tw::ExitSound);
        EXPECT_EQ(run.err, message);
        EXPECT_FALSE(std::filesystem::exists(folder / "x.m4r"));
    }
}

class PhoneAllTest : public tw::test::FreshHomeTest {};

// One file a ringtone, named and titled after it, with a line of progress
// each; one that cannot be made is reported and the others are written.
TEST_F(PhoneAllTest, WritesOneFileARingtoneAndReportsThoseItCannot) {
    SKIP_WITHOUT_FFMPEG();
    for (const std::string& rtttl : {Knock, Scale, std::string("Long:d=1,o=5,b=12:c,e,g")})
        ASSERT_EQ(RunTunewright({"list", "add", "Mine", "--from", "rtttl"}, rtttl).code, tw::ExitClean);
    const std::filesystem::path out = home / "phones";
    const CliRun run = RunTunewright({"list", "phone-all", "Mine", "--to", "m4r", "--repeat", "1", "-o", out});
    EXPECT_EQ(run.code, tw::ExitProblems);
    EXPECT_EQ(run.err,
              "Generating 'Knock.m4r' (1 of 3)...\n"
              "Generating 'Long.m4r' (2 of 3)...\n"
              "error: An error occurred trying to create " +
                  (out / "Long.m4r").string() +
                  ". [an iPhone ringtone (AAC in MPEG-4) lasts at most 40 s; this one would last 60 s (one play of "
                  "60 s)]\n"
                  "Generating 'Scale.m4r' (3 of 3)...\n");
    EXPECT_EQ(tw::test::FilesIn(out), (std::set<std::string>{"Knock.m4r", "Scale.m4r"}));
    for (const std::string name : {"Knock", "Scale"}) {
        auto probe = tw::test::Probe(out / (name + ".m4r"));
        EXPECT_EQ(probe["TAG:title"], name);
        EXPECT_EQ(probe["codec_name"], "aac");
    }
    EXPECT_EQ(RunTunewright({"list", "phone-all", "Mine", "-o", out}).code, tw::ExitUsage);
    EXPECT_EQ(RunTunewright({"list", "phone-all", "Mine", "--to", "ogg", "--pin", "3", "-o", out}).code, tw::ExitUsage);
}

}  // namespace

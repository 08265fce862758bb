// The Flipper Music Format: files written by hand from the rules the
// Flipper's music player reads by, each read as it plays them; the writer
// against a hand-checked file and what it cannot hold; the published files.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/fmf.h"
#include "handset_file_support.h"
#include "support/published_sample.h"

namespace {

using namespace twtest;
using tw::FileFormat;

std::string File(const std::string& header, const std::string& notes) {
    return "Filetype: Flipper Music Format\nVersion: 0\n" + header + "Notes: " + notes + "\n";
}
const std::string Usual = "BPM: 120\nDuration: 4\nOctave: 5\n";

struct Rule {
    std::string what, file, notes;
    std::string tempo = "120";
};
void PrintTo(const Rule& r, std::ostream* out) { *out << r.what; }

class FmfRules : public ::testing::TestWithParam<Rule> {};

TEST_P(FmfRules, ReadAsThePlayerReads) {
    const tw::CNotes notes = ReadFile(FileFormat::Fmf, GetParam().file);
    EXPECT_EQ(NotesOf(notes), GetParam().notes);
    EXPECT_EQ(notes.Tempo(), GetParam().tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FmfRules,
    ::testing::Values(
        Rule{"as written", File(Usual, "4E6, 8P, 8D#6., 16C7"), "4e6, 8p, 8d#.6, 16c7"},
        Rule{"defaults", File("BPM: 90\nDuration: 8\nOctave: 6\n", "C, 2D, E4"), "8c6, 2d6, 8e4", "90"},
        Rule{"zero is the default", File("BPM: 120\nDuration: 8\nOctave: 6\n", "0C0"), "8c6"},
        Rule{"lower case", File(Usual, "4c, 4p, 4a#4"), "4c5, 4p, 4a#4"},
        Rule{"underscore is a sharp", File(Usual, "4C_5, 4F_"), "4c#5, 4f#5"},
        Rule{"a sharp B is the C above", File(Usual, "4B#5, 4E#5"), "4c6, 4f5"},
        Rule{"durations 1 to 128", File(Usual, "1C, 2C, 32C, 64C, 128C"), "1c5, 2c5, 32c5, 64c5, 128c5"},
        Rule{"octaves 1 to 16", File(Usual, "4C1, 4B16"), "4c1, 4b16"},
        Rule{"octave 0 only from the header", File("BPM: 120\nDuration: 4\nOctave: 0\n", "4A, 4A0"), "4a0, 4a0"},
        Rule{"one dot kept, more the nearest", File(Usual, "4C., 4C.., 4C..., 1C.."), "4c.5, 2c5, 2c5, 1c.5"},
        Rule{"blanks and separators", File(Usual, "  4C ,\t8D,8E  , "), "4c5, 8d5, 8e5"},
        Rule{"what follows a note up to the comma", File(Usual, "4C5xyz, 4D!, 4E"), "4c5, 4d5, 4e5"},
        Rule{"comments, other keys, CR LF",
             "# made by hand\r\nFiletype: Flipper Music Format\r\nVersion: 0\r\nTitle: x\r\nBPM: 90\r\nDuration: "
             "4\r\nOctave: 5\r\nNotes: 4C\r\n",
             "4c5", "90"},
        Rule{"numbers as the player reads them", File("BPM: +090 beats\nDuration: 0x8\nOctave: 05\n", "C"), "8c5",
             "90"},
        Rule{"the character after ':' is taken for its space", File("BPM:120\nDuration: 4\nOctave: 5\n", "C"), "4c5",
             "20"},
        Rule{"a byte order mark", "\xEF\xBB\xBF" + File(Usual, "4C"), "4c5"}));

struct Refusal {
    std::string what, file, because;
};
void PrintTo(const Refusal& r, std::ostream* out) { *out << r.what; }

class FmfRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(FmfRefusals, AreRefusedWithTheirReason) {
    try {
        ReadFile(FileFormat::Fmf, GetParam().file);
        FAIL() << "read";
    } catch (const tw::EngineError& e) {
        EXPECT_EQ(e.reason(), Reason::BadFile);
        EXPECT_NE(std::string(e.what()).find(GetParam().because), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FmfRefusals,
    ::testing::Values(
        Refusal{"no file type", "Version: 0\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: C\n", "no Filetype"},
        Refusal{"another file type", "Filetype: Flipper music format\nVersion: 0\n" + Usual + "Notes: C\n",
                "its Filetype is"},
        Refusal{"another version", "Filetype: Flipper Music Format\nVersion: 1\n" + Usual + "Notes: C\n",
                "its Version is 1"},
        Refusal{"BPM missing", File("Duration: 4\nOctave: 5\n", "C"), "BPM is missing"},
        Refusal{"Duration missing", File("BPM: 120\nOctave: 5\n", "C"), "Duration is missing"},
        Refusal{"Octave missing", File("BPM: 120\nDuration: 4\n", "C"), "Octave is missing"},
        Refusal{"a key in another case", File("bpm: 120\nDuration: 4\nOctave: 5\n", "C"), "BPM is missing"},
        Refusal{"keys out of order", File("Duration: 4\nBPM: 120\nOctave: 5\n", "C"), "Duration is missing"},
        Refusal{"a negative number", File("BPM: -120\nDuration: 4\nOctave: 5\n", "C"), "BPM is missing"},
        Refusal{"no notes line", "Filetype: Flipper Music Format\nVersion: 0\n" + Usual, "no Notes line"},
        Refusal{"empty notes", File(Usual, ""), "no Notes line"},
        Refusal{"blank notes", File(Usual, "   "), "no notes"},
        Refusal{"duration 129", File(Usual, "4C, 129C"), "duration that is not 1 to 128 (note 2"},
        Refusal{"default duration 0", File("BPM: 120\nDuration: 0\nOctave: 5\n", "C"), "not 1 to 128"},
        Refusal{"octave 17", File(Usual, "4C17"), "octave above 16"},
        Refusal{"17 dots", File(Usual, "4C................."), "more than 16 dots"},
        Refusal{"no such letter", File(Usual, "4H"), "no note letter"},
        Refusal{"an empty note", File(Usual, "4C,,4D"), "no note letter"},
        Refusal{"a sharp without a letter", File(Usual, "4#"), "no note letter"}));

// The player sounds semitone 12 x octave + step at 261.63 Hz x 2^((s - 48) / 12);
// the program sounds its own table of pitches, within a few cents of it.
TEST(FmfPitch, IsThePlayersPitch) {
    const tw::CNotes notes = ReadFile(FileFormat::Fmf, File(Usual, "4C4, 4A4, 4F#2, 4B7, 4C#10"));
    const int semitones[] = {48, 57, 30, 95, 121};
    ASSERT_EQ(notes.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const double player = 261.63 * std::pow(2.0, (semitones[i] - 48) / 12.0);
        EXPECT_NEAR(notes.Item(i + 1).SoundFrequency() / player, 1.0, 5e-3) << "note " << i + 1;
    }
}

TEST(FmfName, IsTheFilesNameOrNone) {
    auto named = Ringtone(", ");
    tw::ReadRingtoneAs(named, FileFormat::Fmf, File(Usual, "C"), {tw::OctavePrefixes::UntilNext, "Airwolf"});
    EXPECT_EQ(named.Name(), "Airwolf");
    EXPECT_EQ(ReadFile(FileFormat::Fmf, File(Usual, "C")).Name(), "No name");
}

TEST(FmfWriter, WritesTheHandCheckedFile) {
    const tw::WrittenRingtone written = tw::WriteFmf(ReadRTTTL("Tune:d=4,o=5,b=100:8c,d#6.,p,32a3,64b,128c#16,16p."));
    EXPECT_EQ(written.bytes,
              "Filetype: Flipper Music Format\nVersion: 0\nBPM: 100\nDuration: 4\nOctave: 5\n"
              "Notes: 8C, 4D#6., 4P, 32A3, 64B, 128C#16, 16P.\n");
    EXPECT_TRUE(written.problems.empty());
    EXPECT_TRUE(tw::LooksLikeFmf(written.bytes));
}

struct WriterProblem {
    std::string rtttl, header, notes, problem;
};
void PrintTo(const WriterProblem& p, std::ostream* out) { *out << p.rtttl; }

class FmfWriterProblems : public ::testing::TestWithParam<WriterProblem> {};

TEST_P(FmfWriterProblems, WritesTheNearestAndReportsIt) {
    const tw::WrittenRingtone written = tw::WriteFmf(ReadRTTTL(GetParam().rtttl));
    EXPECT_NE(written.bytes.find(GetParam().header), std::string::npos) << written.bytes;
    EXPECT_NE(written.bytes.find("Notes: " + GetParam().notes + "\n"), std::string::npos) << written.bytes;
    ASSERT_EQ(written.problems.size(), GetParam().problem.empty() ? 0u : 1u);
    if (!GetParam().problem.empty()) EXPECT_EQ(written.problems.front(), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FmfWriterProblems,
    ::testing::Values(WriterProblem{"T:d=4,o=5,b=120:c0,c", "Octave: 0\n", "4C, 4C5", ""},
                      WriterProblem{"T:d=4,o=5,b=120:c17", "Octave: 5\n", "4C16",
                                    "note 1, c17: above the Flipper Music Format's octaves, written in octave 16"},
                      WriterProblem{"T:d=4,o=5,b=120:256c", "BPM: 120\n", "128C",
                                    "note 1, 256c: a length the Flipper Music Format does not have, written as 1/128"},
                      WriterProblem{"T:d=4,o=5,b=40000:c", "BPM: 32767\n", "4C",
                                    "the tempo 40000 is outside 1 to 32767, written as 32767"},
                      WriterProblem{"T:d=4,o=5,b=120:c,x", "BPM: 120\n", "4C", "note 2, x: not a note, left out"}));

TEST(FmfPublished, EveryFileReads) {
    const std::filesystem::path folder = tw::test::PublishedFolder() / "external-sample" / "fmf";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no published .fmf files in " << folder;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".fmf") continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_TRUE(tw::LooksLikeFmf(bytes.str()));
        const tw::CNotes notes = ReadFile(FileFormat::Fmf, bytes.str());
        EXPECT_GT(notes.Count(), 0);
        ++files;
    }
    EXPECT_GT(files, 0u);
}

}  // namespace

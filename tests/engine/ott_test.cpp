// Smart Messaging ringing tones: the writer against bytes laid out by hand
// from the format, the reader against songs of several patterns and loops,
// and each kind of malformed data it refuses.
#include "engine/ott.h"
#include "engine/bit_stream.h"
#include "handset_file_support.h"

namespace {

using namespace twtest;
using tw::FileFormat;

std::string Bytes(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (unsigned b : bytes) text += static_cast<char>(b);
    return text;
}

// "Hi", tempo 125, 8c5, 4.a#6, 16p:
//   00000010                  two command parts
//   0100101 0                 ringing-tone programming, filler
//   0011101 001               sound, basic song
//   0010 01001000 01101001    title of 2: "H" "i"
//   00000001                  one pattern
//   000 00 0000 00000111      pattern header, A, no loop, 7 instructions
//   011 00                    style natural
//   100 01110                 tempo 14: 125
//   010 01                    scale 1: a = 880 (c5 is RTTTL octave 5)
//   001 0001 011 00           note C, 1/8
//   010 10                    scale 2: a = 1760
//   001 1011 010 01           note A#, 1/4, dotted
//   001 0000 100 00           pause, 1/16
//   000000 00000000           filler, command end
// 00000010 01001010 00111010 01001001 00100001 10100100 00000100 00000000
// 00001110 11001000 11100100 10010001 01100010 10001101 10100100 10000100
// 00000000 00000000
const std::string Golden =
    Bytes({0x02, 0x4A, 0x3A, 0x49, 0x21, 0xA4, 0x04, 0x00, 0x0E, 0xC8, 0xE4, 0x91, 0x62, 0x8D, 0xA4, 0x84, 0x00, 0x00});

TEST(OttWriter, WritesTheHandCheckedBytes) {
    const tw::WrittenRingtone written = tw::WriteOtt(ReadRTTTL("Hi:d=4,o=5,b=125:8c5,4a#.6,16p"));
    EXPECT_EQ(written.bytes, Golden);
    EXPECT_TRUE(written.problems.empty());
}

TEST(OttReader, ReadsTheHandCheckedBytes) {
    const tw::CNotes notes = ReadFile(FileFormat::Ott, Golden);
    EXPECT_EQ(notes.Name(), "Hi");
    EXPECT_EQ(notes.Tempo(), "125");
    EXPECT_EQ(NotesOf(notes), "8c5, 4a#.6, 16p");
}

struct WriterProblem {
    std::string rtttl, problem;
};
void PrintTo(const WriterProblem& p, std::ostream* out) { *out << p.rtttl; }

class OttWriterProblems : public ::testing::TestWithParam<WriterProblem> {};

TEST_P(OttWriterProblems, AreReported) {
    const tw::WrittenRingtone written = tw::WriteOtt(ReadRTTTL(GetParam().rtttl));
    ASSERT_EQ(written.problems.size(), 1u);
    EXPECT_EQ(written.problems.front(), GetParam().problem);
    EXPECT_NO_THROW(ReadFile(FileFormat::Ott, written.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OttWriterProblems,
    ::testing::Values(
        WriterProblem{"T:d=4,o=5,b=120:c", "the tempo 120 is not one a ringing tone has, written as 125"},
        WriterProblem{"A very long name indeed:d=4,o=5,b=125:c",
                      "the name is longer than the 15 characters a ringing tone holds, cut after 15"},
        WriterProblem{"T:d=4,o=5,b=125:c8",
                      "note 1, c8: above the four scales of a ringing tone, written in the highest (a = 3520 Hz)"},
        WriterProblem{"T:d=4,o=5,b=125:c3",
                      "note 1, c3: below the four scales of a ringing tone, written in the lowest (a = 440 Hz)"},
        WriterProblem{"T:d=4,o=5,b=125:5c",
                      "note 1, 5c: a length a ringing tone does not have, written as dotted 1/8"}));

TEST(OttWriter, RefusesMoreThanOnePatternHolds) {
    std::string rtttl = "T:d=4,o=5,b=125:c";
    for (int i = 0; i < 253; ++i) rtttl += ",c";  // 254 notes, style and tempo: 257 instructions
    const std::string message = ExpectEngineError([&] { tw::WriteOtt(ReadRTTTL(rtttl)); }, Reason::CannotWrite);
    EXPECT_NE(message.find("257 instructions"), std::string::npos) << message;
    rtttl.resize(rtttl.size() - 4);  // 252 notes: one scale, 255 instructions
    EXPECT_NO_THROW(tw::WriteOtt(ReadRTTTL(rtttl)));
}

// Builds a message as a phone or a collection might lay it out.
class Song {
public:
    explicit Song(unsigned patterns, std::string_view title = "", bool unicode = false) {
        bits_.Put(unicode ? 3 : 2, 8);
        bits_.Put(0x25, 7);
        bits_.Align();
        if (unicode) {
            bits_.Put(0x22, 7);
            bits_.Align();
        }
        bits_.Put(0x1D, 7);
        bits_.Put(1, 3);
        bits_.Put(static_cast<unsigned>(title.size()), 4);
        for (char c : title) bits_.Put(static_cast<unsigned char>(c), unicode ? 16 : 8);
        bits_.Put(patterns, 8);
    }
    Song& Pattern(unsigned id, unsigned loop, unsigned count) {
        return Put(0, 3).Put(id, 2).Put(loop, 4).Put(count, 8);
    }
    Song& Note(unsigned value, unsigned duration = 2, unsigned specifier = 0) {
        return Put(1, 3).Put(value, 4).Put(duration, 3).Put(specifier, 2);
    }
    Song& Put(unsigned value, unsigned bits) {
        bits_.Put(value, bits);
        return *this;
    }
    std::string Bytes() const { return bits_.Bytes(); }

private:
    tw::BitWriter bits_;
};

struct Variant {
    std::string what, bytes, notes;
    std::string tempo = "63";
};
void PrintTo(const Variant& v, std::ostream* out) { *out << v.what; }

class OttVariants : public ::testing::TestWithParam<Variant> {};

TEST_P(OttVariants, ReadsTheNotes) {
    const tw::CNotes notes = ReadFile(FileFormat::Ott, GetParam().bytes);
    EXPECT_EQ(NotesOf(notes), GetParam().notes);
    EXPECT_EQ(notes.Tempo(), GetParam().tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OttVariants,
    ::testing::Values(
        Variant{"defaults: scale a = 880, tempo 63", Song(1).Pattern(0, 0, 1).Note(1).Bytes(), "4c5"},
        Variant{"loop of 2: played three times", Song(1).Pattern(0, 2, 2).Note(1).Note(0, 3).Bytes(),
                "4c5, 8p, 4c5, 8p, 4c5, 8p"},
        Variant{"loop for ever: kept once", Song(1).Pattern(0, 15, 1).Note(3).Bytes(), "4d5"},
        Variant{
            "patterns, one played again",
            Song(3).Pattern(0, 0, 2).Put(2, 3).Put(0, 2).Note(10).Pattern(1, 1, 1).Note(12).Pattern(0, 0, 0).Bytes(),
            "4a4, 4b4, 4b4, 4a4"},
        Variant{"style, volume and tempo",
                Song(1)
                    .Pattern(0, 0, 5)
                    .Put(3, 3)
                    .Put(2, 2)
                    .Put(5, 3)
                    .Put(9, 4)
                    .Put(4, 3)
                    .Put(31, 5)
                    .Note(13 - 1)
                    .Note(2, 5, 1)
                    .Bytes(),
                "4b5, 32c#.5", "900"},
        Variant{"scales", Song(1).Pattern(0, 0, 4).Put(2, 3).Put(3, 2).Note(1).Put(2, 3).Put(0, 2).Note(1).Bytes(),
                "4c7, 4c4"},
        Variant{"triplet", Song(1).Pattern(0, 0, 1).Note(1, 3, 3).Bytes(), "12c5"}));

TEST(OttReader, ReadsLatin1AndUnicodeTitles) {
    EXPECT_EQ(ReadFile(FileFormat::Ott, Song(1, "Caf\xE9").Pattern(0, 0, 1).Note(1).Bytes()).Name(), "Caf\xC3\xA9");
    EXPECT_EQ(ReadFile(FileFormat::Ott, Song(1, "Ab", true).Pattern(0, 0, 1).Note(1).Bytes()).Name(), "Ab");
}

TEST(OttReader, ReportsATempoChangeOnItsNote) {
    const tw::CNotes notes = ReadFile(
        FileFormat::Ott, Song(1).Pattern(0, 0, 4).Put(4, 3).Put(14, 5).Note(1).Put(4, 3).Put(0, 5).Note(1).Bytes());
    EXPECT_EQ(notes.Tempo(), "125");
    EXPECT_EQ(notes.Item(1).Problem(), "");
    EXPECT_EQ(notes.Item(2).Problem(), "the tempo changes to 25 here; the ringtone keeps 125 throughout");
}

struct Bad {
    std::string what, bytes, message;
    Reason reason = Reason::BadFile;
};
void PrintTo(const Bad& b, std::ostream* out) { *out << b.what; }

class OttBadFiles : public ::testing::TestWithParam<Bad> {};

TEST_P(OttBadFiles, AreRefusedWithTheirReason) {
    const std::string message =
        ExpectEngineError([&] { ReadFile(FileFormat::Ott, GetParam().bytes); }, GetParam().reason);
    EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OttBadFiles,
    ::testing::Values(
        Bad{"empty", "", "ends inside the command-part count"},
        Bad{"no command part", Bytes({0x00}), "no command part"},
        Bad{"unknown command", Bytes({0x01, 0x02}), "command part 1 is 0000001"},
        Bad{"no sound command", Bytes({0x01, 0x4A}), "no sound command"},
        Bad{"song type", Bytes({0x02, 0x4A, 0x3A, 0xC0}), "song type 011"},
        Bad{"no pattern", Song(0).Bytes(), "the song has no pattern"},
        Bad{"pattern count past the data", Song(2).Pattern(0, 0, 1).Note(1).Bytes(), "ends inside pattern 2"},
        Bad{"instruction count past the data", Song(1).Pattern(0, 0, 3).Note(1).Note(1).Bytes(),
            "ends inside instruction 3 of pattern 1"},
        Bad{"truncated scale", Golden.substr(0, 13), "ends inside instruction 5 of pattern 1"},
        Bad{"no pattern header", Song(1).Put(1, 3).Bytes(), "pattern 1 has no pattern header"},
        Bad{"unknown instruction", Song(1).Pattern(0, 0, 1).Put(6, 3).Put(0, 8).Bytes(), "unknown id 110"},
        Bad{"header for instruction", Song(1).Pattern(0, 0, 2).Note(1).Put(0, 3).Put(0, 16).Bytes(),
            "instruction 2 of pattern 1 is a pattern header"},
        Bad{"note value 13", Song(1).Pattern(0, 0, 1).Note(13).Bytes(), "note of value 13"},
        Bad{"duration 6", Song(1).Pattern(0, 0, 1).Note(1, 6).Bytes(), "note of duration 110"},
        Bad{"pattern played before defined", Song(1).Pattern(2, 0, 0).Put(0, 8).Bytes(), "pattern C again"},
        Bad{"no notes", Song(1).Pattern(0, 0, 1).Put(3, 3).Put(0, 2).Bytes(), "no notes"},
        Bad{"loops past the limit",
            [] {
                // 255 patterns of 255 sixteenths, each played 15 times: 975,375 notes.
                Song song(255);
                song.Pattern(0, 14, 255);
                for (int i = 0; i < 255; ++i) song.Note(1, 4);
                for (int i = 1; i < 255; ++i) song.Pattern(0, 14, 0);
                return song.Bytes();
            }(),
            "would become a ringtone text of more than the 4 MiB", Reason::TooLong}));

TEST(OttReader, EveryCutOfAFileIsRefusedAndNeverCrashes) {
    for (std::size_t size = 0; size + 1 < Golden.size(); ++size)
        ExpectEngineError([&] { ReadFile(FileFormat::Ott, Golden.substr(0, size)); }, Reason::BadFile);
}

}  // namespace

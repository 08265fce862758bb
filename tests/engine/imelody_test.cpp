// iMelody: the writer against a hand-checked file, the reader against what
// phones and collections write, and each kind of file it refuses.
#include "engine/imelody.h"
#include "handset_file_support.h"

namespace {

using namespace twtest;
using tw::FileFormat;

std::string Object(const std::string& lines) { return "BEGIN:IMELODY\r\nVERSION:1.2\r\n" + lines + "END:IMELODY\r\n"; }

TEST(IMelodyWriter, WritesTheHandCheckedFile) {
    // c5 is *4, e6 *5, a4 (440 Hz) *3: every note has its prefix, so that
    // readers that hold a prefix and readers that take it for one note hear
    // the same; a sharp stands before its letter, as the grammar has it.
    const tw::WrittenRingtone written =
        tw::WriteIMelody(ReadRTTTL("Tune:d=4,o=5,b=120:8c5,8d#5,4e.6,16p,2a4,16g#.4,32f4,32e#4,32b#4"));
    EXPECT_EQ(written.bytes,
              "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:Tune\r\nBEAT:120\r\n"
              "MELODY:*4c3*4#d3*5e2.r4*3a1*3#g4.*3f5*3f5*4c5\r\nEND:IMELODY\r\n");
    EXPECT_TRUE(written.problems.empty());
    EXPECT_FALSE(tw::OctavePrefixesMatter(written.bytes));
}

struct WriterProblem {
    std::string rtttl, melody, problem;
};
void PrintTo(const WriterProblem& p, std::ostream* out) { *out << p.rtttl; }

class IMelodyWriterProblems : public ::testing::TestWithParam<WriterProblem> {};

TEST_P(IMelodyWriterProblems, WritesTheNearestAndReportsIt) {
    const tw::WrittenRingtone written = tw::WriteIMelody(ReadRTTTL(GetParam().rtttl));
    EXPECT_NE(written.bytes.find("MELODY:" + GetParam().melody + "\r\n"), std::string::npos) << written.bytes;
    ASSERT_EQ(written.problems.size(), GetParam().problem.empty() ? 0u : 1u);
    if (!GetParam().problem.empty()) EXPECT_EQ(written.problems.front(), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IMelodyWriterProblems,
    ::testing::Values(
        WriterProblem{"T:d=4,o=5,b=120:c10", "*8c2", "note 1, c10: above iMelody's octaves, written in *8"},
        WriterProblem{"T:d=4,o=5,b=120:c0", "*0c2", "note 1, c0: below iMelody's octaves, written in *0"},
        WriterProblem{"T:d=4,o=5,b=120:5c", "*4c3.",
                      "note 1, 5c: a length iMelody does not have, written as dotted 1/8"},
        WriterProblem{"T:d=4,o=5,b=20:c", "*4c2", "the tempo 20 is outside iMelody's 25 to 900, written as 25"},
        WriterProblem{"T:d=4,o=5,b=120:c,x", "*4c2", "note 2, x: not a note, left out"},
        WriterProblem{"T:d=4,o=5,b=120:12c", "*4c3;", ""}));  // a triplet eighth is exact

struct Variant {
    std::string what, file, notes;
    std::string tempo = "120";
};
void PrintTo(const Variant& v, std::ostream* out) { *out << v.what; }

class IMelodyVariants : public ::testing::TestWithParam<Variant> {};

TEST_P(IMelodyVariants, ReadsTheNotes) {
    const tw::CNotes notes = ReadFile(FileFormat::IMelody, GetParam().file);
    EXPECT_EQ(NotesOf(notes), GetParam().notes);
    EXPECT_EQ(notes.Tempo(), GetParam().tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IMelodyVariants,
    ::testing::Values(
        Variant{"repeat", Object("BEAT:90\r\nMELODY:(c2d2@3)e2\r\n"), "4c5, 4d5, 4c5, 4d5, 4c5, 4d5, 4e5", "90"},
        Variant{"for ever, kept once", Object("MELODY:(c2@0)d2\r\n"), "4c5, 4d5"},
        Variant{"nested", Object("MELODY:((c3@2)d3@2)\r\n"), "8c5, 8c5, 8d5, 8c5, 8c5, 8d5"},
        Variant{"volume before )", Object("MELODY:(c3@2V+)\r\n"), "8c5, 8c5"},
        Variant{"flats", Object("MELODY:&b2&e2*0&c2\r\n"), "4a#5, 4d#5, 4b0"},
        Variant{"sharp before", Object("MELODY:#f2\r\n"), "4f#5"},
        Variant{"octaves", Object("MELODY:*3a2*8b5*0c0\r\n"), "4a4, 32b9, 1c1"},
        Variant{"lengths", Object("MELODY:c0d1.e4r5f3;\r\n"), "1c5, 2d.5, 16e5, 32p, 12f5"},
        Variant{"LF, lower case, any order", "begin:imelody\nmelody:c2\nbeat:200\nend:imelody\n", "4c5", "200"},
        Variant{"lone CR", "BEGIN:IMELODY\rMELODY:c2\rEND:IMELODY\r", "4c5"},
        Variant{"commands", Object("MELODY:ledonc2vibeonbackonV+V-V12d2ledoffvibeoffbackoffe2\r\n"), "4c5, 4d5, 4e5"},
        Variant{"upper-case melody, blanks", Object("MELODY:C2 D2 *5E2\r\n"), "4c5, 4d5, 4e6"},
        Variant{"folded line", Object("MELODY:c2d2\r\n e2\r\n"), "4c5, 4d5, 4e5"},
        Variant{"indented lines", "BEGIN:IMELODY\n\tVERSION:1.2\n\tBEAT:90\n\tMELODY:c2\n\t d2\n  END:IMELODY\n",
                "4c5, 4d5", "90"},
        Variant{"extra lines",
                Object("FORMAT:CLASS1.0\r\nCOMPOSER:Me\r\nSTYLE:S1\r\nVOLUME:V8\r\nX-FOO;BAR:1\r\nMELODY:c2\r\n"),
                "4c5"}));

// Melodies written by hand by the iMelody 1.2 grammar, read with octave
// prefixes held until the next one and for one note only.
struct GrammarRow {
    std::string what, melody, untilNext, oneNote;
};
void PrintTo(const GrammarRow& row, std::ostream* out) { *out << row.what; }

class IMelodyGrammar : public ::testing::TestWithParam<GrammarRow> {};

TEST_P(IMelodyGrammar, ReadsAsWritten) {
    const std::string file = Object("MELODY:" + GetParam().melody + "\r\n");
    auto read = [&](tw::OctavePrefixes prefixes) {
        auto notes = Ringtone(", ");
        tw::ReadRingtoneAs(notes, FileFormat::IMelody, file, {prefixes, ""});
        return NotesOf(notes);
    };
    EXPECT_EQ(read(tw::OctavePrefixes::UntilNext), GetParam().untilNext);
    EXPECT_EQ(read(tw::OctavePrefixes::OneNote), GetParam().oneNote);
    EXPECT_EQ(tw::OctavePrefixesMatter(file), GetParam().untilNext != GetParam().oneNote);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IMelodyGrammar,
    ::testing::Values(
        GrammarRow{"sharps", "#c3#d3#f3#g3#a3", "8c#5, 8d#5, 8f#5, 8g#5, 8a#5", "8c#5, 8d#5, 8f#5, 8g#5, 8a#5"},
        GrammarRow{"flats", "&d3&e3&g3&a3&b3", "8c#5, 8d#5, 8f#5, 8g#5, 8a#5", "8c#5, 8d#5, 8f#5, 8g#5, 8a#5"},
        GrammarRow{"every length", "c0d1e2f3g4a5", "1c5, 2d5, 4e5, 8f5, 16g5, 32a5", "1c5, 2d5, 4e5, 8f5, 16g5, 32a5"},
        GrammarRow{"dotted and triplets", "c2.r3.d3;r2;", "4c.5, 8p., 12d5, 6p", "4c.5, 8p., 12d5, 6p"},
        GrammarRow{"a prefix on every note", "*3a2*5#c3*0c0*8b5", "4a4, 8c#6, 1c1, 32b9", "4a4, 8c#6, 1c1, 32b9"},
        GrammarRow{"a prefix where the octave changes", "*5c3d3*3e2f2", "8c6, 8d6, 4e4, 4f4", "8c6, 8d5, 4e4, 4f5"},
        GrammarRow{"rests keep the prefix for the note", "*6r3c3", "8p, 8c7", "8p, 8c7"},
        GrammarRow{"repeats", "(*5c3r3@2)*2#f1", "8c6, 8p, 8c6, 8p, 2f#3", "8c6, 8p, 8c6, 8p, 2f#3"},
        GrammarRow{"commands among notes", "ledon*5c3vibeonV+d3backoff", "8c6, 8d6", "8c6, 8d5"}));

TEST(IMelodyReader, ReadsTheName) {
    EXPECT_EQ(ReadFile(FileFormat::IMelody, Object("NAME:My Tune\r\nMELODY:c2\r\n")).Name(), "My Tune");
    EXPECT_EQ(ReadFile(FileFormat::IMelody, Object("MELODY:c2\r\n")).Name(), "No name");
}

// What the engine cannot hold exactly is read as the nearest and reported on its note.
TEST(IMelodyReader, ReportsLengthsReadNearly) {
    const tw::CNotes notes = ReadFile(FileFormat::IMelody, Object("MELODY:c2:d0;\r\n"));
    EXPECT_EQ(NotesOf(notes), "4c.5, 2d.5");
    EXPECT_EQ(notes.Item(1).Problem(), "double dotted 1/4, read as dotted 1/4");
    EXPECT_EQ(notes.Item(2).Problem(), "2/3 of 1/1, read as dotted 1/2");
}

struct Bad {
    std::string what, file, message;
    Reason reason = Reason::BadFile;
};
void PrintTo(const Bad& b, std::ostream* out) { *out << b.what; }

class IMelodyBadFiles : public ::testing::TestWithParam<Bad> {};

TEST_P(IMelodyBadFiles, AreRefusedWithTheirReason) {
    const std::string message =
        ExpectEngineError([&] { ReadFile(FileFormat::IMelody, GetParam().file); }, GetParam().reason);
    EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IMelodyBadFiles,
    ::testing::Values(Bad{"no begin", "MELODY:c2\r\nEND:IMELODY\r\n", "does not start with BEGIN:IMELODY"},
                      Bad{"no end", "BEGIN:IMELODY\r\nMELODY:c2\r\n", "END:IMELODY is missing"},
                      Bad{"no melody", Object("BEAT:100\r\n"), "no MELODY line"},
                      Bad{"two melodies", Object("MELODY:c2\r\nMELODY:d2\r\n"), "two MELODY lines"},
                      Bad{"bad beat", Object("BEAT:fast\r\nMELODY:c2\r\n"), "BEAT:fast is no tempo"},
                      Bad{"octave 9", Object("MELODY:*9c2\r\n"), "not *0 to *8 (character 2"},
                      Bad{"no note", Object("MELODY:c2x2\r\n"), "'x' is no note, rest or command (character 3"},
                      Bad{"no length", Object("MELODY:c\r\n"), "a note without a length"},
                      Bad{"length 6", Object("MELODY:c6\r\n"), "not 0 to 5"},
                      Bad{"flat alone", Object("MELODY:&2\r\n"), "without a note letter"},
                      Bad{"open repeat", Object("MELODY:(c2\r\n"), "never closed"},
                      Bad{"count without (", Object("MELODY:c2@2)\r\n"), "no '(' before it"},
                      Bad{"close alone", Object("MELODY:c2)\r\n"), "a ')' without '@'"},
                      Bad{"count not closed", Object("MELODY:(c2@2\r\n"), "not followed by ')'"},
                      Bad{"empty melody", Object("MELODY:\r\n"), "no notes"},
                      Bad{"blow-up", Object("MELODY:((((c5@999)@999)@999)@999)\r\n"),
                          "would become a ringtone text of more than the 4 MiB", Reason::TooLong},
                      Bad{"too large", std::string(tw::MaxHandsetFile + 1, ' '),
                          "is 16777217 bytes, more than the 16 MiB", Reason::TooLong}));

TEST(IMelodyReader, RecognisesItsFiles) { EXPECT_TRUE(tw::LooksLikeIMelody("\xEF\xBB\xBF\r\n begin:imelody\r\n")); }

}  // namespace

// Moving a ringtone's notes by semitones and octaves, fitting them into the
// composer's octaves, and stepping a note's length: every table worked by
// hand from the note names.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/cnotes.h"
#include "engine/octave_fit.h"
#include "engine/transpose.h"
#include "test_support.h"

namespace twtest {
namespace {

// Reads `notes` under the header "T:d=4,o=5,b=125:" and gives the notes the
// change leaves, read again and written with ", " between them.
struct Shaped {
    std::string notes;
    std::vector<std::string> problems;
    bool changed = false;
};

template <class Change>
Shaped Shape(const std::string& notes, Change&& change) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    ringtone.SetFull_RTTTL("T:d=4,o=5,b=125:" + notes);
    const tw::ShapedRingtone shaped = change(ringtone);
    tw::ApplyShape(ringtone, shaped);
    EXPECT_EQ(ringtone.Name(), "T");
    EXPECT_EQ(ringtone.Tempo(), "125");
    return {ringtone.Only_RTTTL(), shaped.problems, shaped.changed};
}

struct TransposeRow {
    const char* what;
    const char* notes;
    int semitones;
    tw::NoteChoice note;
    const char* expected;
    std::vector<std::string> problems;
};

void PrintTo(const TransposeRow& row, std::ostream* out) {
    *out << row.what << ": " << row.notes << " by " << row.semitones;
}

class TransposeTable : public ::testing::TestWithParam<TransposeRow> {};

TEST_P(TransposeTable, MovesTheChosenNotes) {
    const TransposeRow& row = GetParam();
    const Shaped shaped =
        Shape(row.notes, [&](const tw::CNotes& r) { return tw::Transposed(r, row.semitones, row.note); });
    EXPECT_EQ(shaped.notes, row.expected);
    EXPECT_EQ(shaped.problems, row.problems);
    EXPECT_EQ(shaped.changed, std::string(row.notes) != row.expected);
}

// The default octave is 5: a note written without an octave is in it, and
// one moved into it is written without one again.
INSTANTIATE_TEST_SUITE_P(Engine, TransposeTable,
                         ::testing::ValuesIn(std::vector<TransposeRow>{
                             {"sharps become naturals", "c#, d#6, f#, g#, a#", 1, {}, "d, e6, g, a, b", {}},
                             {"naturals become sharps", "c, d, f, g, a", 1, {}, "c#, d#, f#, g#, a#", {}},
                             {"b wraps to the next octave's c", "b, 8b.6, b4", 1, {}, "c6, 8c.7, c", {}},
                             {"c wraps down to the octave below's b", "c, c6, 16c#", -1, {}, "b4, b, 16c", {}},
                             {"an octave keeps letter, length and dot", "8c#., p, 2a4", 12, {}, "8c#.6, p, 2a", {}},
                             {"octaves down", "c7, d", -24, {}, "c, d3", {}},
                             {"pauses stay", "8p, 16p.", 5, {}, "8p, 16p.", {}},
                             {"one note chosen", "c, d, e", 2, 1, "c, e, e", {}},
                             {"a whole ringtone within range", "e#, b#4", 1, {}, "f#, c#", {}},
                             {"below octave 0 is written in octave 0",
                              "c1, d",
                              -24,
                              {},
                              "c0, d3",
                              {"note 1, c1: below RTTTL's octaves 0 to 9, written in octave 0"}},
                             {"c0 a semitone down stays in octave 0",
                              "c0",
                              -1,
                              {},
                              "b0",
                              {"note 1, c0: below RTTTL's octaves 0 to 9, written in octave 0"}},
                             {"above octave 9 is written in octave 9",
                              "a8, 8g#",
                              15,
                              {},
                              "c9, 8b6",
                              {"note 1, a8: above RTTTL's octaves 0 to 9, written in octave 9"}},
                             {"a token that is no note stays and is reported",
                              "c, x, d",
                              2,
                              {},
                              "d, x, e",
                              {"note 2, x: not a note, left as it is"}},
                         }));

TEST(Transpose, RefusesANoteTheRingtoneLacks) {
    tw::CNotes ringtone;
    ringtone.SetFull_RTTTL("T:d=4,o=5,b=125:c,d");
    ExpectEngineError([&] { tw::Transposed(ringtone, 1, 2); }, Reason::NoSuchNote);
    ExpectEngineError([&] { tw::LengthStepped(ringtone, 2, 1); }, Reason::NoSuchNote);
    ExpectEngineError([&] { tw::FittedIntoComposerOctaves(ringtone, 5); }, Reason::NoSuchNote);
}

struct FitRow {
    const char* what;
    std::vector<std::int32_t> semitones;  // 12 x octave + step
    int octaves;
};

void PrintTo(const FitRow& row, std::ostream* out) { *out << row.what; }

class FitTable : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitTable, TakesTheSmallestMoveThatFitsMost) {
    EXPECT_EQ(tw::FittingOctaves(GetParam().semitones), GetParam().octaves);
}

// c5 is 60, b7 is 95.
INSTANTIATE_TEST_SUITE_P(Engine, FitTable,
                         ::testing::ValuesIn(std::vector<FitRow>{
                             {"all within stay", {60, 72, 95}, 0},
                             {"no pitch at all", {}, 0},
                             {"c3 and d3 go two up", {36, 38}, 2},
                             {"c9 and b8 go two down", {108, 107}, -2},
                             {"c4 c6 b7: staying fits two as one up does, and stays", {48, 72, 95}, 0},
                             {"b4 and c8 tie one up and one down: up wins", {59, 96}, 1},
                             {"c2 and c8: one down beats three up", {24, 96}, -1},
                             {"b4 b4 c8: the two win over the one", {59, 59, 96}, 1},
                             {"c8 c8 b4: the two win over the one", {96, 96, 59}, -1},
                             {"c17 goes ten octaves down, the farthest move", {12 * 17}, -10},
                             {"c18 is beyond it: nothing fits", {12 * 18}, 0},
                         }));

struct FitRingtoneRow {
    const char* what;
    const char* notes;
    tw::NoteChoice note;
    const char* expected;
    int octaves;
};

void PrintTo(const FitRingtoneRow& row, std::ostream* out) { *out << row.what << ": " << row.notes; }

class FitRingtoneTable : public ::testing::TestWithParam<FitRingtoneRow> {};

TEST_P(FitRingtoneTable, MovesTheChosenNotesByTheFittingOctaves) {
    const FitRingtoneRow& row = GetParam();
    int octaves = 0;
    const Shaped shaped = Shape(row.notes, [&](const tw::CNotes& r) {
        const tw::ShapedRingtone fitted = tw::FittedIntoComposerOctaves(r, row.note);
        octaves = fitted.octavesMoved;
        return fitted;
    });
    EXPECT_EQ(shaped.notes, row.expected);
    EXPECT_EQ(octaves, row.octaves);
}

INSTANTIATE_TEST_SUITE_P(Engine, FitRingtoneTable,
                         ::testing::ValuesIn(std::vector<FitRingtoneRow>{
                             {"low melody up", "c3, 8d#3, p, b3", {}, "c, 8d#, p, b", 2},
                             {"fits already", "c, b7", {}, "c, b7", 0},
                             {"a tie goes up", "b4, c8", {}, "b, c9", 1},
                             {"only the chosen note", "c3, c3", 1, "c3, c", 2},
                             {"a pause chosen moves nothing", "c3, p", 1, "c3, p", 0},
                         }));

struct LengthRow {
    const char* what;
    const char* notes;
    tw::NoteChoice note;
    int steps;
    const char* expected;
    std::vector<std::string> problems;
};

void PrintTo(const LengthRow& row, std::ostream* out) { *out << row.what << ": " << row.notes << " by " << row.steps; }

class LengthTable : public ::testing::TestWithParam<LengthRow> {};

TEST_P(LengthTable, StepsThroughRTTTLsLengths) {
    const LengthRow& row = GetParam();
    const Shaped shaped =
        Shape(row.notes, [&](const tw::CNotes& r) { return tw::LengthStepped(r, row.note, row.steps); });
    EXPECT_EQ(shaped.notes, row.expected);
    EXPECT_EQ(shaped.problems, row.problems);
}

// The default length is a quarter: a quarter is written without one.
INSTANTIATE_TEST_SUITE_P(
    Engine, LengthTable,
    ::testing::ValuesIn(std::vector<LengthRow>{
        {"32 to 32.", "32c", 0, 1, "32c.", {}},
        {"32. to 16", "32c.", 0, 1, "16c", {}},
        {"16 to 16.", "16c#6", 0, 1, "16c#.6", {}},
        {"8. to 4", "c, 8d.", 1, 1, "c, d", {}},
        {"4 to 4. keeps the pitch", "a#4", 0, 1, "a#.4", {}},
        {"2. to 1", "2e.", 0, 1, "1e", {}},
        {"1 to 1.", "1e", 0, 1, "1e.", {}},
        {"shorter: 4 to 8.", "c", 0, -1, "8c.", {}},
        {"shorter: 16 to 32.", "16c", 0, -1, "32c.", {}},
        {"two steps at once", "8c", 0, 3, "c.", {}},
        {"a pause steps too", "8p", 0, 1, "8p.", {}},
        {"between two lengths, longer goes to the next longer", "3c", 0, 1, "c.", {}},
        {"between two lengths, shorter goes to the next shorter", "3c", 0, -1, "c", {}},
        {"shorter than 32, longer goes to 32", "64c", 0, 1, "32c", {}},
        {"1. is the longest", "1c.", 0, 1, "1c.", {"note 1, 1c.: RTTTL writes no longer length"}},
        {"32 is the shortest", "32c", 0, -1, "32c", {"note 1, 32c: RTTTL writes no shorter length"}},
        {"no note", "c, x", 1, 1, "c, x", {"note 2, x: not a note, left as it is"}},
        {"every note with none chosen",
         "8c, 16p, 1e., x",
         {},
         1,
         "8c., 16p., 1e., x",
         {"note 3, 1e.: RTTTL writes no longer length", "note 4, x: not a note, left as it is"}},
    }));

// What a change took away comes back whole, under the header as it is now.
TEST(Transpose, NotesRestoredGiveTheOldNotesBack) {
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(", ");
    ringtone.SetFull_RTTTL("T:d=8,o=6,b=125:c, 4d#5, p, x, 16b.");
    const std::vector<std::string> before = tw::NoteTokens(ringtone);
    EXPECT_EQ(before, (std::vector<std::string>{"c", "4d#5", "p", "x", "16b."}));
    tw::ApplyShape(ringtone, tw::Transposed(ringtone, 13));
    ringtone.SetTempo("90");
    const tw::ShapedRingtone restored = tw::NotesRestored(ringtone, before);
    EXPECT_TRUE(restored.changed);
    tw::ApplyShape(ringtone, restored);
    EXPECT_EQ(ringtone.Full_RTTTL(), "T:d=8,o=6,b=90:c, 4d#5, p, x, 16b.");
    EXPECT_FALSE(tw::NotesRestored(ringtone, before).changed);
}

}  // namespace
}  // namespace twtest

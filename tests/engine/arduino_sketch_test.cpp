// The Arduino sketch writer: identifiers made from any name, a comment that a
// name cannot end, the melody's arrays (pauses as 0, lengths exact to the
// tempo, long notes split), and the sketches refused.
#include "engine/arduino_sketch.h"

#include <regex>

#include "handset_file_support.h"

namespace {

using namespace twtest;

// The numbers of the array `<id>_<suffix>` of a sketch, ", "-separated.
std::string ArrayOf(const std::string& sketch, const std::string& suffix) {
    const std::string start = suffix + "[] PROGMEM = {\n";
    const std::size_t from = sketch.find(start);
    if (from == std::string::npos) return "(no array " + suffix + ")";
    const std::size_t begin = from + start.size();
    std::string body = sketch.substr(begin, sketch.find("\n};", begin) - begin);
    std::string numbers;
    for (char c : body)
        if (c != ' ' && c != '\n') numbers += c == ',' ? std::string(", ") : std::string(1, c);
    return numbers;
}

struct IdentifierCase {
    std::string name, identifier;
};
void PrintTo(const IdentifierCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class SketchIdentifiers : public ::testing::TestWithParam<IdentifierCase> {};

TEST_P(SketchIdentifiers, AreValidCppIdentifiers) {
    const std::string id = tw::SketchIdentifier(GetParam().name);
    EXPECT_EQ(id, GetParam().identifier);
    // No leading digit or underscore, no reserved double underscore.
    EXPECT_TRUE(std::regex_match(id, std::regex("[A-Za-z][A-Za-z0-9]*(_[A-Za-z0-9]+)*"))) << id;
}

INSTANTIATE_TEST_SUITE_P(Names, SketchIdentifiers,
                         ::testing::Values(IdentifierCase{"Happy Birthday", "Happy_Birthday"},
                                           IdentifierCase{"", "melody"}, IdentifierCase{"007", "tune_007"},
                                           IdentifierCase{"class", "class"}, IdentifierCase{"__Init__", "Init"},
                                           IdentifierCase{"\xC3\xA9t\xC3\xA9 d'or", "t_d_or"},
                                           IdentifierCase{"*/ \n", "melody"}, IdentifierCase{"a  --  b", "a_b"},
                                           IdentifierCase{std::string(40, 'x'), std::string(32, 'x')}));

// A keyword is no problem: every identifier ends in _hz, _ms or _notes.
TEST(SketchIdentifiers, KeywordNamesStillCompileAsTheirArrays) {
    const std::string sketch = tw::WriteArduinoSketch(ReadRTTTL("int:d=4,o=5,b=100:c")).bytes;
    EXPECT_NE(sketch.find("const uint16_t int_hz[] PROGMEM"), std::string::npos);
    EXPECT_EQ(sketch.find(" int[]"), std::string::npos);
}

struct CommentCase {
    std::string text, safe;
};
void PrintTo(const CommentCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class CommentSafety : public ::testing::TestWithParam<CommentCase> {};

TEST_P(CommentSafety, NothingEndsTheComment) {
    const std::string safe = tw::CommentSafe(GetParam().text);
    EXPECT_EQ(safe, GetParam().safe);
    EXPECT_EQ(safe.find("*/"), std::string::npos);
    EXPECT_EQ(safe.find("/*"), std::string::npos);
    EXPECT_EQ(safe.find_first_of("\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Texts, CommentSafety,
                         ::testing::Values(CommentCase{"plain", "plain"}, CommentCase{"a*/b", "a* /b"},
                                           CommentCase{"**//", "** //"}, CommentCase{"*/*/", "* / * /"},
                                           CommentCase{"/*/", "/ * /"}, CommentCase{"what?\?/", "what? ?/"},
                                           CommentCase{"one\r\ntwo", "one  two"}, CommentCase{"tab\there", "tab here"},
                                           CommentCase{"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"}));

// A name read from a ringtone ends nowhere but at the comment's own end.
TEST(CommentSafety, TheSketchCommentEndsOnce) {
    const std::string sketch = tw::WriteArduinoSketch(ReadRTTTL("x*/y:d=4,o=5,b=100:c")).bytes;
    EXPECT_EQ(sketch.find("*/"), sketch.find("tenth. */") + 7);
}

struct MelodyCase {
    std::string rtttl, hz, ms;
    std::vector<std::string> problems;
};
void PrintTo(const MelodyCase& c, std::ostream* out) { *out << c.rtttl; }

class SketchMelody : public ::testing::TestWithParam<MelodyCase> {};

TEST_P(SketchMelody, HoldsThePitchesAndLengths) {
    const tw::WrittenRingtone written = tw::WriteArduinoSketch(ReadRTTTL(GetParam().rtttl));
    EXPECT_EQ(ArrayOf(written.bytes, "_hz"), GetParam().hz);
    EXPECT_EQ(ArrayOf(written.bytes, "_ms"), GetParam().ms);
    EXPECT_EQ(written.problems, GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(
    Ringtones, SketchMelody,
    ::testing::Values(
        // 100 beats: a whole note of 2400 ms; pause 0; a dot half again.
        MelodyCase{"a:d=4,o=5,b=100:8c,8p,c.,16c#6,1e7", "523, 0, 523, 1108, 2636", "300, 300, 900, 150, 2400", {}},
        // 63 beats: 240000 / 63 = 3809.52 ms a whole note, rounded note by note.
        MelodyCase{"b:d=4,o=5,b=63:a,8a,32p,2b4.", "880, 880, 0, 494", "952, 476, 119, 2857", {}},
        // Octaves below the composer's and far above it.
        MelodyCase{"c:d=4,o=5,b=120:c3,c4,b7,a8", "131, 262, 3952, 7040", "500, 500, 500, 500", {}},
        // A whole note at 1 beat a minute is 240000 ms: four entries.
        MelodyCase{"d:d=1,o=5,b=1:c,p",
                   "523, 523, 523, 523, 0, 0, 0, 0",
                   "60000, 60000, 60000, 60000, 60000, 60000, 60000, 60000",
                   {"note 1, c: 240000 ms, longer than an entry's 65535 ms, written as 4 notes of the same pitch",
                    "note 2, p: 240000 ms, longer than an entry's 65535 ms, written as 4 notes of the same pitch"}},
        // A dotted whole note at 3 beats a minute is 120000 ms: two entries;
        // at 7, 51429 ms: one.
        MelodyCase{"e:d=1,o=5,b=3:c.",
                   "523, 523",
                   "60000, 60000",
                   {"note 1, c.: 120000 ms, longer than an entry's 65535 ms, written as 2 notes of the same pitch"}},
        MelodyCase{"f:d=1,o=5,b=7:c.", "523", "51429", {}},
        // What a buzzer cannot sound: the nearest it can.
        MelodyCase{"g:d=4,o=5,b=100:c0,c12",
                   "31, 65535",
                   "600, 600",
                   {"note 1, c0: 16 Hz, below tone()'s 31 Hz, written as 31 Hz",
                    "note 2, c12: 66944 Hz, above an entry's 65535 Hz, written as 65535 Hz"}}));

TEST(SketchPin, IsWrittenAndChecked) {
    const tw::CNotes ringtone = ReadRTTTL("a:d=4,o=5,b=100:c");
    EXPECT_NE(tw::WriteArduinoSketch(ringtone, {13}).bytes.find("const uint8_t buzzerPin = 13;"), std::string::npos);
    EXPECT_NE(tw::WriteArduinoSketch(ringtone).bytes.find("const uint8_t buzzerPin = 8;"), std::string::npos);
    ExpectEngineError([&] { tw::WriteArduinoSketch(ringtone, {256}); }, Reason::CannotWrite);
}

struct RefusalCase {
    std::string label, rtttl, message;
};
void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.label; }

class SketchRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SketchRefusals, AreRefusedWithTheFigures) {
    const tw::CNotes ringtone = ReadRTTTL(GetParam().rtttl);
    const std::string message = ExpectEngineError([&] { tw::WriteArduinoSketch(ringtone); }, Reason::CannotWrite);
    EXPECT_EQ(message, GetParam().message);
}

std::string Repeated(const std::string& note, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += (i ? "," : "") + note;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Ringtones, SketchRefusals,
    ::testing::Values(
        RefusalCase{"one note over an Uno", "big:d=4,o=5,b=100:" + Repeated("c", 7169),
                    "The sketch would hold 7169 notes, 28676 bytes of melody in flash; an Arduino Uno has room for "
                    "28672 (7168 notes)."},
        // 1200 notes, but each one six entries.
        RefusalCase{"long notes split over an Uno", "slow:d=1,o=5,b=1:" + Repeated("c.", 1200),
                    "The sketch would hold 7200 notes, 28800 bytes of melody in flash; an Arduino Uno has room for "
                    "28672 (7168 notes)."},
        RefusalCase{"no notes", "none:d=4,o=5,b=100:",
                    "The ringtone holds no note that could be read, so there is nothing to write."}));

TEST(SketchRefusals, TheLargestThatFitsIsWritten) {
    const tw::WrittenRingtone written = tw::WriteArduinoSketch(ReadRTTTL("big:d=4,o=5,b=100:" + Repeated("c", 7168)));
    EXPECT_TRUE(written.problems.empty());
    EXPECT_NE(written.bytes.find("void setup()"), std::string::npos);
}

}  // namespace

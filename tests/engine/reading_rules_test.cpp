// The ways people write RTTTL, one short ringtone each, read to the pitch
// (a4 = 440 Hz, equal temperament) and length (1/d of a whole note, half as
// long again when dotted) that the notation means.
#include <cctype>
#include <cmath>
#include <ostream>
#include <vector>

#include "test_support.h"

namespace {

using namespace twtest;

// One sound of a ringtone: its pitch in hertz (0 for a pause) and its length
// in whole notes.
struct Heard {
    double frequency;
    double length;
};

// "c#5" at its true pitch, 1/duration of a whole note long.
Heard Note(const std::string& pitch, int duration, bool dotted = false) {
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    const bool sharp = pitch[1] == '#';
    const int octave = pitch.back() - '0';
    const int key = 12 * (octave + 1) + semitones[pitch[0] - 'a'] + (sharp ? 1 : 0);
    return {440.0 * std::pow(2.0, (key - 69) / 12.0), (dotted ? 1.5 : 1.0) / duration};
}
Heard Dotted(const std::string& pitch, int duration) { return Note(pitch, duration, true); }
Heard Pause(int duration, bool dotted = false) { return {0, (dotted ? 1.5 : 1.0) / duration}; }

struct Rule {
    const char* rule;
    const char* text;
    const char* tempo;
    std::vector<Heard> heard;
    const char* problem;  // a line the report must hold; "" for none
};

void PrintTo(const Rule& r, std::ostream* out) { *out << r.rule << ": " << r.text; }

const Rule kRules[] = {
    {"controls in any order", "Tune:b=90,o=5,d=8:c,4d", "90", {Note("c5", 8), Note("d5", 4)}, ""},
    {"missing controls are d=4, o=6, b=63", "Tune::c,8d", "63", {Note("c6", 4), Note("d6", 8)}, ""},
    {"some controls given", "Tune:d=16:c", "63", {Note("c6", 16)}, ""},
    {"upper case", "TUNE:D=8,O=5,B=90:C,D#,P,4A6", "90", {Note("c5", 8), Note("d#5", 8), Pause(8), Note("a6", 4)}, ""},
    {"# before the letter", "T:d=4,o=5,b=90:#c,8#f6", "90", {Note("c#5", 4), Note("f#6", 8)}, ""},
    {"_ for a sharp", "T:d=4,o=5,b=90:c_,8f_6", "90", {Note("c#5", 4), Note("f#6", 8)}, ""},
    {"h for b", "T:d=4,o=5,b=90:h,8h6", "90", {Note("b5", 4), Note("b6", 8)}, ""},
    {"blanks and line breaks",
     "T: d=4 , o=5,\r\n b=90 :\n c , 8d,\n\te",
     "90",
     {Note("c5", 4), Note("d5", 8), Note("e5", 4)},
     ""},
    {"dotted pauses", "T:d=4,o=5,b=90:p.,8p.,c", "90", {Pause(4, true), Pause(8, true), Note("c5", 4)}, ""},
    {"the dot before or after the octave", "T:d=4,o=5,b=90:c.6,8d6.", "90", {Dotted("c6", 4), Dotted("d6", 8)}, ""},
    {"e# and b# are the next notes up", "T:d=4,o=5,b=90:e#,b#", "90", {Note("f5", 4), Note("c6", 4)}, ""},
    {"octave 4",
     "T:d=4,o=4,b=90:a,c5",
     "90",
     {Note("a4", 4), Note("c5", 4)},
     "note 1, a: below the composer's octaves"},
    {"lengths the composer lacks",
     "T:d=4,o=5,b=90:64c,3d",
     "90",
     {Note("c5", 64), Note("d5", 3)},
     "note 2, 3d: a duration the composer does not have"},
    {"a trailing comma", "T:d=4,o=5,b=90:c,d,", "90", {Note("c5", 4), Note("d5", 4)}, ""},
    {"a trailing blank", "T:d=4,o=5,b=90:c d ", "90", {Note("c5", 4), Note("d5", 4)}, ""},
    {"a single note", "T:d=4,o=5,b=90:c", "90", {Note("c5", 4)}, ""},
    {"a single note with everything", "T:d=4,o=5,b=90:8g#6.", "90", {Dotted("g#6", 8)}, ""},
};

class ReadingRules : public ::testing::TestWithParam<Rule> {};

TEST_P(ReadingRules, EveryNoteAtItsPitchAndLength) {
    const Rule& rule = GetParam();
    auto ringtone = Ringtone(",");
    ringtone.SetFull_RTTTL(tw::JoinLines(rule.text));
    EXPECT_EQ(ringtone.Tempo(), rule.tempo);
    ASSERT_EQ(ringtone.Notes().size(), rule.heard.size()) << ringtone.Full_RTTTL();
    for (std::size_t i = 0; i < rule.heard.size(); ++i) {
        const tw::CNote& note = ringtone.Notes()[i];
        const Heard& heard = rule.heard[i];
        EXPECT_DOUBLE_EQ(note.SoundDuration(), heard.length) << "note " << i + 1;
        if (heard.frequency == 0) {
            EXPECT_EQ(note.SoundFrequency(), 0) << "note " << i + 1;
        } else {
            const double cents = 1200 * std::log2(note.SoundFrequency() / heard.frequency);
            EXPECT_LT(std::abs(cents), 3) << "note " << i + 1 << " sounds at " << note.SoundFrequency() << " Hz";
        }
    }
    if (*rule.problem)
        EXPECT_NE(ringtone.ErrorMessage().find(rule.problem), std::string::npos) << ringtone.ErrorMessage();
    else EXPECT_EQ(ringtone.ErrorMessage(), "");
}

// Each row named for its rule: "the_dot_before_or_after_the_octave".
std::string RuleName(const ::testing::TestParamInfo<Rule>& info) {
    std::string name;
    for (const char c : std::string(info.param.rule)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(OneRingtoneEach, ReadingRules, ::testing::ValuesIn(kRules), RuleName);

}  // namespace

#include "test_support.h"

namespace {

using namespace twtest;

using TextPair = std::pair<const char*, const char*>;

TEST(ConvertOctave, MapsBothNumberingsAndNothingElse) {
    const TextPair cases[] = {{"1", "5"}, {"2", "6"}, {"3", "7"}, {"5", "1"}, {"6", "2"}, {"7", "3"}, {"0", ""},
                              {"9", ""},  {" 5", ""}, {"5 ", ""}, {"05", ""}, {"", ""},   {"c", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(tw::ConvertOctave(in), out) << "octave " << in;
    for (const char* octave : {"4", "8"}) {
        try {
            tw::ConvertOctave(octave);
            ADD_FAILURE() << "no failure for " << octave;
        } catch (const tw::EngineError& e) {
            EXPECT_EQ(e.reason(), Reason::InvalidOctave);
            EXPECT_STREQ(e.what(), "Invalid Octave");
        }
    }
}

TEST(NoteKey, LettersAnyCaseAndPause) {
    const TextPair cases[] = {{"c", "1"}, {"d", "2"}, {"e", "3"}, {"f", "4"}, {"g", "5"}, {"a", "6"}, {"b", "7"},
                              {"C", "1"}, {"B", "7"}, {"-", "0"}, {"p", ""},  {"h", ""},  {"", ""},   {"cc", ""}};
    for (const auto& [letter, key] : cases) EXPECT_EQ(tw::NoteKey(letter), key) << "letter " << letter;
}

struct StepCase {
    const char* from;
    std::int16_t target;
    const char* keys;
};

TEST(DurationKeys, PressesEightOrNineWithoutWrapping) {
    const StepCase cases[] = {{"4", 8, "8"}, {"4", 32, "888"},   {"4", 1, "99"},     {"4", 4, ""},
                              {"8", 4, "9"}, {"32", 1, "99999"}, {"1", 32, "88888"}, {"16", 2, "999"},
                              {"4", 3, ""},  {"4", 64, ""},      {"3", 4, ""},       {"2", 2, ""}};
    for (const auto& c : cases) {
        tw::NoteState state;
        state.LastKeyDuration = c.from;
        EXPECT_EQ(tw::DurationKeys(state, c.target), c.keys) << c.from << " -> " << c.target;
    }
}

TEST(OctaveKeys, StarsGoRoundThreeOctaves) {
    const StepCase cases[] = {{"1", 1, ""},  {"1", 2, "*"},  {"1", 3, "**"}, {"2", 3, "*"}, {"2", 1, "**"},
                              {"3", 1, "*"}, {"3", 2, "**"}, {"1", 4, ""},   {"1", 0, ""},  {"5", 1, ""}};
    for (const auto& c : cases) {
        tw::NoteState state;
        state.LastKeyOctave = c.from;
        EXPECT_EQ(tw::OctaveKeys(state, c.target), c.keys) << c.from << " -> " << c.target;
    }
}

}  // namespace

#include "test_support.h"

namespace {

using namespace twtest;

using C = tw::CNote;

class CNoteTest : public ::testing::Test {
protected:
    std::shared_ptr<tw::NoteState> state = std::make_shared<tw::NoteState>();
    tw::CNote note{state};

    // One setter call on `note`, then its fields and keypresses (unchecked when null).
    struct Step {
        void (C::*set)(std::string);
        const char* value;
        const char* expected;
    };
    std::string Shown() const { return Fields(note) + " " + note.Keypresses(); }
    void Run(std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            (note.*step.set)(step.value);
            if (step.expected) EXPECT_EQ(Shown(), step.expected) << "after setting " << step.value;
        }
    }
};

TEST_F(CNoteTest, DurationSettersLeaveOutTheDefault) {
    Run({{&C::SetRTTTLDuration, "8", "8|8||||||| "}, {&C::SetRTTTLDuration, "4", "|4||||||| "}});
    state->DefaultDuration = "16";
    Run({{&C::SetRTTTLDuration, "x", "|16||||||| "},
         {&C::SetComposerDuration, "x", "x|x||||||| "},
         {&C::SetComposerDuration, "16", "|16||||||| "}});
}

TEST_F(CNoteTest, NoteLettersAndSharp) {
    Run({{&C::SetRTTTLNote, "p", "||p|-||||| "},
         {&C::SetRTTTLNote, "P", "||P|P||||| "},
         {&C::SetComposerNote, "-", "||p|-||||| "},
         {&C::SetComposerNote, "e", nullptr},
         {&C::SetSharp, "#", "||e|e|#|||| "},
         {&C::SetSharp, "b", "||e|e||||| "}});
}

TEST_F(CNoteTest, DotOnAPauseDependsOnWhenTheLetterIsKnown) {
    Run({{&C::SetRTTTLNote, "c", nullptr},
         {&C::SetRTTTLDotted, ".", "||c|c||.|.|| "},
         {&C::SetComposerDotted, "x", "||c|c||||| "},
         {&C::SetRTTTLNote, "p", nullptr},
         {&C::SetRTTTLDotted, ".", "||p|-||.||| "},
         {&C::SetComposerNote, "", nullptr},
         {&C::SetComposerDotted, ".", "|||||.|.|| "},
         {&C::SetComposerNote, "-", nullptr},
         {&C::SetRTTTLDotted, ".", "||p|-||.|.|| "},
         {&C::SetComposerDotted, "", "||p|-||||| "}});
}

TEST_F(CNoteTest, RTTTLOctaveConvertsAndBuildsKeys) {
    Run({{&C::SetComposerDuration, "4", nullptr},
         {&C::SetRTTTLNote, "c", nullptr},
         {&C::SetRTTTLOctave, "6", "|4|c|c||||6|2 1*"}});
    ExpectEngineError([&] { note.SetRTTTLOctave("4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Shown(), "|4|c|c||||6|2 1*");
    state->LastKeyOctave = "1";
    Run({{&C::SetRTTTLOctave, "5", "|4|c|c|||||1 1"},
         {&C::SetRTTTLOctave, "7", "|4|c|c||||7|3 1**"},
         {&C::SetRTTTLNote, "p", nullptr},
         {&C::SetComposerDuration, "8", nullptr},
         {&C::SetRTTTLOctave, "6", "8|8|p|-||||7|3 08"}});
    EXPECT_EQ(state->LastKeyDuration + state->LastKeyOctave, "43");
    state->DefaultOctave = "8";
    note.SetRTTTLNote("c");
    ExpectEngineError([&] { note.SetRTTTLOctave(""); }, Reason::InvalidOctave);
}

TEST_F(CNoteTest, ComposerOctaveAgainstTheDefault) {
    state->DefaultOctave = "6";
    Run({{&C::SetComposerDuration, "4", nullptr},
         {&C::SetComposerNote, "c", nullptr},
         {&C::SetComposerOctave, "2", "|4|c|c|||||2 1*"},
         {&C::SetComposerOctave, "3", "|4|c|c||||7|3 1*"}});
    ExpectEngineError([&] { note.SetComposerOctave("4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Shown(), "|4|c|c||||7|4 1*");
}

struct SoundCase {
    const char* composerToken;
    std::int32_t frequency;
    double duration;
};

TEST(CNoteSound, PitchAndLengthOfComposerTokens) {
    const SoundCase cases[] = {
        {"4c1", 523, 0.25},   {"4C1", 523, 0.25},       {"4c3", 2092, 0.25},   {"4#a2", 1864, 0.25},
        {"4#g3", 3324, 0.25}, {"4#e1", 659, 0.25},      {"4#b2", 1976, 0.25},  {"4d2", 1174, 0.25},
        {"4-", 0, 0.25},      {"4-x", 0, 0.25},         {"4h1", 0, 0.25},      {"16c1", 523, 0.0625},
        {"4.c1", 523, 0.375}, {"32.c1", 523, 0.046875}, {"8.d1", 587, 0.1875}, {"4.-", 0, 0.375},
        {"4c0", 262, 0.25},   {"4f-1", 174, 0.25},      {"1g1", 784, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.composerToken);
        tw::CNote n(std::make_shared<tw::NoteState>());
        n.SetComposerBatch(c.composerToken);
        EXPECT_EQ(n.SoundFrequency(), c.frequency);
        EXPECT_DOUBLE_EQ(n.SoundDuration(), c.duration);
    }
}

TEST_F(CNoteTest, SoundFailsInsteadOfOverflowing) {
    note.SetComposerBatch("0c1");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::DivisionByZero);
    note.SetComposerDuration("99999999999");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::OutOfRange);
    tw::CNote high(state), huge(state), pause(state);
    high.SetComposerBatch("4c40");
    ExpectEngineError([&] { high.SoundFrequency(); }, Reason::OutOfRange);
    ExpectEngineError([&] { huge.SetComposerBatch("4c99999"); }, Reason::OutOfRange);
    pause.SetRTTTLBatch("8p.");
    EXPECT_DOUBLE_EQ(pause.SoundDuration(), 0.125);
}

// `fields` as Fields() and then the keypresses after a space.
struct TokenCase {
    const char *token, *fields;
    bool misread;
    const char *rtttl, *composer;
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << '"' << c.token << '"'; }

// Read with the defaults d=4, o=5.
const TokenCase kRTTTLTokens[] = {
    {"16c#.6", "16|16|c|c|#|.|.|6|2 (hold 1)88*#", false, "16c#.6", "16.#c2"},
    {"4p", "|4|p|-||||| 0", false, "p", "4-"},
    {"8p.", "8|8|p|-||.||| 08", false, "8p.", "8-"},
    {"c", "|4|c|c|||||1 1", false, "c", "4c1"},
    {"32a#7", "32|32|a|a|#|||7|3 6888**#", false, "32a#7", "32#a3"},
    {"8C5", "8|8|C|C|||||1 18", false, "8c", "8c1"},
    {"8P", "8|8|P|P|||||1 8", false, "8p", "8p1"},
    {"", "|4|||||||1 ", false, "", "41"},
    {"8c ", "8|8|c|c|||||1 18", false, "8c", "8c1"},
    {"8c6.", "8|8|c|c||.|.|6|2 (hold 1)8*", false, "8c.6", "8.c2"},
    {"8c5.", "8|8|c|c||.|.||1 (hold 1)8", false, "8c.", "8.c1"},
    {"8c#6.", "8|8|c|c|#|.|.|6|2 (hold 1)8*#", false, "8c#.6", "8.#c2"},
    {"8c.#5", "8|8|c|c||.|.||1 (hold 1)8", true, "8c.", "8.c1"},
    {"8d 8f", "8|8|d|d|||||1 28", true, "8d", "8d1"},
    {"3c", "3|3|c|c|||||1 1", true, "3c", "3c1"},
    {"64c", "64|64|c|c|||||1 1", true, "64c", "64c1"},
};

const TokenCase kComposerTokens[] = {
    {"16.#f3", "16|16|f|f|#|.|.|7|3 (hold 4)88**#", false, "16f#.7", "16.#f3"},
    {"4-", "|4|p|-||||| 0", false, "p", "4-"},
    {"4.-", "|4|p|-||.|.|| 0", false, "p.", "4.-"},
    {"32c1", "32|32|c|c|||||1 1888", false, "32c", "32c1"},
    {"8C1", "8|8|C|C|||||1 18", false, "8c", "8c1"},
    {"4.#c2", "|4|c|c|#|.|.|6|2 (hold 1)*#", false, "c#.6", "4.#c2"},
    {"4-2", "|4|p|-||||6|2 0", false, "p6", "4-2"},
    {"4c9", "|4|c|c|||||9 1", true, "c", "4c9"},
    {"4c01", "|4|c|c|||||01 1", true, "c", "4c01"},
    {"4-5", "|4|p|-||||1|5 0", true, "p1", "4-5"},
    {"3c1", "3|3|c|c|||||1 1", true, "3c", "3c1"},
};

class RTTTLToken : public ::testing::TestWithParam<TokenCase> {};
class ComposerToken : public ::testing::TestWithParam<TokenCase> {};

void ExpectRead(const tw::CNote& n, const TokenCase& c) {
    EXPECT_EQ(Fields(n) + " " + n.Keypresses(), c.fields);
    EXPECT_EQ(n.Misread(), c.misread);
    EXPECT_EQ(n.RTTTLText(), c.rtttl);
    EXPECT_EQ(n.ComposerText(), c.composer);
}

TEST_P(RTTTLToken, ReadsEveryField) {
    tw::CNote n(std::make_shared<tw::NoteState>());
    n.SetRTTTLBatch(GetParam().token);
    ExpectRead(n, GetParam());
}

TEST_P(ComposerToken, ReadsEveryField) {
    tw::CNote n(std::make_shared<tw::NoteState>());
    n.SetComposerBatch(GetParam().token);
    ExpectRead(n, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Tokens, RTTTLToken, ::testing::ValuesIn(kRTTTLTokens));
INSTANTIATE_TEST_SUITE_P(Tokens, ComposerToken, ::testing::ValuesIn(kComposerTokens));

TEST_F(CNoteTest, FailingTokensKeepWhatWasRead) {
    ExpectEngineError([&] { note.SetRTTTLBatch("8g4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Fields(note), "8|8|g|g|||||");
    tw::CNote composer(state), noOctave(state), noDuration(state), fromDefault(state);
    ExpectEngineError([&] { composer.SetComposerBatch("8c4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Fields(composer), "8|8|c|c|||||4");
    ExpectEngineError([&] { noOctave.SetComposerBatch("4c"); }, Reason::NotANumber);
    ExpectEngineError([&] { noDuration.SetComposerBatch("c1"); }, Reason::NotANumber);
    EXPECT_EQ(Fields(noDuration), "||c|c|||||1");
    state->DefaultOctave = "4";
    ExpectEngineError([&] { fromDefault.SetRTTTLBatch("c"); }, Reason::InvalidOctave);
}

TEST(KeypressToken, ReplaysKeysFromTheStartState) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "4c1"},   {"1)*#", "4.#c2"}, {"18", "8c1"},   {"19", "2c1"},        {"0", "4-1"},
        {"08", "8-1"},  {"0#)*", "4-1"},   {"*0", "4-2"},   {"12", "4d1"},        {"8", "81"},
        {"5#", "4#g1"}, {"1***", "4c1"},   {"7988", "8b1"}, {"(hold 5)", "4.g1"},
    };
    for (const auto& [keys, composer] : cases) {
        SCOPED_TRACE(keys);
        tw::CNote n(std::make_shared<tw::NoteState>());
        n.SetKeypressBatch(keys);
        EXPECT_EQ(n.ComposerText(), composer);
        EXPECT_EQ(n.RTTTLNote() + n.RTTTLDuration() + n.Keypresses(), "");
    }
}

TEST(KeypressToken, DurationWrapsAndStateCarriesOver) {
    auto state = std::make_shared<tw::NoteState>();
    state->KeyNoteDuration = "32";
    const std::pair<const char*, const char*> sequence[] = {{"18", "1c1"}, {"19", "32c1"}, {"08", "1-1"},
                                                            {"0", "32-1"}, {"*2", "32d2"}, {"3", "32e2"}};
    for (const auto& [keys, composer] : sequence) {
        tw::CNote n(state);
        n.SetKeypressBatch(keys);
        EXPECT_EQ(n.ComposerText(), composer) << "keys " << keys;
    }
}

}  // namespace

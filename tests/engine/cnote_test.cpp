#include <tuple>

#include "test_support.h"

namespace {

using namespace twtest;

tw::CNote Composer(const char* token, std::shared_ptr<tw::NoteState> state = std::make_shared<tw::NoteState>()) {
    tw::CNote note(std::move(state));
    note.SetComposerBatch(token);
    return note;
}

TEST(CNoteSound, PitchAndLengthOfComposerTokens) {
    const std::tuple<const char*, std::int32_t, double> cases[] = {
        {"4c1", 523, 0.25},     {"4C1", 523, 0.25},       {"4c3", 2092, 0.25},     {"4#a2", 1864, 0.25},
        {"4#g3", 3324, 0.25},   {"4#e1", 659, 0.25},      {"4#b2", 1976, 0.25},    {"4d2", 1174, 0.25},
        {"4-", 0, 0.25},        {"4-x", 0, 0.25},         {"4h1", 0, 0.25},        {"16c1", 523, 0.0625},
        {"4.c1", 523, 0.375},   {"32.c1", 523, 0.046875}, {"8.d1", 587, 0.1875},   {"4.-", 0, 0.375},
        {"4c0", 262, 0.25},     {"4f-1", 174, 0.25},      {"1g1", 784, 1.0}};
    for (const auto& [token, frequency, duration] : cases) {
        SCOPED_TRACE(token);
        EXPECT_EQ(Composer(token).SoundFrequency(), frequency);
        EXPECT_DOUBLE_EQ(Composer(token).SoundDuration(), duration);
    }
}

TEST(CNoteSound, FailsInsteadOfOverflowing) {
    tw::CNote note = Composer("0c1");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::DivisionByZero);
    note.SetComposerDuration("99999999999");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::OutOfRange);
    ExpectEngineError([&] { Composer("4c40").SoundFrequency(); }, Reason::OutOfRange);
    ExpectEngineError([&] { Composer("4c99999"); }, Reason::OutOfRange);
    tw::CNote pause;
    pause.SetRTTTLBatch("8p.");
    EXPECT_DOUBLE_EQ(pause.SoundDuration(), 0.125);
}

// One token read with the defaults d=4, o=5: its fields and, after a space, its keypresses.
TEST(TokenRead, FillsEveryField) {
    constexpr Notation R = Notation::RTTTL, C = Notation::Composer;
    const struct {
        Notation notation;
        const char *token, *fields;
        bool misread;
        const char *rtttl, *composer;
    } cases[] = {
        {R, "16c#.6", "16|16|c|c|#|.|.|6|2 (hold 1)88*#", false, "16c#.6", "16.#c2"},
        {R, "8p.", "8|8|p|-||.||| 08", false, "8p.", "8-"},
        {R, "c", "|4|c|c|||||1 1", false, "c", "4c1"},
        {R, "32a#7", "32|32|a|a|#|||7|3 6888**#", false, "32a#7", "32#a3"},
        {R, "", "|4|||||||1 ", false, "", "41"},
        {R, "8c5.", "8|8|c|c||.|.||1 (hold 1)8", false, "8c.", "8.c1"},
        {R, "8c.#5", "8|8|c|c||.|.||1 (hold 1)8", true, "8c.", "8.c1"},
        {R, "8d 8f", "8|8|d|d|||||1 28", true, "8d", "8d1"},
        {R, "3c", "3|3|c|c|||||1 1", true, "3c", "3c1"},
        {R, "64c", "64|64|c|c|||||1 1", true, "64c", "64c1"},
        {C, "16.#f3", "16|16|f|f|#|.|.|7|3 (hold 4)88**#", false, "16f#.7", "16.#f3"},
        {C, "4.-", "|4|p|-||.|.|| 0", false, "p.", "4.-"},
        {C, "32c1", "32|32|c|c|||||1 1888", false, "32c", "32c1"},
        {C, "4.#c2", "|4|c|c|#|.|.|6|2 (hold 1)*#", false, "c#.6", "4.#c2"},
        {C, "4-2", "|4|p|-||||6|2 0", false, "p6", "4-2"},
        {C, "4c9", "|4|c|c|||||9 1", true, "c", "4c9"},
        {C, "4c01", "|4|c|c|||||01 1", true, "c", "4c01"},
        {C, "4-5", "|4|p|-||||1|5 0", true, "p1", "4-5"},
        {C, "3c1", "3|3|c|c|||||1 1", true, "3c", "3c1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        tw::CNote n;
        if (c.notation == R) n.SetRTTTLBatch(c.token);
        else n.SetComposerBatch(c.token);
        EXPECT_EQ(Fields(n) + " " + n.Keypresses(), c.fields);
        EXPECT_EQ(n.Misread(), c.misread);
        EXPECT_EQ(n.RTTTLText() + "|" + n.ComposerText(), std::string(c.rtttl) + "|" + c.composer);
    }
}

TEST(TokenRead, FailingTokensKeepWhatWasRead) {
    auto state = std::make_shared<tw::NoteState>();
    tw::CNote rtttl(state), composer(state), noDuration(state), fromDefault(state);
    ExpectEngineError([&] { rtttl.SetRTTTLBatch("8g4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Fields(rtttl), "8|8|g|g|||||");
    ExpectEngineError([&] { composer.SetComposerBatch("8c4"); }, Reason::InvalidOctave);
    EXPECT_EQ(Fields(composer), "8|8|c|c|||||4");
    ExpectEngineError([&] { Composer("4c", state); }, Reason::NotANumber);
    ExpectEngineError([&] { noDuration.SetComposerBatch("c1"); }, Reason::NotANumber);
    EXPECT_EQ(Fields(noDuration), "||c|c|||||1");
    state->DefaultOctave = "4";
    ExpectEngineError([&] { fromDefault.SetRTTTLBatch("c"); }, Reason::InvalidOctave);
}

TEST(KeypressToken, ReplaysKeysOnTheComposersState) {
    const std::pair<const char*, const char*> fromStart[] = {
        {"1", "4c1"},  {"1)*#", "4.#c2"}, {"18", "8c1"},   {"19", "2c1"},   {"0", "4-1"},   {"08", "8-1"},
        {"0#)*", "4-1"}, {"*0", "4-2"},   {"12", "4d1"},   {"8", "81"},     {"5#", "4#g1"}, {"1***", "4c1"},
        {"7988", "8b1"}, {"(hold 5)", "4.g1"}};
    for (const auto& [keys, composer] : fromStart) {
        tw::CNote n;
        n.SetKeypressBatch(keys);
        EXPECT_EQ(n.ComposerText(), composer) << "keys " << keys;
        EXPECT_EQ(n.RTTTLNote() + n.RTTTLDuration() + n.Keypresses(), "") << "keys " << keys;
    }
    // One after the other: the state carries over and durations wrap round.
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

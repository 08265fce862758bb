#include <memory>
#include <ostream>
#include <tuple>
#include <vector>

#include "engine/cnotes.h"
#include "test_support.h"

namespace {

using namespace twtest;

tw::CNote Composer(const char* token, std::shared_ptr<tw::NoteState> state = std::make_shared<tw::NoteState>()) {
    tw::CNote note(std::move(state));
    note.SetComposerBatch(token);
    return note;
}

// A composer note sounds in its composer octave; an RTTTL note in the octave
// it is written in, a4 being 440 Hz.
TEST(CNoteSound, PitchAndLength) {
    constexpr Notation C = Notation::Composer, R = Notation::RTTTL;
    const std::tuple<Notation, const char*, double, double> cases[] = {
        {C, "4c1", 523, 0.25},         {C, "4C1", 523, 0.25},       {C, "4c3", 2092, 0.25},
        {C, "4#a2", 1864, 0.25},       {C, "4#g3", 3324, 0.25},     {C, "4#e1", 698, 0.25},
        {C, "4#b2", 2092, 0.25},       {C, "4d2", 1174, 0.25},      {C, "4-", 0, 0.25},
        {C, "4-x", 0, 0.25},           {C, "4h1", 0, 0.25},         {C, "16c1", 523, 0.0625},
        {C, "4.c1", 523, 0.375},       {C, "32.c1", 523, 0.046875}, {C, "8.d1", 587, 0.1875},
        {C, "4.-", 0, 0.375},          {C, "4c0", 261.5, 0.25},     {C, "4f-1", 174.5, 0.25},
        {C, "1g1", 784, 1.0},          {R, "a4", 440, 0.25},        {R, "16b4", 494, 0.0625},
        {R, "c4", 261.5, 0.25},        {R, "a#3", 233, 0.25},       {R, "c8", 4184, 0.25},
        {R, "16e.2", 82.375, 0.09375}, {R, "b7", 3952, 0.25},       {R, "8p.", 0, 0.1875},
        {R, "4e#5", 698, 0.25},        {R, "b#5", 1046, 0.25}};
    for (const auto& [notation, token, frequency, duration] : cases) {
        SCOPED_TRACE(token);
        tw::CNote note;
        if (notation == C) note.SetComposerBatch(token);
        else note.SetRTTTLBatch(token);
        EXPECT_DOUBLE_EQ(note.SoundFrequency(), frequency);
        EXPECT_DOUBLE_EQ(note.SoundDuration(), duration);
    }
}

TEST(CNoteSound, FailsInsteadOfOverflowing) {
    tw::CNote note = Composer("0c1");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::DivisionByZero);
    note.SetComposerDuration("99999999999");
    ExpectEngineError([&] { note.SoundDuration(); }, Reason::OutOfRange);
    ExpectEngineError([&] { Composer("4c99999"); }, Reason::OutOfRange);
}

// One token read with the defaults d=4, o=5: its fields and keypresses, what
// is reported about it, and whether it was misread.
TEST(TokenRead, FillsEveryField) {
    constexpr Notation R = Notation::RTTTL, C = Notation::Composer;
    const char* const below = "below the composer's octaves";
    const char* const tooHigh = "above the composer's octaves; too high for the sound, plays as silence";
    const char* const duration = "a duration the composer does not have";
    const char* const octave = "an octave the composer does not have";
    const char* const octaveTooHigh = "an octave the composer does not have; too high for the sound, plays as silence";
    const char* const zero = "a note without a length";
    const struct {
        Notation notation;
        const char* token;
        NoteFields fields;
        const char* problem;
        bool misread;
        const char *rtttl, *composer;
    } cases[] = {
        {R, "16c#.6", {"16", "16", "c", "c", "#", ".", ".", "6", "2", "(hold 1)88*#"}, "", false, "16c#.6", "16.#c2"},
        {R, "8p.", {"8", "8", "p", "-", "", ".", ".", "", "", "08"}, "", false, "8p.", "8.-"},
        {R, "c", {"", "4", "c", "c", "", "", "", "", "1", "1"}, "", false, "c", "4c1"},
        {R, "32a#7", {"32", "32", "a", "a", "#", "", "", "7", "3", "6888**#"}, "", false, "32a#7", "32#a3"},
        {R, "8c5.", {"8", "8", "c", "c", "", ".", ".", "", "1", "(hold 1)8"}, "", false, "8c.", "8.c1"},
        {R, "16#g4", {"16", "16", "g", "g", "#", "", "", "4", "1", "588#"}, below, false, "16g#4", "16#g1"},
        {R, "8A_", {"8", "8", "a", "a", "#", "", "", "", "1", "68#"}, "", false, "8a#", "8#a1"},
        {R, "H", {"", "4", "b", "b", "", "", "", "", "1", "7"}, "", false, "b", "4b1"},
        {R, "8P", {"8", "8", "p", "-", "", "", "", "", "", "08"}, "", false, "8p", "8-"},
        {R, "e#", {"", "4", "f", "f", "", "", "", "", "1", "4"}, "", false, "f", "4f1"},
        {R, "b#6", {"", "4", "c", "c", "", "", "", "7", "3", "1**"}, "", false, "c7", "4c3"},
        {R, "c8", {"", "4", "c", "c", "", "", "", "8", "3", "1**"}, tooHigh, false, "c8", "4c3"},
        {R, "3c", {"3", "3", "c", "c", "", "", "", "", "1", "1"}, duration, false, "3c", "3c1"},
        {R, "64c", {"64", "64", "c", "c", "", "", "", "", "1", "1888"}, duration, false, "64c", "64c1"},
        {R, "", {"", "4", "", "", "", "", "", "", "1", "0"}, "not a note", true, "4", "41"},
        {R, "8c.#5", {"8", "8", "c", "c", "", ".", ".", "", "1", "(hold 1)8"}, "not a note", true, "8c.", "8.c1"},
        {R, "8d 8f", {"8", "8", "d", "d", "", "", "", "", "1", "28"}, "not a note", true, "8d", "8d1"},
        {R, "0c", {"0", "0", "c", "c", "", "", "", "", "1", "1"}, zero, true, "0c", "0c1"},
        {R, "08c06", {"8", "8", "c", "c", "", "", "", "6", "2", "18*"}, "", false, "8c6", "8c2"},
        {C, "16.#f3", {"16", "16", "f", "f", "#", ".", ".", "7", "3", "(hold 4)88**#"}, "", false, "16f#.7", "16.#f3"},
        {C, "4.-", {"", "4", "p", "-", "", ".", ".", "", "", "0"}, "", false, "p.", "4.-"},
        {C, "32c1", {"32", "32", "c", "c", "", "", "", "", "1", "1888"}, "", false, "32c", "32c1"},
        {C, "4.#c2", {"", "4", "c", "c", "#", ".", ".", "6", "2", "(hold 1)*#"}, "", false, "c#.6", "4.#c2"},
        {C, "4-2", {"", "4", "p", "-", "", "", "", "6", "2", "0"}, "", false, "p6", "4-2"},
        {C, "4c9", {"", "4", "c", "c", "", "", "", "13", "9", "1**"}, octaveTooHigh, false, "c13", "4c9"},
        {C, "4c0", {"", "4", "c", "c", "", "", "", "4", "0", "1"}, octave, false, "c4", "4c0"},
        {C, "8.g4", {"8", "8", "g", "g", "", ".", ".", "8", "4", "(hold 5)8**"}, octaveTooHigh, false, "8g.8", "8.g4"},
        {C, "4h1", {"", "4", "h", "h", "", "", "", "", "1", "0"}, "not a note", true, "h", "4h1"},
        {C, "0c1", {"0", "0", "c", "c", "", "", "", "", "1", "1"}, zero, true, "0c", "0c1"},
        {C, "4c01", {"", "4", "c", "c", "", "", "", "", "01", "1"}, octave, true, "c", "4c01"},
        {C, "4-5", {"", "4", "p", "-", "", "", "", "9", "5", "0"}, octave, false, "p9", "4-5"},
        {C, "3c1", {"3", "3", "c", "c", "", "", "", "", "1", "1"}, duration, false, "3c", "3c1"},
        {C, "128c1", {"128", "128", "c", "c", "", "", "", "", "1", "1888"}, duration, false, "128c", "128c1"},
        {C, "4#e2", {"", "4", "f", "f", "", "", "", "6", "2", "4*"}, "", false, "f6", "4f2"},
        {C, "8#b2", {"8", "8", "c", "c", "", "", "", "7", "3", "18**"}, "", false, "8c7", "8c3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        tw::CNote n;
        if (c.notation == R) n.SetRTTTLBatch(c.token);
        else n.SetComposerBatch(c.token);
        EXPECT_EQ(Fields(n), c.fields);
        EXPECT_EQ(n.Problem(), c.problem);
        EXPECT_EQ(n.ProblemToken(), *c.problem ? c.token : "");
        EXPECT_EQ(n.Misread(), c.misread);
        EXPECT_EQ(n.RTTTLText() + "|" + n.ComposerText(), std::string(c.rtttl) + "|" + c.composer);
    }
}

// The default octave counts as the note's own: under o=4 a note without an
// octave is below the composer's octaves and written back without one.
TEST(TokenRead, OctavesOutsideTheComposersAreKeptAndReported) {
    auto state = std::make_shared<tw::NoteState>();
    state->DefaultOctave = "4";
    tw::CNote fromDefault(state), written(state);
    fromDefault.SetRTTTLBatch("a");
    EXPECT_EQ(Fields(fromDefault), (NoteFields{"", "4", "a", "a", "", "", "", "", "1", "6"}));
    EXPECT_EQ(fromDefault.Problem(), "below the composer's octaves");
    EXPECT_DOUBLE_EQ(fromDefault.SoundFrequency(), 440);
    written.SetRTTTLBatch("a5");
    EXPECT_EQ(written.RTTTLText() + " " + written.Problem(), "a5 ");
}

// A failing token keeps what was read, its note key among it: the
// keypresses never write an empty token.
TEST(TokenRead, FailingTokensKeepWhatWasRead) {
    auto state = std::make_shared<tw::NoteState>();
    tw::CNote noOctave(state), noDuration(state);
    ExpectEngineError([&] { noOctave.SetComposerBatch("8c"); }, Reason::NotANumber);
    EXPECT_EQ(Fields(noOctave), (NoteFields{"8", "8", "c", "c", "", "", "", "", "", "18"}));
    ExpectEngineError([&] { noDuration.SetComposerBatch("c1"); }, Reason::NotANumber);
    EXPECT_EQ(Fields(noDuration), (NoteFields{"", "", "c", "c", "", "", "", "", "1", "1"}));
}

TEST(KeypressToken, ReplaysKeysOnTheComposersState) {
    const std::pair<const char*, const char*> fromStart[] = {
        {"1", "4c1"},   {"1)*#", "4.#c2"}, {"18", "8c1"},   {"19", "2c1"},       {"0", "4-1"},
        {"08", "8-1"},  {"0#)*", "4-1"},   {"*0", "4-2"},   {"12", "4d1"},       {"8", "81"},
        {"5#", "4#g1"}, {"1***", "4c1"},   {"7988", "8b1"}, {"(hold 5)", "4.g1"}};
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

// A duration and an octave too long for a note's short fields, and problems:
// copies keep them all and stay apart from the original.
TEST(CNoteCopy, KeepsLongFieldsAndProblems) {
    const char* const token = "20000c#200.";
    tw::CNote original, fresh;
    original.SetRTTTLBatch(token);
    fresh.SetRTTTLBatch(token);
    const tw::CNote copy = original;
    tw::CNote assignedTo;
    assignedTo = original;
    const tw::CNote& assigned = assignedTo;
    original.SetComposerBatch("8d2");
    for (const tw::CNote* note : {&copy, &assigned}) {
        EXPECT_EQ(Fields(*note), Fields(fresh));
        EXPECT_EQ(note->Problem() + "|" + note->ProblemToken(), fresh.Problem() + "|" + token);
        EXPECT_EQ(note->RTTTLText() + " " + note->ComposerText(), "20000c#.200 20000.#c3");
        EXPECT_DOUBLE_EQ(note->SoundFrequency(), fresh.SoundFrequency());
    }
    EXPECT_EQ(original.ComposerDuration() + original.ComposerNote() + original.Problem(), "8d");
}

// A copy of a ringtone's note stays whole when the ringtone is gone.
TEST(CNoteCopy, OutlivesItsRingtone) {
    std::optional<tw::CNote> copy;
    {
        tw::CNotes ringtone;
        ringtone.SetFull_RTTTL("A:d=8,o=6,b=125:c,4d");
        copy = ringtone.Notes().at(0);
    }
    copy->SetRTTTLBatch("e");  // in the ringtone's default octave, 6
    EXPECT_EQ(copy->RTTTLText(), "e");
    EXPECT_NEAR(copy->SoundFrequency(), 1318.5, 0.5);
}

}  // namespace

namespace {

// A ringtone's notes, read one after another on one note state, each both
// the quick way (a note of short fields) and the general way (a note that
// holds a text aside, which the quick reader leaves to the setters): the
// same fields, keys, problems and composer state after every note.
struct SameReadingCase {
    const char* defaultDuration;
    const char* defaultOctave;
    std::vector<const char*> tokens;
};

void PrintTo(const SameReadingCase& c, std::ostream* os) {
    *os << "d=" << c.defaultDuration << ",o=" << c.defaultOctave << " (" << c.tokens.size() << " tokens)";
}

class TokenReadBothWays : public ::testing::TestWithParam<SameReadingCase> {};

TEST_P(TokenReadBothWays, GiveTheSameNotes) {
    const SameReadingCase& c = GetParam();
    const auto start = [&] {
        auto state = std::make_shared<tw::NoteState>();
        state->DefaultDuration = c.defaultDuration;
        state->DefaultOctave = c.defaultOctave;
        return state;
    };
    const auto quickState = start(), generalState = start();
    for (const char* token : c.tokens) {
        SCOPED_TRACE(token);
        tw::CNote quick(quickState), general(generalState);
        general.SetKeypresses("(hold");  // a text kept aside
        quick.SetRTTTLBatch(token);
        general.SetRTTTLBatch(token);
        EXPECT_EQ(quick.RTTTLText(), general.RTTTLText());
        EXPECT_EQ(quick.ComposerText(), general.ComposerText());
        EXPECT_EQ(quick.Keypresses(), general.Keypresses());
        EXPECT_EQ(quick.RTTTLOctave() + "/" + quick.ComposerOctave(),
                  general.RTTTLOctave() + "/" + general.ComposerOctave());
        EXPECT_EQ(quick.Problem(), general.Problem());
        EXPECT_EQ(quick.Misread(), general.Misread());
        EXPECT_EQ(quick.SoundFrequency(), general.SoundFrequency());
        EXPECT_EQ(quickState->LastKeyDuration + "/" + quickState->LastKeyOctave,
                  generalState->LastKeyDuration + "/" + generalState->LastKeyOctave);
    }
}

const std::vector<const char*> EveryKind = {
    "c",    "8c#.6", "4p",   "16g",    "2a#7", "8e.",   "32f6", "8p.",   "4d#", "b",    "e#",     "b#",
    "8b#7", "h",     "_a",   "#f",     "C",    "P",     "0c",   "3c",    "64d", "128e", "05c6",   "16383c",
    "c0",   "c4",    "c9",   "c127",   "b#16", "16p9",  "1c.5", "2.c",   "32b", "8a7",  "16c#8.", "4g#4",
    "1p",   "32p",   "8c6.", "16383p", "e#7",  "b#127", "b#4",  "16c07", "4e8", "32b9", "c5",     "8c5"};

INSTANTIATE_TEST_SUITE_P(Defaults, TokenReadBothWays,
                         ::testing::Values(SameReadingCase{"4", "5", EveryKind}, SameReadingCase{"8", "6", EveryKind},
                                           SameReadingCase{"16", "4", EveryKind}, SameReadingCase{"3", "9", EveryKind},
                                           SameReadingCase{"32", "127", EveryKind}));

// A whole ringtone read at once keeps the composer's state as numbers
// between its notes; notes the quick reader leaves to the setters (a number
// beyond a field's short form, an octave beyond a byte, a token that is no
// note) read and change the state in between. Every note must still be
// keyed as if read alone, one after another, the general way.
TEST(RingtoneRead, KeysEveryNoteAsReadOneAfterAnother) {
    const std::vector<std::string> tokens = {"8c",      "16d7", "99999e", "32f6", "c128", "2g#",     "zz", "4p",
                                             "b#16383", "8a5",  "16384p", "1c.6", "h",    "40000c7", "16e"};
    std::string text = "Mixed:d=8,o=6,b=125:";
    for (const std::string& token : tokens) text += token + ",";
    tw::CNotes ringtone;
    ringtone.SetOutputSeparator(",");
    ringtone.SetFull_RTTTL(text);

    auto state = std::make_shared<tw::NoteState>();
    state->DefaultDuration = "8";
    state->DefaultOctave = "6";
    std::string keys;
    for (const std::string& token : tokens) {
        tw::CNote note(state);
        note.SetKeypresses("(hold");  // a text kept aside: the general way
        try {
            note.SetRTTTLBatch(token);
        } catch (const tw::EngineError&) {
            // A ringtone keeps a note that fails as far as it was read.
        }
        keys += (keys.empty() ? "" : ",") + note.Keypresses();
    }
    EXPECT_EQ(ringtone.Only_Keypresses(), keys);
}

}  // namespace

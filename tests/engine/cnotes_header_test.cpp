#include "test_support.h"

namespace {

using namespace twtest;

// Flags in the order name, tempo, duration, octave.
struct HeaderCase {
    const char* text;
    Notation notation;
    const char *name, *tempo, *defaultDuration, *defaultOctave, *flags;
    std::int32_t count;
};

const HeaderCase kHeaders[] = {
    {"8c 8d", Notation::RTTTL, "No name", "125", "4", "5", "0000", 2},
    {":d=4,o=5,b=125:8c 8d", Notation::RTTTL, "No name", "125", "4", "5", "1111", 2},
    {"Song:d=8,o=6,b=100:c,d,4e", Notation::RTTTL, "Song", "100", "8", "6", "1111", 3},
    {"Song:d= 8,o=6,b=100 :c,d", Notation::RTTTL, "Song", "100 ", " 8", "6", "1111", 2},
    {"Tempo Song:d=4,o=5,b=125:c", Notation::RTTTL, "No name", "125", "4", "5", "1111", 0},
    {"Song:d=16,b=90:c,d", Notation::RTTTL, "Song", "90", "16", "5", "1110", 2},
    {"Song (Tempo 120) 4c1 8d1", Notation::Composer, "Song", "120", "4", "5", "1111", 2},
    {"Song Tempo=120: 4c1", Notation::Composer, "Song", "120", "4", "5", "1111", 1},
    {"  My Song  :Tempo=90:4c1,4d1", Notation::Composer, "My Song", "90", "4", "5", "1111", 2},
    {"4c1 8d1", Notation::Composer, "No name", "125", "4", "5", "0011", 2},
    {"Tune:Tempo=140:1,2", Notation::Keypresses, "Tune", "140", "4", "5", "1111", 2},
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class HeaderRead : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderRead, FindsNameTempoAndDefaults) {
    const HeaderCase& c = GetParam();
    auto notes = Ringtone(",");
    notes.SetFull(c.notation, c.text);
    EXPECT_EQ(notes.Name(), c.name);
    EXPECT_EQ(notes.Tempo(), c.tempo);
    EXPECT_EQ(notes.DefaultDuration(), c.defaultDuration);
    EXPECT_EQ(notes.DefaultOctave(), c.defaultOctave);
    const bool found[] = {notes.NameFound(), notes.TempoFound(), notes.DurationFound(), notes.OctaveFound()};
    std::string flags;
    for (bool f : found) flags += f ? '1' : '0';
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(notes.Count(), c.count);
}

INSTANTIATE_TEST_SUITE_P(Texts, HeaderRead, ::testing::ValuesIn(kHeaders));

using BadHeaderCase = std::pair<const char*, Notation>;

class BadHeader : public ::testing::TestWithParam<BadHeaderCase> {};

TEST_P(BadHeader, ReadFails) {
    auto notes = Ringtone(",");
    ExpectEngineError([&] { notes.SetFull(GetParam().second, GetParam().first); }, Reason::BadHeader);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadHeader,
                         ::testing::Values(BadHeaderCase{"My tune Tempo=100 4c1", Notation::Composer},
                                           BadHeaderCase{"My tune Tempo=100 1 2", Notation::Keypresses},
                                           BadHeaderCase{"Song:o=5,d=4,b=125:c", Notation::RTTTL},
                                           BadHeaderCase{"Song (Tempo 120 4c1 8d1", Notation::Composer},
                                           BadHeaderCase{"Song:d=4:c d", Notation::RTTTL},
                                           BadHeaderCase{"Song:d=4,o=5:c d", Notation::RTTTL},
                                           BadHeaderCase{"Song:d=4,o=5,b=125 c d", Notation::RTTTL},
                                           BadHeaderCase{"a:b:Tempo=125:4c1,4d1", Notation::Composer}));

TEST(RingtoneText, OverlongTextIsRefusedAndNothingIsRead) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL("Song:d=8,o=6,b=100:c,d,4e");
    const std::string longText = "Big:Tempo=100:4c1,4d1" + std::string(tw::MaxRingtoneText, ' ');
    ExpectEngineError([&] { notes.SetFull_RTTTL(longText); }, Reason::TooLong);
    ExpectEngineError([&] { notes.SetFull_Composer(longText); }, Reason::TooLong);
    ExpectEngineError([&] { notes.SetFull_Keypresses(longText); }, Reason::TooLong);
    EXPECT_EQ(notes.Full_RTTTL(), "Song:d=8,o=6,b=100:c,d,4e");
    EXPECT_TRUE(notes.NameFound() && notes.NotesValid());
}

TEST(RingtoneText, TextOfExactlyTheLimitIsRead) {
    auto notes = Ringtone(",");
    std::string text = "Big:Tempo=100:4c1,4d1";
    text.resize(tw::MaxRingtoneText, ' ');
    notes.SetFull_Composer(text);
    EXPECT_EQ(notes.Name(), "Big");
    EXPECT_EQ(notes.Count(), 2);
}

TEST(RingtoneRecord, ClearResetsTheReadButNotTheSeparatorsOrPauseDuration) {
    auto state = std::make_shared<tw::NoteState>();
    tw::CNotes notes(state);
    notes.SetOutputSeparator(", ");
    notes.SetFull_RTTTL("Song:d=8,o=6,b=100:c|d");
    *state = tw::NoteState{"8", "6", "8", "3", "2", "16", "2"};
    notes.Clear();
    EXPECT_EQ(notes.Full_RTTTL(), ":d=4,o=5,b=125:");
    EXPECT_EQ(notes.Full_Composer(), ":Tempo=125:");
    EXPECT_FALSE(notes.NameFound() || notes.DurationFound() || notes.OctaveFound() || notes.TempoFound() ||
                 notes.SeparatorFound() || notes.NotesValid());
    const tw::NoteState& s = *state;
    EXPECT_EQ(s.LastKeyDuration + s.LastKeyOctave + s.KeyNoteDuration + s.KeyOctave + "/" + s.KeyPauseDuration,
              "4141/16");
    EXPECT_EQ(notes.InputSeparator(), "|");
    EXPECT_EQ(notes.OutputSeparator(), ", ");
}

TEST(RingtoneRecord, ItemsAreOneBased) {
    auto notes = Ringtone(",");
    notes.SetFull_Composer("S:Tempo=125:4c1,4d1,4e1");
    EXPECT_EQ(notes.Item(1).ComposerNote() + notes.Item(3).ComposerNote(), "ce");
    ExpectEngineError([&] { notes.Item(0); }, Reason::NoSuchNote);
    ExpectEngineError([&] { notes.Item(4); }, Reason::NoSuchNote);
    ExpectEngineError([&] { notes.Delete(4); }, Reason::NoSuchNote);
    notes.Delete(1);
    EXPECT_EQ(notes.Count(), 2);
    notes.Item(1).SetComposerNote("g");
    EXPECT_EQ(notes.Only_Composer(), "4g1,4e1");
}

struct SeparatorCase {
    const char* text;
    Notation notation;
    const char* inputSeparator;
    bool valid;
    const char* rtttl;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

const SeparatorCase kSeparators[] = {
    {"4c1|4d1", Notation::Composer, "|", true, "c,d"},
    {"4c1/4d1", Notation::Composer, "/", true, "c,d"},
    {"4c1\\4d1", Notation::Composer, "\\", true, "c,d"},
    {"4c1 4d1", Notation::Composer, " ", true, "c,d"},
    {"4c1, 4d1", Notation::Composer, ",", true, "c,d"},
    {"4c1|4d1/4e1", Notation::Composer, "|", false, "c,d"},
    {"4c1/4d1\\4e1 4f1", Notation::Composer, "/", false, "c,d"},
    {"8c, 8d 8f", Notation::RTTTL, ",", false, "8c,8d"},
    {"8c ,8d", Notation::RTTTL, ",", true, "8c,8d"},
    {"8c,,8d", Notation::RTTTL, ",", true, "8c,,8d"},
    {"8c   8d", Notation::RTTTL, " ", true, "8c,8d"},
};

class SeparatorRead : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorRead, CutsTheNotes) {
    const SeparatorCase& c = GetParam();
    auto notes = Ringtone(",");
    if (c.notation == Notation::RTTTL)
        notes.SetOnly_RTTTL(c.text);
    else
        notes.SetOnly_Composer(c.text);
    EXPECT_EQ(notes.InputSeparator(), c.inputSeparator);
    EXPECT_TRUE(notes.SeparatorFound());
    EXPECT_EQ(notes.NotesValid(), c.valid);
    EXPECT_EQ(notes.Only_RTTTL(), c.rtttl);
}

INSTANTIATE_TEST_SUITE_P(Texts, SeparatorRead, ::testing::ValuesIn(kSeparators));

TEST(SeparatorSearch, SingleNotesTrailingCommasAndLineBreaks) {
    auto notes = Ringtone(",");
    notes.SetOnly_RTTTL("8c");
    EXPECT_EQ(notes.InputSeparator() + " " + std::to_string(notes.Count()), "no separator 0");
    const std::pair<const char*, const char*> cases[] = {
        {"c,", ""}, {"c,,", "c"}, {"c,d,,", "c,d"}, {"\r\nc,d,\r\ne\r\n", "c,d,e"}, {"c d\ne f", "c,d,f"}};
    for (const auto& [text, rtttl] : cases) {
        notes.SetFull_RTTTL(std::string("Song:d=4,o=5,b=125:") + text);
        EXPECT_EQ(notes.Only_RTTTL(), rtttl) << text;
        EXPECT_EQ(notes.SeparatorFound(), *rtttl != '\0') << text;
    }
    EXPECT_FALSE(notes.NotesValid());
}

}  // namespace

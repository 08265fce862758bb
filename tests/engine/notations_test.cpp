#include <string>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace {

using namespace twtest;

using TextPair = std::pair<const char*, const char*>;

class KeySequence : public ::testing::TestWithParam<TextPair> {};

TEST_P(KeySequence, KeysDependOnTheNoteBefore) {
    auto notes = Ringtone(", ");
    notes.SetFull_Composer(std::string("T:Tempo=125:") + GetParam().first);
    EXPECT_EQ(notes.ErrorMessage(), "");
    EXPECT_EQ(notes.Only_Keypresses(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Composer, KeySequence,
                         ::testing::Values(TextPair{"4c1, 8-, 4d1", "1, 08, 2"},
                                           TextPair{"4.#c2, 8-, 4d2", "(hold 1)*#, 08, 2"},
                                           TextPair{"32c1, 1d1", "1888, 299999"}, TextPair{"8-, 8c1", "08, 18"},
                                           TextPair{"4.-, 16.-, 8c1", "0, 088, 18"},
                                           TextPair{"4c2, 8-, 4d2", "1*, 08, 2"}));

TEST(RTTTLNotation, HeaderDefaultsApplyToEveryNote) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL("Song:d=8,o=6,b=100:c,d,4e");
    std::string fields;
    for (const tw::CNote& note : notes) fields += Fields(note) + "; ";
    EXPECT_EQ(fields, "|8|c|c|||||2; |8|d|d|||||2; 4|4|e|e|||||2; ");
    EXPECT_EQ(notes.Full_RTTTL(), "Song:d=8,o=6,b=100:c,d,4e");
    EXPECT_EQ(notes.Full_Composer(), "Song:Tempo=100:8c2,8d2,4e2");
    EXPECT_EQ(notes.Full_Keypresses(), "Song:Tempo=100:18*,2,39");
    notes.SetOutputSeparator(", ");
    EXPECT_EQ(notes.Full_RTTTL(), "Song:d=8,o=6,b=100:c, d, 4e");
    EXPECT_EQ(notes.Only_Keypresses(), "18*, 2, 39");
}

TEST(RTTTLNotation, DotAfterTheOctaveAndUpperCaseLetters) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL("Song:d=4,o=6,b=125:8c7.,8c.7,8C5,8P");
    EXPECT_EQ(notes.ErrorMessage(), "");
    EXPECT_EQ(notes.Only_RTTTL(), "8c.7,8c.7,8c5,8p");
    EXPECT_EQ(notes.Only_Keypresses(), "(hold 1)8**,(hold 1),1*,*");
}

TEST(ComposerNotation, ReadAsComposerWrittenAsRTTTL) {
    auto notes = Ringtone(",");
    notes.SetFull_Composer("Song:Tempo=100:8c2 8d2 4e2");
    EXPECT_EQ(notes.Full_RTTTL(), "Song:d=4,o=5,b=100:8c6,8d6,e6");
    notes.SetOutputSeparator(" ");
    EXPECT_EQ(notes.Full_Composer(), "Song:Tempo=100:8c2 8d2 4e2");
}

TEST(ComposerNotation, ChangedNameAndTempoAreWrittenBack) {
    auto notes = Ringtone(",");
    notes.SetFull_Composer("Song:Tempo=100:4c1,8d2");
    notes.SetName("a:b");
    notes.SetTempo("200");
    EXPECT_EQ(notes.Full_Composer(), "a:b:Tempo=200:4c1,8d2");
    notes.SetFull_RTTTL(notes.Full_RTTTL());
    EXPECT_EQ(notes.Full_RTTTL(), "a:d=4,o=5,b=200:c,8d6");
}

TEST(KeypressNotation, ReadBackThroughTheComposerForm) {
    auto notes = Ringtone(", ");
    notes.SetFull_Keypresses("(hold 1)*#, 08, 2");
    EXPECT_EQ(notes.Only_Composer(), "4.#c2, 8-2, 4d2");
    EXPECT_EQ(notes.Only_RTTTL(), "c#.6, 8p6, d6");
    EXPECT_EQ(notes.Only_Keypresses(), "(hold 1)*#, 08, 2");
    EXPECT_EQ(notes.Full_Composer(), "No name:Tempo=125:4.#c2, 8-2, 4d2");
    EXPECT_EQ(notes.ErrorMessage(), "");
}

TEST(KeypressNotation, PreparedKeysAreRead) {
    auto notes = Ringtone(",");
    notes.SetFull_Keypresses(tw::PrepareKeypresses("Tune:Tempo=125:18*2 39"));
    EXPECT_EQ(notes.Full_RTTTL(), "Tune:d=4,o=5,b=125:8c6,8d6,e6");
    notes.SetFull_Keypresses(tw::PrepareKeypresses("1* 0 1(hold 2)3"));
    EXPECT_EQ(notes.Full_Composer(), "No name:Tempo=125:4c2,4-2,4c2,4.d2,4e2");
    EXPECT_EQ(notes.Only_RTTTL() + " " + notes.Only_Keypresses(), "c6,p6,c6,d.6,e6 1*,0,1,(hold 2),3");
}

TEST(KeypressNotation, EmptyOutputSeparatorLosesTheNotes) {
    tw::CNotes notes;
    notes.SetFull_Keypresses("T:Tempo=125:1,2");
    EXPECT_EQ(notes.Count(), 0);
    EXPECT_EQ(notes.ErrorMessage(), kSeparatorMsg);
}

TEST(Notations, ChosenByValue) {
    auto notes = Ringtone(",");
    notes.SetFull(Notation::Composer, "S:Tempo=90:4c1,4d1");
    EXPECT_EQ(notes.Only(Notation::RTTTL) + " " + notes.Full(Notation::Keypresses), "c,d S:Tempo=90:1,2");
    notes.SetFull(Notation::RTTTL, "R:d=8,o=5,b=90:c,d");
    EXPECT_EQ(notes.Full(Notation::Composer), "R:Tempo=90:8c1,8d1");
}

struct RoundTripCase {
    const char* header;
    std::vector<std::string> notes;
};

const RoundTripCase kRoundTrips[] = {
    {"Song:d=4,o=5,b=125:", {"c", "d", "e", "f", "g", "a", "b"}},
    {"Tune:d=4,o=5,b=100:", {"8c6", "8d#6", "16e.7", "32g", "2p", "1a#.", "c#7", "b"}},
    {"Scale:d=4,o=5,b=63:", {"1c", "2d", "e", "8f", "16g", "32a", "1b", "c"}},
    {"Wrap:d=4,o=5,b=180:", {"c7", "d", "e6", "f#7", "g#", "8p", "8a."}},
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.header << "..."; }

class RoundTrip : public ::testing::TestWithParam<std::tuple<RoundTripCase, std::string>> {};

TEST_P(RoundTrip, RTTTLThroughComposerAndKeypressesComesBack) {
    const auto& [tune, separator] = GetParam();
    std::string original = tune.header;
    for (std::size_t i = 0; i < tune.notes.size(); ++i) original += (i ? separator : "") + tune.notes[i];
    SCOPED_TRACE(original);

    auto notes = Ringtone(separator);
    notes.SetFull_RTTTL(original);
    ASSERT_EQ(notes.ErrorMessage(), "");
    ASSERT_EQ(notes.Full_RTTTL(), original);
    const std::string composer = notes.Full_Composer();
    auto fromComposer = Ringtone(separator);
    fromComposer.SetFull_Composer(composer);
    EXPECT_EQ(fromComposer.ErrorMessage(), "");
    const std::string keys = fromComposer.Full_Keypresses();
    EXPECT_EQ(keys, notes.Full_Keypresses());
    auto fromKeys = Ringtone(separator);
    fromKeys.SetFull_Keypresses(keys);
    EXPECT_EQ(fromKeys.ErrorMessage(), "");
    EXPECT_EQ(fromKeys.Full_Keypresses(), keys);
    EXPECT_EQ(fromKeys.Full_RTTTL(), original);
}

INSTANTIATE_TEST_SUITE_P(Ringtones, RoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kRoundTrips),
                                            ::testing::Values(std::string(","), std::string(", "), std::string(" "))));

}  // namespace

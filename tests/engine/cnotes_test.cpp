#include <optional>
#include <ostream>
#include <tuple>

#include "test_support.h"

namespace {

using namespace twtest;
constexpr Notation R = Notation::RTTTL, C = Notation::Composer, K = Notation::Keypresses;

const std::string kDuration = "RTTTL default duration invalid\r\n", kName = "Ringtone name is invalid.\r\n",
                  kTempo = "The tempo is invalid.\r\n", kOctave = "RTTTL default octave is invalid.\r\n",
                  kTooMany = "This ringing tone has more than 50 notes!\r\n",
                  kInvalid =
                      "The ringtone note format seems to be invalid.  Check the ringtone matches the source "
                      "type in Box 1.\r\n",
                  kSeparator =
                      "The note separator could not be found.  Normally a space, comma space, or just a "
                      "comma is used to separate the actual notes in a ringtone.\r\n",
                  kBeyond = "Some notes cannot be entered on the handset as written.\r\n";

// The report of a name whose colons became "-".
std::string ColonsReplaced(const std::string& name) {
    return "name \"" + name + "\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)\r\n";
}

// A whole ringtone's header as read: name, tempo, the RTTTL defaults and
// the four found flags (name, tempo, duration, octave as "1" or "0").
struct Header {
    std::string name, tempo, duration, octave, found;
    bool operator==(const Header&) const = default;
};

void PrintTo(const Header& h, std::ostream* out) {
    *out << "{Name \"" << h.name << "\", Tempo \"" << h.tempo << "\", DefaultDuration \"" << h.duration
         << "\", DefaultOctave \"" << h.octave << "\", found name/tempo/duration/octave " << h.found << "}";
}

Header HeaderOf(const tw::CNotes& notes) {
    std::string found;
    for (bool f : {notes.NameFound(), notes.TempoFound(), notes.DurationFound(), notes.OctaveFound()})
        found += f ? '1' : '0';
    return {notes.Name(), notes.Tempo(), notes.DefaultDuration(), notes.DefaultOctave(), found};
}

// A whole read: the header (unchecked when empty), the number of notes and
// the problems.
struct ReadCase {
    Notation notation;
    const char* text;
    std::optional<Header> header;
    std::int32_t count;
    std::string message;
};

TEST(WholeRead, FindsTheHeaderAndReportsTheProblems) {
    const ReadCase cases[] = {
        {R, "8c 8d", Header{"No name", "125", "4", "5", "0000"}, 2, kDuration + kName + kTempo + kOctave},
        {R, ":d=4,o=5,b=125:8c 8d", Header{"No name", "125", "4", "5", "1111"}, 2, ""},
        {R, "Song:d= 8,o=6,b=100 :c,d", Header{"Song", "100", "8", "6", "1111"}, 2, ""},
        {R, "Tempo Song:d=4,o=5,b=125:c", Header{"Tempo Song", "125", "4", "5", "1111"}, 1, ""},
        {R, "Song:d=16,b=90:c,d", Header{"Song", "90", "16", "6", "1111"}, 2, ""},
        {R, "Song:o=5,b=125:c,d", Header{"Song", "125", "4", "5", "1111"}, 2, ""},
        {R, "Song:d=4:c d", Header{"Song", "63", "4", "6", "1111"}, 2, ""},
        {R, "T::c,d", Header{"T", "63", "4", "6", "1111"}, 2, ""},
        {R, "T:B=200 , o7,D=08,s=5,l=15:c", Header{"T", "200", "8", "7", "1111"}, 1, ""},
        {R, "T:d=x,o=,b=0:c", Header{"T", "0", "4", "6", "1000"}, 1, kDuration + kTempo + kOctave},
        {R, "Star Wars: Theme:d=8,b=90:c", Header{"Star Wars- Theme", "90", "8", "6", "1111"}, 1,
         ColonsReplaced("Star Wars- Theme")},
        {R, "Mozart: K525:d=4,o=5,b=100,loop:c", Header{"Mozart- K525", "100", "4", "5", "1111"}, 1,
         ColonsReplaced("Mozart- K525")},
        {R, "Artist::Title:d 8 O=7;b = 90:c", Header{"Artist--Title", "90", "8", "7", "1111"}, 1,
         ColonsReplaced("Artist--Title")},
        {R, "T:s=5:c", Header{"T", "63", "4", "6", "1111"}, 1, ""},
        {R, "blue:b=570,o=4,d=32:4b,p", Header{"blue", "570", "32", "4", "1111"}, 2,
         kBeyond + "note 1, 4b: below the composer's octaves\r\n"},
        {R, "S:d=3,o=5,b=125:c,8d", std::nullopt, 2, kBeyond + "note 1, c: a duration the composer does not have\r\n"},
        {R, "a:b:c,d", Header{"a", "125", "4", "5", "1000"}, 2,
         kDuration + kTempo + kOctave + kInvalid + "note 1, b:c: not a note\r\n"},
        {C, "Song (Tempo 120) 4c1 8d1", Header{"Song", "120", "4", "5", "1111"}, 2, ""},
        {C, "Song Tempo=120: 4c1", Header{"Song", "120", "4", "5", "1111"}, 1, ""},
        {C, "  My Song  :Tempo=90:4c1,4d1", Header{"My Song", "90", "4", "5", "1111"}, 2, ""},
        {C, "4c1", Header{"No name", "125", "4", "5", "0011"}, 1, kName + kTempo},
        {C, "S:Tempo=90:", Header{"S", "90", "4", "5", "1111"}, 0, kSeparator},
        {C, "S:Tempo=90:8c4,4#b3", std::nullopt, 2,
         kBeyond + "note 1, 8c4: an octave the composer does not have; too high for the sound, plays as silence\r\n"
                   "note 2, 4#b3: too high for the sound, plays as silence\r\n"},
        {C, "S:Tempo=90:8c28d2", std::nullopt, 0, kSeparator},
        {K, "Tune:Tempo=140:1,2", Header{"Tune", "140", "4", "5", "1111"}, 2, ""}};
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        auto notes = Ringtone(",");
        notes.SetFull(c.notation, c.text);
        if (c.header) EXPECT_EQ(HeaderOf(notes), *c.header);
        EXPECT_EQ(notes.Count(), c.count);
        EXPECT_EQ(notes.ErrorMessage(), c.message);
    }
}

TEST(WholeRead, HeadersThatCannotBeTakenApartFail) {
    const std::pair<Notation, const char*> cases[] = {{C, "My tune Tempo=100 4c1"},
                                                      {K, "My tune Tempo=100 1 2"},
                                                      {C, "Song (Tempo 120 4c1 8d1"},
                                                      {R, "Song:d=4,o=5,b=125 c d"},
                                                      {R, "d=4 c d"},
                                                      {C, "a:b:Tempo=125:4c1,4d1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        auto notes = Ringtone(",");
        ExpectEngineError([&] { notes.SetFull(c.first, c.second); }, Reason::BadHeader);
    }
}

TEST(RingtoneText, UpToTheLimitIsReadAndLongerTextsAreRefusedUnread) {
    auto notes = Ringtone(",");
    std::string text = "Big:Tempo=100:4c1,4d1";
    text.resize(tw::MaxRingtoneText, ' ');
    notes.SetFull_Composer(text);
    EXPECT_EQ(notes.Full_Composer(), "Big:Tempo=100:4c1,4d1");
    text += ' ';
    for (auto set : {&tw::CNotes::SetFull_RTTTL, &tw::CNotes::SetFull_Composer})
        ExpectEngineError([&] { (notes.*set)(text); }, Reason::TooLong);
    ExpectEngineError([&] { notes.SetFull(R, text); }, Reason::TooLong);
    // Keypresses are read as prepared, a comma before each key: twice as long.
    text.resize(2 * tw::MaxRingtoneText + 1, ' ');
    ExpectEngineError([&] { notes.SetFull_Keypresses(text); }, Reason::TooLong);
    ExpectEngineError([&] { notes.SetFull(tw::Notation::Keypresses, text); }, Reason::TooLong);
    EXPECT_EQ(notes.Full_Composer(), "Big:Tempo=100:4c1,4d1");
}

TEST(RingtoneRecord, ClearResetsTheReadButNotTheSeparatorsOrPauseDuration) {
    auto state = std::make_shared<tw::NoteState>();
    tw::CNotes notes(state);
    notes.SetOutputSeparator(", ");
    notes.SetFull_RTTTL("Song:d=8,o=6,b=100:c|d");
    *state = tw::NoteState{"8", "6", "8", "3", "2", "16", "2"};
    notes.Clear();
    EXPECT_EQ(notes.Full_RTTTL() + notes.Full_Composer(), ":d=4,o=5,b=125::Tempo=125:");
    EXPECT_FALSE(notes.NameFound() || notes.DurationFound() || notes.OctaveFound() || notes.TempoFound() ||
                 notes.SeparatorFound() || notes.NotesValid());
    const tw::NoteState& s = *state;
    EXPECT_EQ(s.LastKeyDuration + s.LastKeyOctave + s.KeyNoteDuration + s.KeyOctave + "/" + s.KeyPauseDuration,
              "4141/16");
    EXPECT_EQ(notes.InputSeparator() + notes.OutputSeparator(), "|, ");
}

// Notes share their ringtone's note state, so a ringtone is never copied.
static_assert(!std::is_copy_constructible_v<tw::CNotes> && std::is_nothrow_move_constructible_v<tw::CNotes>);

TEST(RingtoneRecord, ItemsAreOneBased) {
    auto notes = Ringtone(",");
    notes.SetFull_Composer("S:Tempo=125:4c1,4d1,4e1");
    EXPECT_EQ(notes.Item(1).ComposerNote() + notes.Item(3).ComposerNote(), "ce");
    for (int missing : {0, 4}) ExpectEngineError([&] { notes.Item(missing); }, Reason::NoSuchNote);
    ExpectEngineError([&] { notes.Delete(4); }, Reason::NoSuchNote);
    notes.Delete(1);
    notes.Item(1).SetComposerNote("g");
    EXPECT_EQ(notes.Only_Composer(), "4g1,4e1");
}

TEST(Separators, TheFirstOfCommaBarSlashBackslashSpaceCutsTheNotes) {
    const struct {
        Notation notation;
        const char *text, *separator;
        bool valid;
        const char* rtttl;
    } cases[] = {{C, "4c1|4d1", "|", true, "c,d"},           {C, "4c1\\4d1", "\\", true, "c,d"},
                 {C, "4c1, 4d1", ",", true, "c,d"},          {C, "4c1|4d1/4e1", "|", false, "c,d"},
                 {C, "4c1/4d1\\4e1 4f1", "/", false, "c,d"}, {R, "8c, 8d 8f", ",", false, "8c,8d"},
                 {R, "8c ,8d", ",", true, "8c,8d"},          {R, "8c,,8d", ",", false, "8c,4,8d"},
                 {R, "8c   8d", " ", true, "8c,8d"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto notes = Ringtone(",");
        if (c.notation == R) notes.SetOnly_RTTTL(c.text);
        else notes.SetOnly_Composer(c.text);
        EXPECT_EQ(notes.InputSeparator(), c.separator);
        EXPECT_TRUE(notes.SeparatorFound());
        EXPECT_EQ(notes.NotesValid(), c.valid);
        EXPECT_EQ(notes.Only_RTTTL(), c.rtttl);
    }
}

// One note needs no separator. RTTTL notes as published: separators after
// the last note are dropped, blanks and line breaks may stand anywhere.
TEST(Separators, SingleNotesTrailingSeparatorsBlanksAndLineBreaks) {
    auto notes = Ringtone(",");
    notes.SetOnly_RTTTL("8c");
    EXPECT_EQ(notes.InputSeparator() + " " + notes.Only_RTTTL() + " " + std::to_string(notes.SeparatorFound()),
              "no separator 8c 1");
    const std::pair<const char*, const char*> cases[] = {{"c,", "c"},
                                                         {"c,,", "c"},
                                                         {"c,d,,", "c,d"},
                                                         {"\r\nc,d,\r\ne\r\n", "c,d,e"},
                                                         {"8 c#, 2 d .6", "8c#,2d.6"},
                                                         {"c|d||", "c,d"},
                                                         {"c\td  e", "c,d,e"},
                                                         {"c d\ne f", "c,d,f"}};
    for (const auto& [text, rtttl] : cases) {
        notes.SetFull_RTTTL(std::string("Song:d=4,o=5,b=125:") + text);
        EXPECT_EQ(notes.Only_RTTTL(), rtttl) << text;
        EXPECT_TRUE(notes.SeparatorFound()) << text;
    }
    EXPECT_FALSE(notes.NotesValid());
    notes.SetFull_RTTTL("Song:d=4,o=5,b=125: , ");
    EXPECT_EQ(notes.ErrorMessage(), kSeparator);
    tw::CNotes unset;  // no output separator: the keypresses read back as no notes
    unset.SetFull_Keypresses("T:Tempo=125:1,2");
    EXPECT_EQ(unset.Count(), 0);
}

// One ringtone read in `from` and written in every notation; a null text is
// not checked.
TEST(Conversion, WritesEveryNotation) {
    const struct {
        Notation from;
        const char *separator, *text, *rtttl, *composer, *keys;
    } cases[] = {
        {R, ", ", "Song:d=8,o=6,b=100:c,d,4e", "Song:d=8,o=6,b=100:c, d, 4e", "Song:Tempo=100:8c2, 8d2, 4e2",
         "Song:Tempo=100:18*, 2, 39"},
        {R, ",", "Song:d=4,o=6,b=125:8c7.,8c.7,8C5,8P", "Song:d=4,o=6,b=125:8c.7,8c.7,8c5,8p", nullptr,
         "Song:Tempo=125:(hold 1)8**,(hold 1),1*,0"},
        {R, ", ", "Pub:b=180,O=5,d=8:16#g,a_6,h,e#,b#,4p.", "Pub:d=8,o=5,b=180:16g#, a#6, b, f, c6, 4p.",
         "Pub:Tempo=180:16#g1, 8#a2, 8b1, 8f1, 8c2, 4.-", "Pub:Tempo=180:588#, 69*#, 7**, 4, 1*, 09"},
        {C, ",", "Song:Tempo=100:8c2 8d2 4e2", "Song:d=4,o=5,b=100:8c6,8d6,e6", nullptr, nullptr},
        {C, ", ", "T:Tempo=125:4c1, 8-, 4d1", nullptr, nullptr, "T:Tempo=125:1, 08, 2"},
        {C, ", ", "T:Tempo=125:4.-, 16.-, 8c1", nullptr, nullptr, "T:Tempo=125:0, 088, 18"},
        {C, ", ", "T:Tempo=125:32c1, 1d1", nullptr, nullptr, "T:Tempo=125:1888, 299999"},
        {K, ", ", "Tune:Tempo=125:5,58,6,(hold 0)", "Tune:d=4,o=5,b=125:g, 8g, 8a, 8p", nullptr, nullptr},
        {K, ", ", "(hold 1)*#, 08, 2", "No name:d=4,o=5,b=125:c#.6, 8p6, d6", "No name:Tempo=125:4.#c2, 8-2, 4d2",
         "No name:Tempo=125:(hold 1)*#, 08, 2"},
        {K, ",", "1*,0,1,(hold 2),3", "No name:d=4,o=5,b=125:c6,p6,c6,d.6,e6", "No name:Tempo=125:4c2,4-2,4c2,4.d2,4e2",
         "No name:Tempo=125:1*,0,1,(hold 2),3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto notes = Ringtone(c.separator);
        notes.SetFull(c.from, c.text);
        EXPECT_EQ(notes.ErrorMessage(), "");
        const char* const expected[] = {c.rtttl, c.composer, c.keys};
        for (Notation to : {R, C, K}) {
            const char* text = expected[static_cast<int>(to)];
            if (!text) continue;
            EXPECT_EQ(notes.Full(to), text);
            EXPECT_EQ(notes.Only(to), std::string(text).substr(std::string(text).rfind(':') + 1));
        }
    }
}

TEST(Conversion, ChangedNameAndTempoAreWrittenBack) {
    auto notes = Ringtone(",");
    notes.SetFull_Composer("Song:Tempo=100:4c1,8d2");
    notes.SetName("a:b");
    notes.SetTempo("200");
    EXPECT_EQ(notes.Full_Composer(), "a:b:Tempo=200:4c1,8d2");
    // Read back, the name holds no colon.
    notes.SetFull_RTTTL(notes.Full_RTTTL());
    EXPECT_EQ(notes.Full_RTTTL(), "a-b:d=4,o=5,b=200:c,8d6");
}

TEST(ErrorMessage, FiftyNotesAreFineFiftyOneAreReported) {
    const std::tuple<int, const char*, std::string> cases[] = {
        {50, "d", ""},
        {51, "d", kTooMany},
        {51, "8g4", kTooMany + kBeyond + "note 51, 8g4: below the composer's octaves\r\n"}};
    for (const auto& [count, last, message] : cases) {
        std::string text = "Long:d=4,o=5,b=125:";
        for (int i = 1; i < count; ++i) text += "c,";
        auto notes = Ringtone(",");
        notes.SetFull_RTTTL(text + last);
        EXPECT_EQ(notes.Count(), count);
        EXPECT_EQ(notes.ErrorMessage(), message) << count << " notes";
    }
}

TEST(ErrorMessage, EachProblemNoteIsNamedAfterTheHeadlines) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL("Song:d=4,o=5,b=125:8c,8g4,8c.#5,e,c9");
    EXPECT_EQ(notes.Only_RTTTL() + " " + notes.Only_Keypresses(), "8c,8g4,8c.,e,c9 18,5,(hold 1),39,1**");
    EXPECT_EQ(notes.ErrorMessage(), kInvalid + kBeyond +
                                        "note 2, 8g4: below the composer's octaves\r\n"
                                        "note 3, 8c.#5: not a note\r\n"
                                        "note 5, c9: above the composer's octaves; too high for the sound, plays as "
                                        "silence\r\n");
    notes.SetFull_RTTTL("Long:d=4,o=5,b=125:c," + std::string(100, 'x'));
    EXPECT_EQ(notes.ErrorLines().back(), "note 2, " + std::string(40, 'x') + "...: not a note");
}

}  // namespace

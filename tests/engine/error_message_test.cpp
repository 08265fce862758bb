#include <string>

#include "test_support.h"

namespace {

using namespace twtest;

struct MessageCase {
    const char* text;
    Notation notation;
    std::string message;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

const MessageCase kMessages[] = {
    {"8c 8d", Notation::RTTTL, std::string(kDurationMsg) + kNameMsg + kTempoMsg + kOctaveMsg},
    {"4c1 8d1", Notation::Composer, std::string(kNameMsg) + kTempoMsg},
    {"4c1", Notation::Composer, std::string(kNameMsg) + kTempoMsg + kSeparatorMsg},
    {"Song:d=4,b=125:c,d", Notation::RTTTL, kOctaveMsg},
    {"Song:o=5,b=125:c,d", Notation::RTTTL, kDurationMsg},
    {"Song:d=4,o=5,b=125:c", Notation::RTTTL, kSeparatorMsg},
    {"Song:Tempo=125:4c1", Notation::Composer, kSeparatorMsg},
    {"1,2,3", Notation::Keypresses, ""},
    {"T:Tempo=125:1", Notation::Keypresses, kSeparatorMsg},
    {"S:d=4,o=5,b=125:8d 8f,c", Notation::RTTTL, kInvalidMsg},
    {"S:d=4,o=5,b=125:8c.#5,c", Notation::RTTTL, kInvalidMsg},
    {"S:d=4,o=5,b=125:3c,c", Notation::RTTTL, kInvalidMsg},
    {"S:d=3,o=5,b=125:c,d", Notation::RTTTL, kInvalidMsg},
    {"S:d=4,o=5,b=125:8c9,c", Notation::RTTTL, kInvalidMsg},
    {"S:d=4,o=5,b=125:16c#.6,8p.,8c ,c,,d", Notation::RTTTL, ""},
    {"S:d=32,o=7,b=125:c,d", Notation::RTTTL, ""},
    {"S:Tempo=125:4c9,4d1", Notation::Composer, kInvalidMsg},
    {"S:Tempo=125:4c1,4-5", Notation::Composer, kInvalidMsg},
    {"S:Tempo=125:4c1,4-,4.-,4-2,16.#f3", Notation::Composer, ""},
    {"S:Tempo=125:4c,4d1", Notation::Composer, kInvalidMsg},
    {"S:Tempo=125:3c1,4d1", Notation::Composer, kInvalidMsg},
    {"S:Tempo=125:4c1,8c4", Notation::Composer, kInvalidMsg},
};

class ErrorMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ErrorMessage, ReportsTheLastRead) {
    auto notes = Ringtone(",");
    notes.SetFull(GetParam().notation, GetParam().text);
    EXPECT_EQ(notes.ErrorMessage(), GetParam().message);
    EXPECT_EQ(notes.ErrorMessage(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Reads, ErrorMessage, ::testing::ValuesIn(kMessages));

std::string ManyNotes(int count, const std::string& last) {
    std::string text = "Long:d=4,o=5,b=125:";
    for (int i = 1; i < count; ++i) text += "c,";
    return text + last;
}

TEST(NoteCount, FiftyNotesAreFineFiftyOneAreReported) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL(ManyNotes(50, "d"));
    EXPECT_EQ(notes.Count(), 50);
    EXPECT_EQ(notes.ErrorMessage(), "");
    notes.SetFull_RTTTL(ManyNotes(51, "d"));
    EXPECT_EQ(notes.Count(), 51);
    EXPECT_EQ(notes.ErrorMessage(), kTooManyMsg);
    notes.SetFull_RTTTL(ManyNotes(51, "8g4"));
    EXPECT_EQ(notes.Count(), 51);
    EXPECT_EQ(notes.ErrorMessage(), std::string(kTooManyMsg) + kInvalidMsg);
}

TEST(NoteCount, InvalidAndMisreadNotesStayInTheRingtone) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL("Song:d=4,o=5,b=125:8c,8g4,8c.#5,e");
    EXPECT_EQ(notes.Only_RTTTL(), "8c,8g,8c.,e");
    EXPECT_EQ(notes.Only_Keypresses(), "18,,(hold 1),39");
    std::string misread;
    for (const tw::CNote& note : notes) misread += note.Misread() ? '1' : '0';
    EXPECT_EQ(misread, "0010");
}

}  // namespace

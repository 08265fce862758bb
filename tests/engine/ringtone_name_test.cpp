// What a ringtone name may hold: the rule itself, and names that once broke
// the text they were written into, as each reader finds them (the session's
// round trips write them through every writer).
#include <ostream>
#include <vector>

#include "engine/ringtone_name.h"
#include "handset_file_support.h"

namespace {

using namespace twtest;
using tw::FileFormat;

std::string Colons(const std::string& name) {
    return "name \"" + name + "\": \":\" replaced by \"-\" (a colon ends the name in a ringtone text)";
}
std::string Controls(const std::string& name) { return "name \"" + name + "\": control characters replaced by spaces"; }
std::string Guarded(const std::string& name, const std::string& marker) {
    return "name \"" + name + "\": \"_\" put before the leading \"" + marker +
           "\" (a collection takes a line starting with \"" + marker + "\" for a comment)";
}

struct NameRow {
    const char* why;
    std::string given, name;
    std::vector<std::string> changes;
};
void PrintTo(const NameRow& row, std::ostream* out) { *out << row.why; }

class NameRule : public ::testing::TestWithParam<NameRow> {};

TEST_P(NameRule, ReplacesWhatCannotStayAndSaysSo) {
    const NameRow& row = GetParam();
    const tw::FittedName fitted = tw::FitRingtoneName(row.given);
    EXPECT_EQ(fitted.name, row.name);
    EXPECT_EQ(fitted.changes, row.changes);
    // A fit name is fit: nothing more changes.
    const tw::FittedName again = tw::FitRingtoneName(fitted.name);
    EXPECT_EQ(again.name, fitted.name);
    EXPECT_TRUE(again.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameRule,
    ::testing::Values(
        NameRow{"plain", "Song", "Song", {}}, NameRow{"a colon", "A:b", "A-b", {Colons("A-b")}},
        NameRow{"a MIDI track", "Synth: B3 Lead", "Synth- B3 Lead", {Colons("Synth- B3 Lead")}},
        NameRow{"colons only", "::", "--", {Colons("--")}},
        NameRow{"hash", "#1 Hit", "_#1 Hit", {Guarded("_#1 Hit", "#")}},
        NameRow{"semicolon", ";-)", "_;-)", {Guarded("_;-)", ";")}},
        NameRow{"two slashes", "//x", "_//x", {Guarded("_//x", "//")}},
        NameRow{"marker after blanks", "  #x ", "_#x", {Guarded("_#x", "#")}},
        NameRow{"a colon and a marker", "#:x", "_#-x", {Colons("_#-x"), Guarded("_#-x", "#")}},
        NameRow{"markers inside stay", "A#; //b", "A#; //b", {}}, NameRow{"one slash stays", "/x", "/x", {}},
        NameRow{"tab and line breaks", "A\tB\r\nC", "A B  C", {Controls("A B  C")}},
        NameRow{"DEL at the end goes with the blank", "A\x7F", "A", {Controls("A")}},
        NameRow{"C1 control in UTF-8",
                "A\xC2\x85"
                "B",
                "A B",
                {Controls("A B")}},
        NameRow{"control characters only", "\x01\x02", "", {Controls("")}},
        NameRow{"UTF-8 letters and symbols",
                "Caf\xC3\xA9 \xE2\x99\xAB \xE6\x97\xA5\xE6\x9C\xAC",
                "Caf\xC3\xA9 \xE2\x99\xAB \xE6\x97\xA5\xE6\x9C\xAC",
                {}},
        NameRow{"four-byte UTF-8", "\xF0\x9F\x8E\xB5 Tune", "\xF0\x9F\x8E\xB5 Tune", {}},
        NameRow{"a Windows-1252 name keeps its bytes", "Caf\xE9 \xC2\x85\x80", "Caf\xE9 \xC2\x85\x80", {}},
        NameRow{"brackets and equals", "Song (live) [2]=x", "Song (live) [2]=x", {}}, NameRow{"empty", "", "", {}}));

// A ringing tone of c5 and d5 at tempo 90 titled `title`, as another
// program may write it.
std::string TitledOtt(const std::string& title) {
    tw::CNotes notes;
    notes.SetFull_RTTTL("x:d=4,o=5,b=90:c,d");
    notes.SetName(title);
    return tw::WriteRingtoneAs(notes, FileFormat::Ott).bytes;
}

// Names as every reader finds them: each reports what it replaced.
TEST(RingtoneName, EachReaderFitsTheNameItFinds) {
    const struct {
        FileFormat format;
        std::string bytes, given;
    } rows[] = {
        {FileFormat::RTTTL, "A:b:d=4,o=5,b=90:c,d", "A:b"},
        {FileFormat::RTTTL, "#hash:d=4,o=5,b=90:c,d", "#hash"},
        {FileFormat::Composer, "// x:Tempo=90:4c1,4d1", "// x"},
        {FileFormat::Keypresses, ";x:Tempo=90:1 2", ";x"},
        {FileFormat::IMelody, "BEGIN:IMELODY\r\nNAME:Bass: O2\r\nBEAT:90\r\nMELODY:*4c2d2\r\nEND:IMELODY\r\n",
         "Bass: O2"},
        {FileFormat::Ott, TitledOtt("Bass: O2"), "Bass: O2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes);
        const tw::CNotes read = ReadFile(row.format, row.bytes);
        const tw::FittedName fitted = tw::FitRingtoneName(row.given);
        ASSERT_FALSE(fitted.changes.empty());
        EXPECT_EQ(read.Name(), fitted.name);
        EXPECT_EQ(read.Tempo(), "90");
        EXPECT_EQ(NotesOf(read), "4c5, 4d5");
        EXPECT_EQ(read.ErrorLines(), fitted.changes);
    }
}

// The composer and keypress readers drop the "(" of pasted keys, but not
// from the name.
TEST(RingtoneName, BracketsInANameReadBack) {
    for (const auto& [notation, text] : {std::pair{tw::Notation::Composer, "E(Slow) (live):Tempo=90:4c1, 8d1"},
                                         std::pair{tw::Notation::Keypresses, "E(Slow) (live):Tempo=90:(1 2"}}) {
        auto read = Ringtone(", ");
        tw::ReadGivenRingtone(read, notation, text);
        EXPECT_EQ(read.Name(), "E(Slow) (live)");
        EXPECT_EQ(read.Count(), 2);
    }
}

}  // namespace

// The name a ringtone made from a MIDI file gets.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "session/midi_ringtone.h"

namespace {

struct NameRow {
    std::string given, track, file, name;
    std::size_t changes = 0;  // lines saying what was replaced
};
void PrintTo(const NameRow& row, std::ostream* out) { *out << '"' << row.given << "\" \"" << row.track << '"'; }

TEST(MidiRingtoneName, GivenThenTrackThenFileCutToAListNameAndMadeFit) {
    const std::string cut(99, 'x');
    const std::string longName = cut + "\xC3\xA9" + "tail";  // é across byte 100
    const NameRow rows[] = {
        {"Mine", "Lead", "/music/song.mid", "Mine"},           // given
        {"  ", "Lead", "/music/song.mid", "Lead"},             // the track's
        {"", "\t ", "/music/My Song.MID", "My Song"},          // the file's
        {"", "", "-", "MIDI"},                                 // standard input
        {"", "Line\nBreak\x7F", "a.mid", "Line Break", 1},     // control characters
        {longName, "", "a.mid", cut},                          // cut before the é
        {"", "Synth: B3 Lead", "a.mid", "Synth- B3 Lead", 1},  // a colon in the track's name
        {"A:b", "Lead", "a.mid", "A-b", 1},                    // and in the name given
        {"", "", "/music/#1 Hit.mid", "_#1 Hit", 1},           // a comment marker in the file's
        {"#:x", "", "a.mid", "_#-x", 2},
    };
    for (const NameRow& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        const tw::FittedName name = tw::MidiRingtoneName(row.given, row.track, row.file);
        EXPECT_EQ(name.name, row.name);
        EXPECT_EQ(name.changes.size(), row.changes);
    }
}

}  // namespace

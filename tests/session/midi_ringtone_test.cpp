// The name a ringtone made from a MIDI file gets.
#include <gtest/gtest.h>

#include "session/midi_ringtone.h"

namespace {

TEST(MidiRingtoneName, GivenThenTrackThenFileCutToAListName) {
    const std::string cut(99, 'x');
    const std::string longName = cut + "\xC3\xA9" + "tail";  // é across byte 100
    const struct {
        const char *given, *track, *file, *name;
    } rows[] = {
        {"Mine", "Lead", "/music/song.mid", "Mine"},     // given
        {"  ", "Lead", "/music/song.mid", "Lead"},       // the track's
        {"", "\t ", "/music/My Song.MID", "My Song"},    // the file's
        {"", "", "-", "MIDI"},                           // standard input
        {"", "Line\nBreak\x7F", "a.mid", "Line Break"},  // control characters
        {longName.c_str(), "", "a.mid", cut.c_str()},    // cut before the é
    };
    for (const auto& row : rows) EXPECT_EQ(tw::MidiRingtoneName(row.given, row.track, row.file), row.name) << row.given;
}

}  // namespace

// The name a ringtone made from a MIDI file gets, and how the report says
// where it came from.
#include <gtest/gtest.h>

#include "session/midi_ringtone.h"

namespace {

using Source = tw::MidiNameSource;

TEST(MidiRingtoneName, GivenThenTitleThenFileThenTrackCutToAListName) {
    const std::string cut(99, 'x');
    const std::string longName = cut + "\xC3\xA9" + "tail";  // é across byte 100
    const struct {
        const char *given, *title, *track, *file, *name;
        Source source;
    } rows[] = {
        {"Mine", "Song", "Lead", "/music/song.mid", "Mine", Source::Given},
        {"  ", "Song", "Lead", "/music/song.mid", "Song", Source::SongTitle},
        {"", "\t ", "Lead", "/music/My Song.MID", "My Song", Source::FileName},  // not the instrument
        {"", "", "Steel Guitar", "-", "Steel Guitar", Source::TrackName},        // standard input
        {"", "", "", "-", "MIDI", Source::None},
        {"", "Line\nBreak\x7F", "", "a.mid", "Line Break", Source::SongTitle},  // control characters
        {longName.c_str(), "", "", "a.mid", cut.c_str(), Source::Given},        // cut before the é
    };
    for (const auto& row : rows)
        EXPECT_EQ(tw::MidiRingtoneName(row.given, row.title, row.track, row.file), (tw::MidiName{row.name, row.source}))
            << row.given << "|" << row.title;
}

TEST(MidiRingtoneName, TheReportSaysWhereTheNameCameFrom) {
    const std::pair<Source, const char*> rows[] = {
        {Source::Given, "The ringtone is named \"N\" as given."},
        {Source::SongTitle, "The ringtone is named \"N\" after the song's title."},
        {Source::FileName, "The ringtone is named \"N\" after the file, as the song has no title."},
        {Source::TrackName, "The ringtone is named \"N\" after its track, the only name there is."},
        {Source::None, "The ringtone is named \"N\": the song has no name."},
    };
    for (const auto& [source, line] : rows) {
        tw::MidiRingtone ringtone;
        ringtone.name = {"N", source};
        ringtone.report.octavesMoved = 1;
        EXPECT_EQ(tw::ReportLines(ringtone),
                  (std::vector<std::string>{line, "The melody was moved 1 octave up to fit the composer's octaves."}));
    }
}

}  // namespace

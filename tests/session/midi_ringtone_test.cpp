// The name a ringtone made from a MIDI file gets, and how the report says
// where it came from.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "session/midi_ringtone.h"

namespace {

using Source = tw::MidiNameSource;

struct NameRow {
    std::string given, title, track, file, name;
    Source source;
    std::size_t changes = 0;  // lines saying what was replaced
};
void PrintTo(const NameRow& row, std::ostream* out) {
    *out << '"' << row.given << "\" \"" << row.title << "\" \"" << row.track << '"';
}

TEST(MidiRingtoneName, GivenThenTitleThenFileThenTrackCutToAListNameAndMadeFit) {
    const std::string cut(99, 'x');
    const std::string longName = cut + "\xC3\xA9" + "tail";  // é across byte 100
    const NameRow rows[] = {
        {"Mine", "Song", "Lead", "/music/song.mid", "Mine", Source::Given},
        {"  ", "Song", "Lead", "/music/song.mid", "Song", Source::SongTitle},
        {"", "\t ", "Lead", "/music/My Song.MID", "My Song", Source::FileName},  // not the instrument
        {"", "", "Steel Guitar", "-", "Steel Guitar", Source::TrackName},        // standard input
        {"", "", "", "-", "MIDI", Source::None},
        {"", "Line\nBreak\x7F", "", "a.mid", "Line Break", Source::SongTitle, 1},  // control characters
        {longName, "", "", "a.mid", cut, Source::Given},                           // cut before the é
        {"", "", "Synth: B3 Lead", "-", "Synth- B3 Lead", Source::TrackName, 1},   // a colon in the track's name
        {"", "Bass: O2", "Lead", "a.mid", "Bass- O2", Source::SongTitle, 1},       // and in the title
        {"A:b", "", "Lead", "a.mid", "A-b", Source::Given, 1},                     // and in the name given
        {"", "", "", "/music/#1 Hit.mid", "_#1 Hit", Source::FileName, 1},         // a comment marker in the file's
        {"#:x", "", "", "a.mid", "_#-x", Source::Given, 2},
    };
    for (const NameRow& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row));
        const tw::MidiName name = tw::MidiRingtoneName(row.given, row.title, row.track, row.file);
        EXPECT_EQ(name.text, row.name);
        EXPECT_EQ(name.source, row.source);
        EXPECT_EQ(name.changes.size(), row.changes);
    }
}

TEST(MidiRingtoneName, TheReportSaysWhereTheNameCameFromAndWhatWasReplaced) {
    const std::pair<Source, const char*> rows[] = {
        {Source::Given, "The ringtone is named \"N\" as given."},
        {Source::SongTitle, "The ringtone is named \"N\" after the song's title."},
        {Source::FileName, "The ringtone is named \"N\" after the file, as the song has no title."},
        {Source::TrackName, "The ringtone is named \"N\" after its track, the only name there is."},
        {Source::None, "The ringtone is named \"N\": the song has no name."},
    };
    for (const auto& [source, line] : rows) {
        tw::MidiRingtone ringtone;
        ringtone.name = {"N", source, {"a change"}};
        ringtone.report.octavesMoved = 1;
        EXPECT_EQ(tw::ReportLines(ringtone),
                  (std::vector<std::string>{line, "a change",
                                            "The melody was moved 1 octave up to fit the composer's octaves."}));
    }
}

}  // namespace

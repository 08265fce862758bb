// Standard MIDI Files read into one line of RTTTL notes: small files laid
// out byte by byte here, and hostile ones. (What the MIDI writer writes reads
// back through the session's round trips of every writer.)
#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

#include "engine/text_rules.h"
#include "sound/midi_file.h"
#include "sound/midi_melody.h"
#include "sound_test_support.h"
#include "support/midi_bytes.h"

namespace {

using twtest::Reason;

using namespace tw::test::midi;

struct Case {
    const char* name;
    std::string file;
    std::string rtttl;  // or the start of the error
    tw::MidiMelodyOptions options = {};
    tw::MidiMelodyReport report = {};
};

tw::MidiMelodyReport Lost(std::size_t chords, std::size_t shortNotes, int octaves = 0, int track = 1) {
    tw::MidiMelodyReport report;
    report.chordNotesDropped = chords;
    report.shortNotesDropped = shortNotes;
    report.octavesMoved = octaves;
    report.track = track;
    return report;
}

TEST(MidiReader, SmallFilesBecomeOneLineOfRtttlNotes) {
    const std::string twoParts =
        File(1, {Name("Song") + Tempo(0, 600'000), Name("Lead") + Note(76, 480), Name("Bass") + Note(48, 960)});
    const Case cases[] = {
        {"single line",
         File(0, {Note(69, 480) + Note(72, 240) + Note(74, 240, 240)}),
         "M:d=4,o=5,b=120:4a4,8c5,8p,8d5",
         {},
         Lost(0, 0)},
        {"chord keeps its top",
         File(0, {On(0, 60) + On(0, 64) + On(0, 67) + Off(480, 60) + Off(0, 64) + Off(0, 67)}),
         "M:d=4,o=5,b=120:4g4",
         {},
         Lost(2, 0)},
        {"hidden note sounds again",
         File(0, {On(0, 64) + Note(67, 240, 240) + Off(480, 64)}),
         "M:d=4,o=5,b=120:8e4,8g4,4e4",
         {},
         Lost(0, 0)},
        {"overlap ends the lower",
         File(0, {On(0, 60) + On(240, 64) + Off(240, 60) + Off(240, 64)}),
         "M:d=4,o=5,b=120:8c4,4e4",
         {},
         Lost(0, 0)},
        {"first tempo rounded",
         File(0, {Tempo(0, 600'001) + Note(69, 480) + Tempo(0, 300'000) + Note(69, 480)}),
         "M:d=4,o=5,b=100:4a4,4a4",
         {},
         Lost(0, 0)},
        {"dotted and tied",
         File(0, {Note(72, 720) + Note(72, 1200) + Note(72, 2400) + Note(72, 5760)}),
         "M:d=4,o=5,b=120:4c.5,2c5,8c5,1c5,4c5,1c5,1c5,1c5",
         {},
         Lost(0, 0)},
        {"dotted 32nd and gap",
         File(0, {Note(72, 90) + Note(74, 60, 60)}),
         "M:d=4,o=5,b=120:32c.5,32p,32d5",
         {},
         Lost(0, 0)},
        {"too short dropped",
         File(0, {Note(72, 450) + Note(74, 30) + Note(76, 480)}),
         "M:d=4,o=5,b=120:4c5,4e5",
         {},
         Lost(0, 1)},
        {"pauses before and after",
         File(0, {Note(72, 480, 960) + Event(480, {0xFF, 0x01, 0})}),
         "M:d=4,o=5,b=120:2p,4c5,4p",
         {},
         Lost(0, 0)},
        {"running status and velocity 0",
         File(0, {On(0, 69) + Event(480, {69, 0}) + Event(0, {71, 90}) + Event(240, {71, 0})}),
         "M:d=4,o=5,b=120:4a4,8b4",
         {},
         Lost(0, 0)},
        {"percussion left out",
         File(0, {On(0, 36, 9) + Note(69, 480) + Off(0, 36, 9)}),
         "M:d=4,o=5,b=120:4a4",
         {},
         Lost(0, 0)},
        {"first track with notes", twoParts, "Lead:d=4,o=5,b=100:4e5", {}, Lost(0, 0, 0, 2)},
        {"chosen track", twoParts, "Bass:d=4,o=5,b=100:2c3", {3, false}, Lost(0, 0, 0, 3)},
        {"fit moves by octaves", twoParts, "Bass:d=4,o=5,b=100:2c5", {3, true}, Lost(0, 0, 2, 3)},
        {"time code division", File(0, {Note(69, 500)}, 0xE728), "M:d=4,o=5,b=120:4a4", {}, Lost(0, 0)},
        {"RIFF wrapping",
         "RIFF"s + Little32(47) + "RMIDdata" + Little32(35) + File(0, {Note(69, 480)}),
         "M:d=4,o=5,b=120:4a4",
         {},
         Lost(0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const tw::MidiMelody melody = tw::MelodyFromMidi(tw::ReadMidi(c.file), c.options);
        EXPECT_EQ(melody.RTTTL(melody.trackName.empty() ? "M" : melody.trackName), c.rtttl);
        EXPECT_EQ(melody.report.track, c.report.track);
        EXPECT_EQ(melody.report.chordNotesDropped, c.report.chordNotesDropped);
        EXPECT_EQ(melody.report.shortNotesDropped, c.report.shortNotesDropped);
        EXPECT_EQ(melody.report.octavesMoved, c.report.octavesMoved);
        EXPECT_LT(melody.report.largestShiftMs, 0.5);
    }
}

// The rule for short notes is on the grid of 64ths: a tenth of a beat
// (1.6 64ths) from a grid line ends on the second and is kept as a 32nd;
// 0.09 of a beat (1.44 64ths) ends on the first and is left out.
TEST(MidiReader, ShortNotesAreJudgedOnTheGridOf64ths) {
    const tw::MidiMelody kept =
        tw::MelodyFromMidi(tw::ReadMidi(File(0, {Note(72, 480) + Note(74, 48) + Note(76, 480)})), {});
    EXPECT_EQ(kept.notes, "4c5,32d5,4e5");
    EXPECT_EQ(kept.report.shortNotesDropped, 0u);
    const tw::MidiMelody dropped =
        tw::MelodyFromMidi(tw::ReadMidi(File(0, {Note(72, 480) + Note(74, 43) + Note(76, 480)})), {});
    EXPECT_EQ(dropped.notes, "4c5,4e5");
    EXPECT_EQ(dropped.report.shortNotesDropped, 1u);
}

// A note 10 ticks off the grid of 64ths (15 ticks at 480 a quarter) is moved
// by 10 ticks, 10/480 of a quarter at 120 a minute: 10.4 ms.
TEST(MidiReader, ReportsTheLargestMoveAndWhatWasLost) {
    const tw::MidiMelody melody = tw::MelodyFromMidi(tw::ReadMidi(File(0, {Note(69, 490)})), {});
    EXPECT_NEAR(melody.report.largestShiftMs, 10.42, 0.01);
    // A whole note and a 64th is a whole note, not four tied notes; the 64th
    // moves the next note, which loses it at the end: 31.25 ms.
    const tw::MidiMelody long64th = tw::MelodyFromMidi(tw::ReadMidi(File(0, {Note(72, 1950) + Note(74, 480)})), {});
    EXPECT_EQ(long64th.notes, "1c5,4d5");
    EXPECT_NEAR(long64th.report.largestShiftMs, 31.25, 0.01);
    tw::MidiMelodyReport report = Lost(3, 1, -2);
    report.largestShiftMs = 10.42;
    EXPECT_EQ(
        tw::ReportLines(report),
        (std::vector<std::string>{"Chords were reduced to their highest note: 3 notes were left out.",
                                  "1 note shorter than a 32nd on the grid of 64ths was left out.",
                                  "Notes and pauses were moved by up to 10 ms to the lengths a ringtone can hold.",
                                  "The melody was moved 2 octaves down to fit the composer's octaves."}));
    EXPECT_TRUE(tw::ReportLines({}).empty());
}

TEST(MidiReader, BrokenAndHostileFilesAreRefused) {
    const std::string good = File(0, {Note(69, 480)});
    const std::pair<const char*, std::string> cases[] = {
        {"it does not begin with a MIDI header", "RIFF....WAVEfmt "},
        {"it does not begin with a MIDI header", "RIFF"},
        {"the header declares 6 bytes", "MThd\0\0\0\6\0\0"s},
        {"a chunk declares", good.substr(0, good.size() - 3)},
        {"a chunk declares 4294967295 bytes",
         "MThd" + Number(6, 4) + Number(0, 2) + Number(1, 2) + Number(480, 2) + "MTrk\xFF\xFF\xFF\xFF" + On(0, 69)},
        {"format 2 holds independent patterns", File(2, {Note(69, 480)})},
        {"it holds no tracks", File(0, {})},
        {"it declares 65535 tracks and holds 1",
         "MThd" + Number(6, 4) + Number(1, 2) + Number(65535, 2) + Number(480, 2) + Track(Note(69, 480))},
        {"a running status with no event before it", File(0, {Event(0, {69, 100})})},
        {"a number longer than four bytes", File(0, {"\x81\x81\x81\x81\x01\x90\x45\x64"s})},
        {"a note event value above 127", File(0, {Event(0, {0x90, 0xC5, 100})})},
        {"a note event value above 127", File(0, {Note(69, 480) + Event(0, {0x80, 69, 0xFF})})},
        {"a meta event with a broken length before what may be notes",
         File(0, {Event(0, {0xFF, 0x01, 0x7F}) + Note(69, 480)})},
        {"a system exclusive event with a broken length before what may be notes",
         File(0, {Event(0, {0xF0, 0x81, 0x81, 0x81, 0x81, 0x01}) + Note(69, 480)})},
        {"an event of unknown kind", File(0, {Event(0, {0xF4})})},
        {"a quarter note of 0 ticks", File(0, {Note(69, 480)}, 0)},
        {"the MIDI file holds no notes", File(1, {Name("Empty"), Event(0, {0xC0, 80})})},
        {"track 1 holds no notes", File(1, {Name("Tempo"), Note(69, 480)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const std::string message = tw::test::ExpectError<tw::SoundError>(
            [&] {
                tw::MidiMelodyOptions options;
                if (std::string(c.first).starts_with("track 1")) options.track = 1;
                tw::MelodyFromMidi(tw::ReadMidi(c.second), options);
            },
            Reason::BadMidiFile);
        EXPECT_NE(message.find(c.first), std::string::npos) << message;
    }
}

// Events broken where no note is at stake are skipped and counted; the
// notes around them are read as ever.
struct Lenient {
    const char* name;
    std::string events;
    tw::MidiSkipped skipped;
    std::string line;
};
void PrintTo(const Lenient& row, std::ostream* out) { *out << row.name; }

class MidiLenientReading : public ::testing::TestWithParam<Lenient> {};

TEST_P(MidiLenientReading, SkipsAndCountsBrokenEventsOutsideTheNotes) {
    const Lenient& row = GetParam();
    const tw::MidiSong song = tw::ReadMidi(File(0, {Note(69, 480) + row.events}));
    EXPECT_EQ(song.skipped, row.skipped);
    const tw::MidiMelody melody = tw::MelodyFromMidi(song, {});
    EXPECT_EQ(melody.notes.substr(0, 5), "4a4,4");
    EXPECT_EQ(tw::ReportLines(melody.report), std::vector<std::string>{row.line});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidiLenientReading,
    ::testing::Values(
        Lenient{"controllers",
                Event(0, {0xB0, 0x5D, 0xFF}) + Event(0, {0x5B, 0x80}) + Note(72, 480),
                {.controller = 2},
                "Read leniently: skipped 2 broken controller events; no note was at stake."},
        Lenient{"program, pressures and bend",
                Event(0, {0xC0, 0xC8}) + Event(0, {0xD0, 0x90}) + Event(0, {0xA0, 69, 0xFF}) +
                    Event(0, {0xE0, 0, 0xFF}) + Note(72, 480),
                {.program = 1, .pressure = 2, .pitchBend = 1},
                "Read leniently: skipped 1 broken program event, 2 broken pressure events and 1 broken pitch-bend "
                "event; no note was at stake."},
        Lenient{"a meta length past the end",
                Note(72, 480) + Event(0, {0xFF, 0x01, 0x7F, 'x'}),
                {.meta = 1},
                "Read leniently: skipped 1 broken meta event; no note was at stake."},
        Lenient{"a system-exclusive length past the end",
                Note(72, 480) + Event(0, {0xF0, 0x7F, 0x01, 0xF7}),
                {.systemExclusive = 1},
                "Read leniently: skipped 1 broken system-exclusive event; no note was at stake."},
        Lenient{"a system-exclusive length of five bytes",
                Note(72, 480) + Event(0, {0xF0, 0x81, 0x81, 0x81, 0x81, 0x01, 0x7F}),
                {.systemExclusive = 1},
                "Read leniently: skipped 1 broken system-exclusive event; no note was at stake."}));

// The song's title: the conductor track's name in a format 1 file, the one
// track's in a format 0 file; a track with notes names its instrument.
TEST(MidiReader, TheSongsTitle) {
    const std::pair<std::string, std::string> cases[] = {
        {File(1, {Name("Song") + Tempo(0, 500'000), Name("Steel Guitar") + Note(69, 480)}), "Song"},
        {File(1, {Tempo(0, 500'000), Name("Steel Guitar") + Note(69, 480)}), ""},
        {File(1, {Name("Steel Guitar") + Note(69, 480), Name("Bass") + Note(45, 480)}), ""},
        {File(0, {Name("Tune") + Note(69, 480)}), "Tune"},
    };
    for (const auto& [file, title] : cases) EXPECT_EQ(tw::SongTitle(tw::ReadMidi(file)), title) << title;
}

// A note held for days (the longest delta a file holds, 40 times over) is
// refused at once with the size its tied wholes would take, counted without
// writing them: 5,592,405 wholes "1a4", a quarter and a sixteenth.
TEST(MidiReader, AMelodyTooLongForARingtoneIsRefusedWithItsSize) {
    std::string held = On(0, 69);
    for (int i = 0; i < 40; ++i) held += Event(0x0FFFFFFF, {0xB0, 7, 100});
    const std::string message = tw::test::ExpectError<tw::SoundError>(
        [&] { tw::MelodyFromMidi(tw::ReadMidi(File(0, {held + Off(0, 69)})), {}); }, Reason::TextTooLong);
    EXPECT_EQ(message,
              "the melody's notes would be a ringtone text of 22369628 bytes, more than the 4194185 bytes the notes "
              "of a ringtone text may be");
}

}  // namespace

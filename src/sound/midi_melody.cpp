#include "sound/midi_melody.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>

#include "engine/octave_fit.h"
#include "engine/plain_note.h"
#include "engine/ringtone_name.h"
#include "engine/ringtone_text.h"
#include "engine/size_limits.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

// Lengths are counted in 64ths of a whole note: a quarter is 16, and a
// dotted 32nd (3) is the finest length RTTTL writes.
constexpr std::int64_t QuarterUnits = 16;
constexpr std::int64_t ShortestUnits = 2;  // a 32nd
// The longest single length, a dotted whole.
constexpr std::int64_t LongestUnits = 96;

// RTTTL's c0 is MIDI key 12.
constexpr int SemitonesBelowC0 = 12;
constexpr int LowestNamedKey = SemitonesBelowC0;

[[noreturn]] void Unreadable(const std::string& why) { throw SoundError(SoundError::Reason::BadMidiFile, why); }

// A stretch of the line: a key, or a gap (key -1).
struct Element {
    int key = -1;
    std::int64_t units = 0;
    double exactEnd = 0;  // where it ended in the file, in units
};

struct Segment {
    int key = 0;
    std::int64_t start = 0;
    std::int64_t end = 0;
};

// At each moment the highest sounding note, as stretches of one note each;
// of two notes on one key the later one sounds. Counts the notes never heard.
std::vector<Segment> HighestLine(const std::vector<MidiNote>& notes, std::size_t& neverHeard) {
    struct Event {
        std::int64_t tick;
        bool starts;
        std::size_t note;
    };
    std::vector<Event> events;
    events.reserve(notes.size() * 2);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        events.push_back({notes[i].start, true, i});
        events.push_back({notes[i].end, false, i});
    }
    // Ends before starts, so that a key struck again right after it ends is
    // two notes.
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.starts != b.starts ? !a.starts : a.note < b.note;
    });

    std::set<std::pair<int, std::size_t>> sounding;
    std::vector<bool> heard(notes.size(), false);
    std::vector<Segment> line;
    std::optional<std::size_t> current;
    std::int64_t currentStart = 0;
    for (std::size_t i = 0; i < events.size();) {
        const std::int64_t tick = events[i].tick;
        for (; i < events.size() && events[i].tick == tick; ++i) {
            const std::pair<int, std::size_t> entry{notes[events[i].note].key, events[i].note};
            if (events[i].starts) sounding.insert(entry);
            else sounding.erase(entry);
        }
        const std::optional<std::size_t> top =
            sounding.empty() ? std::nullopt : std::optional<std::size_t>(sounding.rbegin()->second);
        if (top == current) continue;
        if (current) line.push_back({notes[*current].key, currentStart, tick});
        current = top;
        currentStart = tick;
        if (top) heard[*top] = true;
    }
    neverHeard = static_cast<std::size_t>(std::count(heard.begin(), heard.end(), false));
    return line;
}

void AddGap(std::vector<Element>& line, std::int64_t units, double exactEnd) {
    if (units <= 0) return;
    if (!line.empty() && line.back().key < 0) {
        line.back().units += units;
        line.back().exactEnd = exactEnd;
    } else {
        line.push_back({-1, units, exactEnd});
    }
}

// A gap of one unit cannot be written: it goes to the note or pause before
// it, which it most often completes (notes played a little short), or is
// left out before the first note.
void AbsorbSingleUnitGaps(std::vector<Element>& line) {
    std::vector<Element> kept;
    kept.reserve(line.size());
    for (const Element& element : line) {
        if (element.key < 0 && element.units == 1) {
            if (!kept.empty()) {
                kept.back().units += 1;
                kept.back().exactEnd = element.exactEnd;
            }
            continue;
        }
        kept.push_back(element);
    }
    line = std::move(kept);
}

// The octave move of the line's notes that fits the composer's octaves
// (FittingOctaves): a MIDI key is the plain note's semitone and an octave.
int LineFittingOctaves(const std::vector<Element>& line) {
    std::vector<std::int32_t> semitones;
    for (const Element& element : line)
        if (element.key >= 0) semitones.push_back(element.key - SemitonesBelowC0);
    return FittingOctaves(semitones);
}

struct Length {
    std::int64_t units;
    const char* duration;
    bool dotted;
};
constexpr Length Lengths[] = {
    {96, "1", true}, {64, "1", false}, {48, "2", true}, {32, "2", false}, {24, "4", true}, {16, "4", false},
    {12, "8", true}, {8, "8", false},  {6, "16", true}, {4, "16", false}, {3, "32", true}, {2, "32", false},
};

bool IsOneLength(std::int64_t units) {
    return std::any_of(std::begin(Lengths), std::end(Lengths), [&](const Length& l) { return l.units == units; });
}

// A note one 64th away from a single length (a whole and a 64th, played a
// little long) is made that length, the 64th going to or coming from what
// follows, rather than written as three or four tied notes.
void RoundToOneLength(std::vector<Element>& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        Element& element = line[i];
        if (element.key < 0 || IsOneLength(element.units)) continue;
        Element* next = i + 1 < line.size() ? &line[i + 1] : nullptr;
        if (IsOneLength(element.units - 1)) {
            element.units -= 1;
            if (next) next->units += 1;
        } else if (IsOneLength(element.units + 1) && next && next->units >= 3) {
            element.units += 1;
            next->units -= 1;
        }
    }
}

// The bytes of one note as AppendNote writes it, without the comma.
std::size_t NoteBytes(const Length& length, int key) {
    std::size_t bytes = std::char_traits<char>::length(length.duration) + 1 + (length.dotted ? 1 : 0);
    if (key < 0) return bytes;
    bool sharp = false;
    SemitoneLetter(key % 12, sharp);
    return bytes + (sharp ? 1 : 0) + std::to_string(key / 12 - 1).size();
}

void AppendNote(std::string& out, const Length& length, int key) {
    if (!out.empty()) out += ',';
    out += length.duration;
    bool sharp = false;
    out += key < 0 ? 'p' : SemitoneLetter(key % 12, sharp);
    if (sharp) out += '#';
    if (length.dotted) out += '.';
    if (key >= 0) out += std::to_string(key / 12 - 1);
}

// How `units` (2 or more) is written: one length when one fits, otherwise
// tied lengths: the wholes written while more than a dotted whole is left,
// then for the rest, given to `each` one by one, the longest length that
// does not leave a single unit.
std::int64_t LeadingWholes(std::int64_t units) {
    return units > LongestUnits ? (units - LongestUnits + Lengths[1].units - 1) / Lengths[1].units : 0;
}
template <class Each>
void EachLengthOfTheRest(std::int64_t units, Each&& each) {
    units -= LeadingWholes(units) * Lengths[1].units;
    while (units > 0) {
        const Length* chosen = &Lengths[1];
        for (const Length& length : Lengths) {
            if (length.units <= units && units - length.units != 1) {
                chosen = &length;
                break;
            }
        }
        each(*chosen);
        units -= chosen->units;
    }
}

// The bytes of the notes AppendTied writes for `units`, with a comma after
// each; counted, not written, so that a very long note costs nothing.
std::uint64_t TiedBytes(std::int64_t units, int key) {
    std::uint64_t bytes = static_cast<std::uint64_t>(LeadingWholes(units)) * (NoteBytes(Lengths[1], key) + 1);
    EachLengthOfTheRest(units, [&](const Length& length) { bytes += NoteBytes(length, key) + 1; });
    return bytes;
}

void AppendTied(std::string& out, std::int64_t units, int key) {
    for (std::int64_t i = LeadingWholes(units); i > 0; --i) AppendNote(out, Lengths[1], key);
    EachLengthOfTheRest(units, [&](const Length& length) { AppendNote(out, length, key); });
}

const MidiTrack& ChosenTrack(const MidiSong& song, const MidiMelodyOptions& options, int& number) {
    if (options.track) {
        number = *options.track;
        if (number < 1 || static_cast<std::size_t>(number) > song.tracks.size())
            Unreadable("there is no track " + std::to_string(number) + "; the file has " +
                       std::to_string(song.tracks.size()));
        const MidiTrack& track = song.tracks[static_cast<std::size_t>(number - 1)];
        if (track.notes.empty()) Unreadable("track " + std::to_string(number) + " holds no notes");
        return track;
    }
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        if (!song.tracks[i].notes.empty()) {
            number = static_cast<int>(i + 1);
            return song.tracks[i];
        }
    }
    Unreadable("the MIDI file holds no notes");
}

std::string Milliseconds(double ms) { return std::to_string(static_cast<long long>(std::lround(ms))) + " ms"; }

}  // namespace

std::vector<MidiTrackSummary> TracksWithNotes(const MidiSong& song) {
    std::vector<MidiTrackSummary> tracks;
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        if (!song.tracks[i].notes.empty())
            tracks.push_back({static_cast<int>(i + 1), song.tracks[i].name, song.tracks[i].notes.size()});
    }
    return tracks;
}

std::string SongTitle(const MidiSong& song) {
    if (song.tracks.empty()) return {};
    const MidiTrack& first = song.tracks.front();
    return song.format == 0 || first.notes.empty() ? first.name : std::string();
}

std::string MidiMelody::RTTTL(std::string_view name) const {
    return FitRingtoneName(name).name + ":d=4,o=5,b=" + std::to_string(tempo) + ":" + notes;
}

MidiMelody MelodyFromMidi(const MidiSong& song, const MidiMelodyOptions& options) {
    MidiMelody melody;
    const MidiTrack& track = ChosenTrack(song, options, melody.report.track);
    melody.trackName = track.name;
    melody.tempo = static_cast<int>(std::lround(std::clamp(song.tempo.value_or(120), 1.0, 1e6)));
    MidiMelodyReport& report = melody.report;
    report.skipped = song.skipped;

    const std::vector<Segment> segments = HighestLine(track.notes, report.chordNotesDropped);
    const double unitsPerTick = QuarterUnits / song.ticksPerQuarter;
    const auto exact = [&](std::int64_t tick) { return static_cast<double>(tick) * unitsPerTick; };
    const auto quantised = [&](std::int64_t tick) { return static_cast<std::int64_t>(std::llround(exact(tick))); };
    const double msPerUnit = 60'000.0 / melody.tempo / QuarterUnits;

    // Silence before the first note and after the last is kept: a ringtone
    // may begin or end with a pause.
    std::vector<Element> line;
    const std::int64_t first = quantised(segments.front().start);
    AddGap(line, first, exact(segments.front().start));

    std::int64_t cursor = first;
    for (const Segment& segment : segments) {
        const std::int64_t start = quantised(segment.start);
        const std::int64_t end = quantised(segment.end);
        AddGap(line, start - cursor, exact(segment.start));
        if (end - start < ShortestUnits) {
            if (end > start) ++report.shortNotesDropped;
            AddGap(line, end - start, exact(segment.end));
        } else {
            line.push_back({segment.key, end - start, exact(segment.end)});
        }
        cursor = end;
    }
    AddGap(line, quantised(std::max(track.endTick, segments.back().end)) - cursor, exact(track.endTick));
    AbsorbSingleUnitGaps(line);
    RoundToOneLength(line);

    // The largest move of an end.
    double position = 0;
    double shift = 0;
    for (const Element& element : line) {
        position += static_cast<double>(element.units);
        shift = std::max(shift, std::abs(position - element.exactEnd));
    }
    report.largestShiftMs = shift * msPerUnit;

    if (options.fit) report.octavesMoved = LineFittingOctaves(line);
    std::uint64_t bytes = 0;
    for (Element& element : line) {
        if (element.key >= 0) element.key += 12 * report.octavesMoved;
        if (element.key >= 0 && (element.key < LowestNamedKey || element.key > 127)) {
            ++report.unplayableNotes;
            element.key = -1;
        }
        bytes += TiedBytes(element.units, element.key);
    }
    // The text's size is known before it is made: a melody too long for a
    // ringtone is refused without writing any of it.
    const std::uint64_t size = bytes == 0 ? 0 : bytes - 1;  // no comma after the last note
    if (size > MaxMelodyNotesText)
        throw SoundError(SoundError::Reason::TextTooLong,
                         TooLargeText("the melody's notes would be a ringtone text of", size, MaxMelodyNotesText,
                                      "the notes of a ringtone text"));
    melody.notes.reserve(size);
    for (const Element& element : line) AppendTied(melody.notes, element.units, element.key);
    if (melody.notes.empty()) Unreadable("the MIDI file holds no notes long enough for a ringtone");
    return melody;
}

std::vector<std::string> ReportLines(const MidiMelodyReport& report) {
    std::vector<std::string> lines;
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::vector<std::string> skipped;
    for (const auto& [n, kind] : {std::pair{report.skipped.controller, "controller"},
                                  {report.skipped.program, "program"},
                                  {report.skipped.pressure, "pressure"},
                                  {report.skipped.pitchBend, "pitch-bend"},
                                  {report.skipped.meta, "meta"},
                                  {report.skipped.systemExclusive, "system-exclusive"}})
        if (n > 0) skipped.push_back(std::to_string(n) + " broken " + kind + (n == 1 ? " event" : " events"));
    if (!skipped.empty()) {
        std::string line = "Read leniently: skipped ";
        for (std::size_t i = 0; i < skipped.size(); ++i)
            line += (i == 0 ? "" : i + 1 == skipped.size() ? " and " : ", ") + skipped[i];
        lines.push_back(line + "; no note was at stake.");
    }
    if (report.chordNotesDropped > 0)
        lines.push_back("Chords were reduced to their highest note: " +
                        count(report.chordNotesDropped, "note was", "notes were") + " left out.");
    if (report.shortNotesDropped > 0)
        lines.push_back(count(report.shortNotesDropped, "note", "notes") +
                        " shorter than a 32nd on the grid of 64ths " +
                        (report.shortNotesDropped == 1 ? "was" : "were") + " left out.");
    if (report.unplayableNotes > 0)
        lines.push_back(count(report.unplayableNotes, "note", "notes") + " outside c0 to g9 became pauses.");
    if (report.largestShiftMs >= 0.5)
        lines.push_back("Notes and pauses were moved by up to " + Milliseconds(report.largestShiftMs) +
                        " to the lengths a ringtone can hold.");
    if (report.octavesMoved != 0) lines.push_back(OctaveMoveLine(report.octavesMoved));
    return lines;
}

}  // namespace tw

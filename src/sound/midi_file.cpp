#include "sound/midi_file.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/size_limits.h"
#include "sound/midi_melody.h"
#include "sound/midi_reader.h"
#include "sound/note_sound.h"
#include "sound/render.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutVariableLength(Bytes& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutBigEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& body) {
    out.insert(out.end(), type, type + 4);
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
}

// The tempo a reader gives a quarter note of `microseconds`, in whole beats
// a minute.
long TempoOfQuarter(long microseconds) { return std::lround(60'000'000.0 / static_cast<double>(microseconds)); }

// Microseconds of a quarter note at the ringtone's tempo; the tempo event
// holds 24 bits, which a tempo below 4 exceeds. A tempo event holds whole
// microseconds, which above about 7700 beats a minute read back as another
// tempo: then the one of the neighbouring lengths that reads back nearest
// (and at most 32767) is written and reported.
std::uint32_t QuarterMicroseconds(const std::string& tempo, std::vector<std::string>& problems) {
    const std::int16_t bpm = SoundTempo(tempo);
    if (bpm < 4)
        throw SoundError(SoundError::Reason::BadTempo, "a MIDI file can hold tempos from 4 to 32767, not " + tempo);
    const long nearest = std::lround(60'000'000.0 / bpm);
    const auto off = [bpm](long microseconds) {
        const long back = TempoOfQuarter(microseconds);
        return back > INT16_MAX ? LONG_MAX : std::labs(back - bpm);
    };
    long best = nearest + 1;  // reads back slower: never beyond 32767
    if (off(nearest) <= off(best)) best = nearest;
    if (off(nearest - 1) < off(best)) best = nearest - 1;
    if (TempoOfQuarter(best) != bpm)
        problems.push_back("the tempo " + std::to_string(bpm) + " is not one a MIDI file holds, written as " +
                           std::to_string(TempoOfQuarter(best)));
    return static_cast<std::uint32_t>(best);
}

// Refuses a file that from-midi would refuse as too large: one larger than
// a MIDI file may be, or one whose melody would be a longer ringtone text
// than the program reads. Read back as from-midi reads it, which costs about
// as much as writing it. Whether every note survives is the writing's own
// matter: any other failure of the read is left to it.
void CheckReadsBack(const Bytes& file) {
    if (file.size() > MaxMidiFile)
        throw SoundError(SoundError::Reason::TooLong,
                         TooLargeText("the MIDI file would be", file.size(), MaxMidiFile, "a MIDI file"));
    try {
        (void)MelodyFromMidi(ReadMidi({reinterpret_cast<const char*>(file.data()), file.size()}), {});
    } catch (const SoundError& e) {
        if (e.reason() == SoundError::Reason::TextTooLong)
            throw SoundError(SoundError::Reason::TextTooLong,
                             std::string("the MIDI file would not read back as a ringtone: ") + e.what());
    }
}

// The key of a note, moved by whole octaves into the keys a MIDI file has
// (0 to 127) and reported when it had to be.
int KeyWithin(double frequency, const CNote& note, std::size_t position, std::vector<std::string>& problems) {
    long key = std::lround(69 + 12 * std::log2(frequency / 440.0));
    const long above = key > 127 ? (key - 127 + 11) / 12 : 0;
    const long below = key < 0 ? (-key + 11) / 12 : 0;
    if (above == 0 && below == 0) return static_cast<int>(key);
    const long octaves = above + below;
    problems.push_back(note.ProblemLine(
        position, std::string(above ? "above" : "below") + " the keys of a MIDI file, written " +
                      (octaves == 1 ? std::string("an octave") : std::to_string(octaves) + " octaves") +
                      (above ? " lower" : " higher")));
    return static_cast<int>(key - 12 * above + 12 * below);
}

// A melody read from a MIDI file leaves out notes shorter than a 32nd.
constexpr double ShortestMelodyNote = MidiTicksPerQuarter / 8.0;

}  // namespace

int MidiKey(double frequency) { return static_cast<int>(std::lround(69 + 12 * std::log2(frequency / 440.0))); }

std::vector<std::uint8_t> WriteMidi(const CNotes& ringtone) {
    std::vector<std::string> problems;
    return WriteMidi(ringtone, problems);
}

std::vector<std::uint8_t> WriteMidi(const CNotes& ringtone, std::vector<std::string>& problems) {
    Bytes track;
    const std::string& name = ringtone.Name();
    track.insert(track.end(), {0x00, 0xFF, 0x03});
    PutVariableLength(track, static_cast<std::uint32_t>(name.size()));
    track.insert(track.end(), name.begin(), name.end());
    track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03});
    PutBigEndian(track, QuarterMicroseconds(ringtone.Tempo(), problems), 3);
    track.insert(track.end(), {0x00, 0xC0, MidiSquareLead});

    std::uint32_t waiting = 0;  // ticks since the last event: pauses
    std::size_t position = 0;
    bool melody = false;
    for (const CNote& note : ringtone) {
        ++position;
        const NoteSound sound = SoundOfNote(note, position);
        const double frequency = sound.frequency;
        const double length = sound.wholeNotes;
        const double ticks = std::round(length * 4 * MidiTicksPerQuarter);
        if (!(ticks >= 0 && ticks < 1e9))
            throw SoundError(SoundError::Reason::BadNote, note.ProblemLine(position, "a note without a length"));
        if (!(frequency > 0 && std::isfinite(frequency))) {
            waiting += static_cast<std::uint32_t>(ticks);
            continue;
        }
        const int key = KeyWithin(frequency, note, position, problems);
        melody = melody || ticks >= ShortestMelodyNote;
        PutVariableLength(track, waiting);
        track.insert(track.end(), {0x90, static_cast<std::uint8_t>(key), 100});
        PutVariableLength(track, static_cast<std::uint32_t>(ticks));
        track.insert(track.end(), {0x80, static_cast<std::uint8_t>(key), 0});
        waiting = 0;
    }
    if (!melody)
        throw SoundError(SoundError::Reason::NoMelody,
                         "The ringtone holds no note with a pitch lasting a 32nd or "
                         "more, so a MIDI file of it would hold no melody to read.");
    // The end of the track comes after a last pause.
    PutVariableLength(track, waiting);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    Bytes file;
    Bytes header;
    PutBigEndian(header, 0, 2);  // format 0
    PutBigEndian(header, 1, 2);  // one track
    PutBigEndian(header, MidiTicksPerQuarter, 2);
    PutChunk(file, "MThd", header);
    PutChunk(file, "MTrk", track);
    CheckReadsBack(file);
    return file;
}

}  // namespace tw

#include "sound/midi_file.h"

#include <cmath>
#include <string>

#include "engine/engine_error.h"
#include "engine/size_limits.h"
#include "sound/midi_melody.h"
#include "sound/midi_reader.h"
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

// Microseconds of a quarter note at the ringtone's tempo; the tempo event
// holds 24 bits, which a tempo below 4 exceeds.
std::uint32_t QuarterMicroseconds(const std::string& tempo) {
    const std::int16_t bpm = SoundTempo(tempo);
    if (bpm < 4)
        throw SoundError(SoundError::Reason::BadTempo, "a MIDI file can hold tempos from 4 to 32767, not " + tempo);
    return static_cast<std::uint32_t>(std::lround(60'000'000.0 / bpm));
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

}  // namespace

int MidiKey(double frequency) { return static_cast<int>(std::lround(69 + 12 * std::log2(frequency / 440.0))); }

std::vector<std::uint8_t> WriteMidi(const CNotes& ringtone) {
    Bytes track;
    const std::string& name = ringtone.Name();
    track.insert(track.end(), {0x00, 0xFF, 0x03});
    PutVariableLength(track, static_cast<std::uint32_t>(name.size()));
    track.insert(track.end(), name.begin(), name.end());
    track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03});
    PutBigEndian(track, QuarterMicroseconds(ringtone.Tempo()), 3);
    track.insert(track.end(), {0x00, 0xC0, MidiSquareLead});

    std::uint32_t waiting = 0;  // ticks since the last event: pauses and keys out of range
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        double frequency = 0;
        double length = 0;
        try {
            frequency = note.SoundFrequency();
            length = note.SoundDuration();
        } catch (const EngineError& e) {
            throw SoundError(SoundError::Reason::BadNote, "note " + std::to_string(position) + ": " + e.what());
        }
        const double ticks = std::round(length * 4 * MidiTicksPerQuarter);
        if (!(ticks >= 0 && ticks < 1e9))
            throw SoundError(SoundError::Reason::BadNote, "note " + std::to_string(position) + ": no length");
        const int key = frequency > 0 ? MidiKey(frequency) : -1;
        if (key < 0 || key > 127) {
            waiting += static_cast<std::uint32_t>(ticks);
            continue;
        }
        PutVariableLength(track, waiting);
        track.insert(track.end(), {0x90, static_cast<std::uint8_t>(key), 100});
        PutVariableLength(track, static_cast<std::uint32_t>(ticks));
        track.insert(track.end(), {0x80, static_cast<std::uint8_t>(key), 0});
        waiting = 0;
    }
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

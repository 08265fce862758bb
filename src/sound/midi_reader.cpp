#include "sound/midi_reader.h"

#include <algorithm>
#include <limits>

#include "engine/size_limits.h"
#include "engine/utf8.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

constexpr int PercussionChannel = 9;  // channel 10, counted from 1

[[noreturn]] void Broken(const std::string& why) {
    throw SoundError(SoundError::Reason::BadMidiFile, "not a MIDI file that can be read: " + why);
}

// A cursor over bytes that refuses to read past their end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return position_ >= bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - position_; }

    std::uint8_t Byte(const char* what) {
        if (AtEnd()) Broken(std::string("the file ends inside ") + what);
        return static_cast<std::uint8_t>(bytes_[position_++]);
    }
    std::uint32_t BigEndian(int count, const char* what) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 8) | Byte(what);
        return value;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    std::uint32_t VariableLength(const char* what) {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = Byte(what);
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        Broken(std::string("a number longer than four bytes in ") + what);
    }
    // The bytes from here to the end, read.
    std::string_view Rest() { return Take(Left(), "the rest"); }
    std::string_view Take(std::size_t count, const char* what) {
        if (count > Left())
            Broken(std::string(what) + " declares " + std::to_string(count) + " bytes where " + std::to_string(Left()) +
                   " are left");
        const std::string_view part = bytes_.substr(position_, count);
        position_ += count;
        return part;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The notes sounding on each channel and key, oldest first, so that a
// note-off ends the note that began first. Kept across tracks and emptied
// only where it was used, so a file of many tracks costs no more than its
// events.
class OpenNotes {
public:
    void Open(int channel, int key, std::size_t note) {
        Slot& slot = slots_[Index(channel, key)];
        if (slot.open.empty()) touched_.push_back(Index(channel, key));
        slot.open.push_back(note);
    }
    std::optional<std::size_t> Close(int channel, int key) {
        Slot& slot = slots_[Index(channel, key)];
        if (slot.head == slot.open.size()) return std::nullopt;
        return slot.open[slot.head++];
    }
    // Calls `close` for every note still sounding, then empties the slots.
    template <class Close>
    void CloseAll(Close&& close) {
        for (std::size_t index : touched_) {
            Slot& slot = slots_[index];
            for (std::size_t i = slot.head; i < slot.open.size(); ++i) close(slot.open[i]);
            slot.open.clear();
            slot.head = 0;
        }
        touched_.clear();
    }

private:
    struct Slot {
        std::vector<std::size_t> open;
        std::size_t head = 0;
    };
    static std::size_t Index(int channel, int key) { return static_cast<std::size_t>(channel * 128 + key); }

    std::vector<Slot> slots_ = std::vector<Slot>(16 * 128);
    std::vector<std::size_t> touched_;
};

struct TempoEvent {
    std::int64_t tick = std::numeric_limits<std::int64_t>::max();
    std::uint32_t quarterMicroseconds = 0;
};

// The data of a meta or system-exclusive event, or nothing when its length
// is broken: more than four bytes, or past the end of the chunk.
std::optional<std::string_view> EventData(ByteReader& in) {
    std::uint32_t length = 0;
    for (int i = 0;; ++i) {
        if (i == 4 || in.AtEnd()) return std::nullopt;
        const std::uint8_t b = in.Byte("an event length");
        length = (length << 7) | (b & 0x7F);
        if ((b & 0x80) == 0) break;
    }
    if (length > in.Left()) return std::nullopt;
    return in.Take(length, "an event");
}

// After a meta or system-exclusive event with a broken length nothing in the
// chunk can be found again. It is skipped with the rest of the chunk, which
// ends the track, when that rest holds no byte that could be the status of a
// note event (0x80 to 0x9F; after such an event a note cannot follow in
// running status); otherwise notes may be at stake and the file is refused,
// also when the byte was only part of a time.
void SkipBrokenRest(ByteReader& in, const char* what, std::size_t& count) {
    const std::string_view rest = in.Rest();
    if (std::any_of(rest.begin(), rest.end(), [](char c) { return (static_cast<std::uint8_t>(c) >> 5) == 0x4; }))
        Broken(std::string(what) + " with a broken length before what may be notes");
    ++count;
}

// The count of skipped events of a channel event's kind (A to E).
std::size_t& SkippedOfKind(MidiSkipped& skipped, int kind) {
    switch (kind) {
    case 0xB: return skipped.controller;
    case 0xC: return skipped.program;
    case 0xE: return skipped.pitchBend;
    default: return skipped.pressure;
    }
}

// Reads the events of one track chunk into `track`.
void ReadTrack(std::string_view chunk, MidiTrack& track, OpenNotes& open, TempoEvent& tempo, MidiSkipped& skipped) {
    ByteReader in(chunk);
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    bool named = false;
    while (!in.AtEnd()) {
        tick += in.VariableLength("an event time");
        std::uint8_t status = in.Byte("an event");
        if (status == 0xFF) {
            const std::uint8_t type = in.Byte("a meta event");
            const std::optional<std::string_view> read = EventData(in);
            if (!read) {
                SkipBrokenRest(in, "a meta event", skipped.meta);
                break;
            }
            const std::string_view data = *read;
            if (type == 0x2F) break;  // end of track
            if (type == 0x03 && !named) {
                track.name = TextAsUtf8(data);
                named = true;
            } else if (type == 0x51 && data.size() == 3 && tick < tempo.tick) {
                const auto at = [&](std::size_t i) {
                    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[i]));
                };
                const std::uint32_t microseconds = (at(0) << 16) | (at(1) << 8) | at(2);
                if (microseconds > 0) tempo = {tick, microseconds};
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            if (!EventData(in)) {
                SkipBrokenRest(in, "a system exclusive event", skipped.systemExclusive);
                break;
            }
            continue;
        }
        if (status > 0xF0) Broken("an event of unknown kind (" + std::to_string(status) + ")");
        std::uint8_t first = 0;
        if (status < 0x80) {
            if (running == 0) Broken("a running status with no event before it");
            first = status;
            status = running;
        } else {
            running = status;
            first = in.Byte("an event");
        }
        const int kind = status >> 4;
        const int channel = status & 0x0F;
        const bool oneByte = kind == 0xC || kind == 0xD;
        const std::uint8_t second = oneByte ? 0 : in.Byte("an event");
        const bool noteEvent = kind == 0x8 || kind == 0x9;
        if (first > 0x7F || second > 0x7F) {
            if (noteEvent) Broken("a note event value above 127");
            ++SkippedOfKind(skipped, kind);
            continue;
        }
        if (channel == PercussionChannel || !noteEvent) continue;
        if (kind == 0x9 && second > 0) {
            open.Open(channel, first, track.notes.size());
            track.notes.push_back({first, tick, tick});
        } else if (const std::optional<std::size_t> note = open.Close(channel, first)) {
            track.notes[*note].end = tick;
        }
    }
    track.endTick = tick;
    open.CloseAll([&](std::size_t note) { track.notes[note].end = tick; });
    std::erase_if(track.notes, [](const MidiNote& note) { return note.end <= note.start; });
}

bool IsRiffMidi(std::string_view bytes) {
    return bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "RMID";
}

// The SMF inside a RIFF "RMID" file, or the bytes as they are.
std::string_view Unwrapped(std::string_view bytes) {
    if (!IsRiffMidi(bytes)) return bytes;
    ByteReader in(bytes.substr(12));
    while (in.Left() >= 8) {
        const std::string_view type = in.Take(4, "a RIFF chunk");
        std::uint32_t size = 0;  // little-endian
        const std::string_view sizeBytes = in.Take(4, "a RIFF chunk");
        for (int i = 3; i >= 0; --i)
            size = (size << 8) | static_cast<std::uint8_t>(sizeBytes[static_cast<std::size_t>(i)]);
        const std::string_view body = in.Take(size, "a RIFF chunk");
        if (type == "data") return body;
        if (size % 2 == 1 && !in.AtEnd()) in.Byte("a RIFF chunk");
    }
    Broken("a RIFF file without MIDI data");
}

double TicksPerQuarter(std::uint16_t division, double tempo) {
    if ((division & 0x8000) == 0) {
        if (division == 0) Broken("a quarter note of 0 ticks");
        return division;
    }
    // Time code: frames a second times ticks a frame.
    const int frames = -static_cast<std::int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || ticksPerFrame == 0)
        Broken("a time division that is no time code");
    const double framesPerSecond = frames == 29 ? 29.97 : frames;
    return framesPerSecond * ticksPerFrame * 60.0 / tempo;
}

}  // namespace

bool LooksLikeMidi(std::string_view bytes) { return bytes.substr(0, 4) == "MThd" || IsRiffMidi(bytes); }

MidiSong ReadMidi(std::string_view bytes) {
    if (bytes.size() > MaxMidiFile)
        throw SoundError(SoundError::Reason::BadMidiFile,
                         TooLargeText("the MIDI file is", bytes.size(), MaxMidiFile, "a MIDI file"));
    const std::string_view smf = Unwrapped(bytes);
    ByteReader in(smf);
    if (smf.substr(0, 4) != "MThd") Broken("it does not begin with a MIDI header");
    in.Take(4, "the header");
    ByteReader header(in.Take(in.BigEndian(4, "the header"), "the header"));
    MidiSong song;
    song.format = static_cast<int>(header.BigEndian(2, "the header"));
    const std::uint32_t declared = header.BigEndian(2, "the header");
    const auto division = static_cast<std::uint16_t>(header.BigEndian(2, "the header"));
    if (song.format == 2) Broken("format 2 holds independent patterns, not one song");
    if (song.format > 2) Broken("format " + std::to_string(song.format) + " is unknown");
    if (declared == 0) Broken("it holds no tracks");

    OpenNotes open;
    TempoEvent tempo;
    while (song.tracks.size() < declared && in.Left() >= 8) {
        const std::string_view type = in.Take(4, "a chunk");
        const std::string_view chunk = in.Take(in.BigEndian(4, "a chunk"), "a chunk");
        if (type != "MTrk") continue;
        song.tracks.emplace_back();
        ReadTrack(chunk, song.tracks.back(), open, tempo, song.skipped);
    }
    if (song.tracks.size() < declared)
        Broken("it declares " + std::to_string(declared) + " tracks and holds " + std::to_string(song.tracks.size()));
    if (tempo.quarterMicroseconds > 0) song.tempo = 60'000'000.0 / tempo.quarterMicroseconds;
    song.ticksPerQuarter = TicksPerQuarter(division, song.tempo.value_or(120));
    return song;
}

}  // namespace tw

// Reads arbitrary bytes as a MIDI file and makes a ringtone of every track
// with notes, fitted and not. Nothing may crash or hang, every refusal must
// be a SoundError, and every melody made must read back as an RTTTL text
// with one note for each note written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/cnotes.h"
#include "sound/midi_melody.h"
#include "sound/sound_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::MidiSong song;
    try {
        song = tw::ReadMidi(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tw::SoundError&) {
        return 0;
    }
    for (const tw::MidiTrackSummary& track : tw::TracksWithNotes(song)) {
        for (bool fit : {false, true}) {
            tw::MidiMelody melody;
            try {
                melody = tw::MelodyFromMidi(song, {track.number, fit});
            } catch (const tw::SoundError&) {
                continue;
            }
            tw::CNotes ringtone;
            ringtone.SetFull_RTTTL(melody.RTTTL("Fuzz"));
            const auto written = std::count(melody.notes.begin(), melody.notes.end(), ',') + 1;
            if (ringtone.Count() != written) std::abort();
        }
    }
    return 0;
}

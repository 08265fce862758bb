#pragma once

#include <string>
#include <vector>

#include "engine/cnotes.h"

namespace tw {

// The FluidSynth library's soname on Debian 12 (package libfluidsynth3).
inline constexpr const char* FluidSynthSoname = "libfluidsynth.so.3";

// General MIDI programs, counted from 0 (0 the grand piano, 12 the marimba).
// In the TimGM6mb font the pitched programs sound true to within about ten
// cents (piano 0, music box 10, vibraphone 11, marimba 12, guitar 24, violin
// 40, trumpet 56, oboe 68, clarinet 71, flute 73, square lead 80, saw lead
// 81, ...); the bells (celesta 8, glockenspiel 9, tubular bells 14, tinkle
// bell 112) and some effects ring with partials well away from the note, and
// the xylophone's lowest keys are out of tune, so they make no voice that
// plays a ringtone at its pitch.
inline constexpr int MaxMidiProgram = 127;

// The sample rates the synthesiser renders at.
inline constexpr int MinInstrumentRate = 8000;
inline constexpr int MaxInstrumentRate = 96000;

// Where the instruments come from: the synthesiser library and the SoundFont
// file, FindSoundFont's when empty.
struct InstrumentSource {
    std::string library = FluidSynthSoname;
    std::string soundFont;
};

// The ringtone played on General MIDI program `program` with FluidSynth from
// a General MIDI SoundFont: mono samples at `sampleRate`, every note at its
// pitch (its MIDI key) from its start to its end as PlanInstrumentNotes
// times them, then the last notes' release until the instrument falls
// silent (at most a few seconds). The whole ringtone is rendered, a final
// pause included. No reverb or chorus; a fixed gain that leaves a single
// voice well below full scale, so that the caller normalises; every sample
// lies within [-1, 1]. Throws SoundError: as PlanInstrumentNotes does, and
// MissingLibrary when the library or the SoundFont is not installed, and
// NoVoice for a program outside 0 to 127, a sample rate outside the
// synthesiser's, a SoundFont that cannot be read or has no such program.
std::vector<float> RenderInstrument(const CNotes& ringtone, int program, int sampleRate);
std::vector<float> RenderInstrument(const CNotes& ringtone, int program, int sampleRate,
                                    const InstrumentSource& source);

}  // namespace tw

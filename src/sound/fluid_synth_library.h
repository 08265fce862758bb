#pragma once

#include <fluidsynth.h>

#include <memory>
#include <string>

namespace tw {

// The FluidSynth functions the instrument voices use, found in the library
// when it is loaded. The program does not link the library, so that it
// starts and makes every other sound without it; each pointer has the type
// of the function that fluidsynth.h declares, listed here as
// X(member, name in the library).
#define TW_FLUID_SYNTH_FUNCTIONS(X)                     \
    X(setLogFunction, fluid_set_log_function)           \
    X(newSettings, new_fluid_settings)                  \
    X(deleteSettings, delete_fluid_settings)            \
    X(settingsSetNum, fluid_settings_setnum)            \
    X(settingsSetInt, fluid_settings_setint)            \
    X(newSynth, new_fluid_synth)                        \
    X(deleteSynth, delete_fluid_synth)                  \
    X(soundFontLoad, fluid_synth_sfload)                \
    X(programChange, fluid_synth_program_change)        \
    X(noteOn, fluid_synth_noteon)                       \
    X(noteOff, fluid_synth_noteoff)                     \
    X(activeVoices, fluid_synth_get_active_voice_count) \
    X(writeFloat, fluid_synth_write_float)

struct FluidSynthApi {
#define TW_FLUID_SYNTH_MEMBER(member, name) decltype(&::name) member = nullptr;
    TW_FLUID_SYNTH_FUNCTIONS(TW_FLUID_SYNTH_MEMBER)
#undef TW_FLUID_SYNTH_MEMBER
};

// The library loaded for the lifetime of the object. Its own log messages
// are silenced: its failures reach the user as SoundError texts instead.
class FluidSynthLibrary {
public:
    // Loads `soname`. Throws SoundError (MissingLibrary) naming the library and
    // its package when it cannot be loaded or lacks a function.
    explicit FluidSynthLibrary(const std::string& soname);

    const FluidSynthApi& Api() const { return api_; }

private:
    struct Closer {
        void operator()(void* handle) const;
    };
    std::unique_ptr<void, Closer> handle_;
    FluidSynthApi api_;
};

}  // namespace tw

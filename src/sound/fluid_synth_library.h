#pragma once

#include <fluidsynth.h>

#include <memory>
#include <string>

namespace tw {

// The FluidSynth functions the instrument voices use, found in the library
// when it is loaded. The program does not link the library, so that it
// starts and makes every other sound without it; each pointer has the type
// of the function that fluidsynth.h declares.
struct FluidSynthApi {
    decltype(&fluid_set_log_function) setLogFunction = nullptr;
    decltype(&new_fluid_settings) newSettings = nullptr;
    decltype(&delete_fluid_settings) deleteSettings = nullptr;
    decltype(&fluid_settings_setnum) settingsSetNum = nullptr;
    decltype(&fluid_settings_setint) settingsSetInt = nullptr;
    decltype(&new_fluid_synth) newSynth = nullptr;
    decltype(&delete_fluid_synth) deleteSynth = nullptr;
    decltype(&fluid_synth_sfload) soundFontLoad = nullptr;
    decltype(&fluid_synth_program_change) programChange = nullptr;
    decltype(&fluid_synth_noteon) noteOn = nullptr;
    decltype(&fluid_synth_noteoff) noteOff = nullptr;
    decltype(&fluid_synth_get_active_voice_count) activeVoices = nullptr;
    decltype(&fluid_synth_write_float) writeFloat = nullptr;
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

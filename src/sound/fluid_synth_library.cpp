#include "sound/fluid_synth_library.h"

#include <dlfcn.h>

#include "sound/sound_error.h"

namespace tw {
namespace {

[[noreturn]] void Unusable(const std::string& soname, const std::string& why) {
    throw SoundError(SoundError::Reason::MissingLibrary, "the instrument voices need the FluidSynth library " + soname +
                                                             " (Debian package libfluidsynth3): " + why);
}

template <class Function>
void Find(void* handle, const std::string& soname, const char* name, Function& function) {
    void* found = dlsym(handle, name);
    if (found == nullptr) Unusable(soname, std::string("it has no function ") + name);
    function = reinterpret_cast<Function>(found);
}

}  // namespace

void FluidSynthLibrary::Closer::operator()(void* handle) const { dlclose(handle); }

FluidSynthLibrary::FluidSynthLibrary(const std::string& soname) {
    // Kept mapped after the last close: the library starts threads and
    // registers with GLib, neither of which it undoes on unloading.
    handle_.reset(dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!handle_) {
        const char* reason = dlerror();
        Unusable(soname, std::string("it could not be loaded (") + (reason ? reason : "no reason given") + ")");
    }
    void* h = handle_.get();
    Find(h, soname, "fluid_set_log_function", api_.setLogFunction);
    Find(h, soname, "new_fluid_settings", api_.newSettings);
    Find(h, soname, "delete_fluid_settings", api_.deleteSettings);
    Find(h, soname, "fluid_settings_setnum", api_.settingsSetNum);
    Find(h, soname, "fluid_settings_setint", api_.settingsSetInt);
    Find(h, soname, "new_fluid_synth", api_.newSynth);
    Find(h, soname, "delete_fluid_synth", api_.deleteSynth);
    Find(h, soname, "fluid_synth_sfload", api_.soundFontLoad);
    Find(h, soname, "fluid_synth_program_change", api_.programChange);
    Find(h, soname, "fluid_synth_noteon", api_.noteOn);
    Find(h, soname, "fluid_synth_noteoff", api_.noteOff);
    Find(h, soname, "fluid_synth_get_active_voice_count", api_.activeVoices);
    Find(h, soname, "fluid_synth_write_float", api_.writeFloat);
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) api_.setLogFunction(level, nullptr, nullptr);
}

}  // namespace tw

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
#define TW_FLUID_SYNTH_FIND(member, name) Find(h, soname, #name, api_.member);
    TW_FLUID_SYNTH_FUNCTIONS(TW_FLUID_SYNTH_FIND)
#undef TW_FLUID_SYNTH_FIND
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) api_.setLogFunction(level, nullptr, nullptr);
}

}  // namespace tw

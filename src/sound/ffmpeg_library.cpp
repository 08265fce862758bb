#include "sound/ffmpeg_library.h"

#include <dlfcn.h>

#include <string>

#include "sound/sound_error.h"

namespace tw {
namespace {

[[noreturn]] void Missing(const std::string& what) {
    throw SoundError(SoundError::Reason::MissingLibrary,
                     what + "; phone ringtones need FFmpeg's libraries (Debian: libavformat" +
                         std::to_string(LIBAVFORMAT_VERSION_MAJOR) + ", libavcodec" +
                         std::to_string(LIBAVCODEC_VERSION_MAJOR) + ")");
}

// The libraries stay loaded once loaded: FFmpeg keeps tables made on first
// use for the life of the process, which unloading would lose track of.
void* Open(const std::string& soname) {
    void* handle = ::dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        Missing("FFmpeg's " + soname + " could not be loaded" + (reason ? std::string(" (") + reason + ")" : ""));
    }
    return handle;
}

template <class Function>
void Find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    if (function == nullptr) Missing(std::string("FFmpeg has no function ") + name);
}

}  // namespace

void FfmpegLibrary::Closer::operator()(void* handle) const { ::dlclose(handle); }

FfmpegLibrary::FfmpegLibrary()
    : util_(Open("libavutil.so." + std::to_string(LIBAVUTIL_VERSION_MAJOR))),
      codec_(Open("libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR))),
      format_(Open("libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR))) {
#define TW_FFMPEG_FIND(library, name) Find(library##_.get(), #name, name);
    TW_FFMPEG_FUNCTIONS(TW_FFMPEG_FIND)
#undef TW_FFMPEG_FIND
    // Failures are reported with their reason; FFmpeg's own log stays quiet.
    av_log_set_level(AV_LOG_QUIET);
}

std::string FfmpegLibrary::ErrorText(int code) const {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0) return "FFmpeg error " + std::to_string(code);
    return text;
}

}  // namespace tw

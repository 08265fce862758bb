#include "sound/sound_font.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "sound/sound_error.h"

namespace tw {
namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string FindSoundFont(const std::optional<std::string>& chosen, std::span<const std::string_view> installed) {
    if (chosen && !chosen->empty()) {
        if (IsFile(*chosen)) return *chosen;
        throw SoundError(SoundError::Reason::MissingLibrary, "the SoundFont that " + std::string(SoundFontVariable) +
                                                                 " names, " + *chosen + ", is not a file");
    }
    std::string tried;
    for (const std::string_view path : installed) {
        if (IsFile(std::string(path))) return std::string(path);
        tried += (tried.empty() ? "" : ", ") + std::string(path);
    }
    throw SoundError(SoundError::Reason::MissingLibrary,
                     "the instrument voices need a General MIDI SoundFont and none is installed (looked for " + tried +
                         "; the Debian package timgm6mb-soundfont installs one, or " + std::string(SoundFontVariable) +
                         " can name another)");
}

std::string FindSoundFont() {
    const char* chosen = std::getenv(std::string(SoundFontVariable).c_str());
    return FindSoundFont(chosen ? std::optional<std::string>(chosen) : std::nullopt, InstalledSoundFonts);
}

}  // namespace tw

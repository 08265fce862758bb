#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tw {

// The environment variable that names the SoundFont to use instead of the
// installed one.
inline constexpr std::string_view SoundFontVariable = "TUNEWRIGHT_SOUNDFONT";

// Where Debian installs General MIDI SoundFonts, in the order they are
// tried: the small TimGM6mb font (package timgm6mb-soundfont, which the
// synthesiser library's package depends on), then the system's default
// General MIDI font, whichever package provides it.
inline constexpr std::string_view InstalledSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
};

// The SoundFont file the instrument voices are played from: `chosen` when it
// is given and not empty (it must then exist), else the first of
// `installed` that exists. Throws SoundError (MissingLibrary) naming where it
// looked and the package that installs one.
std::string FindSoundFont(const std::optional<std::string>& chosen, std::span<const std::string_view> installed);

// The same for this process: TUNEWRIGHT_SOUNDFONT, else InstalledSoundFonts.
std::string FindSoundFont();

}  // namespace tw

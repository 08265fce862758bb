#pragma once

#include <filesystem>
#include <string_view>

#include "engine/cnotes.h"

namespace tw {

class Player;

// The WAV file of the ringtone named `name` in `folder`.
std::filesystem::path WavFileFor(const std::filesystem::path& folder, std::string_view name);

// Saves `ringtone` as the WAV file `file` (replacing it), or SessionError
// (Sound) with the reason it could not be made.
void SaveWav(const CNotes& ringtone, const std::filesystem::path& file, Player& player);

}  // namespace tw

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"
#include "lists/ini_document.h"

namespace tw {

class Player;

// A list file as read once, for work that goes through every entry while the
// file may change underneath (a batch of WAV files).
class ListSnapshot {
public:
    explicit ListSnapshot(IniDocument file) : file_(std::move(file)) {}

    // The entries in the order the window's ringtone list shows them.
    std::vector<std::string> Entries() const;
    // Loads `entry` into `ringtone` as the list file would; false when there
    // is no such entry. A text the engine refuses throws EngineError.
    bool Load(std::string_view entry, CNotes& ringtone) const;

private:
    IniDocument file_;
};

// The WAV file of the ringtone named `name` in `folder`.
std::filesystem::path WavFileFor(const std::filesystem::path& folder, std::string_view name);

// Saves `ringtone` as the WAV file `file` (replacing it), or SessionError
// (Sound) with the reason it could not be made.
void SaveWav(const CNotes& ringtone, const std::filesystem::path& file, Player& player);

}  // namespace tw

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/cnotes.h"
#include "lists/ini_document.h"

namespace tw {

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

}  // namespace tw

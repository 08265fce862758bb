#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

#include "engine/cnotes.h"
#include "session/list_snapshot.h"

namespace tw {

// How a batch of files went.
struct BatchCounts {
    std::size_t written = 0;
    std::size_t failed = 0;
};

// One file per ringtone of `snapshot`, named after the ringtone's own name
// (which differs from the entry's only in a list edited by hand). A ringtone
// whose name cannot be a file name is reported on `err` and skipped; for the
// others `write` is called with the ringtone, its name and its place in the
// list (from 1) and the list's length. A ringtone that cannot be read or
// written is reported on `err` with the file `pathOf` its name gives, and the
// batch goes on.
BatchCounts WriteEachRingtone(const ListSnapshot& snapshot, std::ostream& err,
                              const std::function<std::filesystem::path(const std::string& name)>& pathOf,
                              const std::function<void(const CNotes& ringtone, const std::string& name,
                                                       std::size_t place, std::size_t count)>& write);

}  // namespace tw

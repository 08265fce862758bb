#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// A ringtone of a collection that was not imported, and why; or one that
// was, and what became of its name.
struct ImportSkip {
    std::size_t line = 0;  // where it starts in the collection, from 1
    std::string reason;
};

// What an import did.
struct ImportResult {
    std::size_t imported = 0;
    std::vector<ImportSkip> skipped;
    // Left out because the list held them already, under the same name and
    // with the same text (an import run again).
    std::size_t alreadyThere = 0;
    // Imported under a name made fit for a ringtone: one line for each kind
    // of character replaced (FitRingtoneName).
    std::vector<ImportSkip> renamed;
};

// Told how far an import is (ringtones done, of all); false cancels it.
using ImportProgress = std::function<bool(std::size_t done, std::size_t total)>;

}  // namespace tw

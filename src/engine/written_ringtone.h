#pragma once

#include <string>
#include <vector>

namespace tw {

// A ringtone written in a handset file format: the file's bytes, and what
// the format could not hold as the ringtone has it, one message each
// ("note 12, 16c9: above iMelody's octaves, written in *8"), in the form of
// CNotes::ErrorLines.
struct WrittenRingtone {
    std::string bytes;
    std::vector<std::string> problems;
};

}  // namespace tw

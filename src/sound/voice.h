#pragma once

#include <optional>

namespace tw {

// The sound a ringtone is rendered with: the classic beep, or an instrument
// of the General MIDI set.
struct Voice {
    std::optional<int> program; /* GM program 0-127; none = the classic beep */
    friend bool operator==(const Voice&, const Voice&) = default;
};

}  // namespace tw

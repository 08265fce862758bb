#pragma once

#include <optional>

#include "engine/notation.h"

// The window's notation choices (the source, the Display As choice and the
// clipboard entries) stand in the order of Notation: RTTTL, Composer,
// Keypresses.
namespace tw {

// The notation of choice `index`; nothing for -1 (none chosen) or any other
// index.
std::optional<Notation> NotationAt(int index);

// The notation of choice `index`, keypresses when none is chosen.
Notation NotationOrKeypresses(int index);

}  // namespace tw

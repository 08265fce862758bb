#pragma once

#include <optional>
#include <string_view>

namespace tw {

// The three ringtone notations, in the order the program lists them.
enum class Notation { RTTTL = 0, Composer = 1, Keypresses = 2 };

// The engine's own names: "RTTTL", "Composer", "Keypresses".
std::string_view NotationName(Notation notation);

// Command-line words: "rtttl", "composer", "keypresses" (any case).
std::optional<Notation> NotationFromWord(std::string_view word);

}  // namespace tw

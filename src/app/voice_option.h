#pragma once

#include <string>
#include <string_view>

#include "sound/voice.h"

namespace tw {

// The voice a command-line word names (VoiceFromWord); a UsageError naming
// `option` and the voices it takes for any other word.
Voice VoiceWordOption(std::string_view option, const std::string& word);

// "OPTION takes beep, piano, ..., or a General MIDI program 1 to 128, not
// 'WORD'".
std::string VoiceWordsProblem(std::string_view option, const std::string& word);

}  // namespace tw

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sound/voice.h"

namespace tw {

// The voices offered by name, the beep first, in the order they are shown:
// ("beep", the beep), ("piano", program 0), ...
std::vector<std::pair<std::string, Voice>> NamedVoices();

// The voice a word names: one of NamedVoices' names (any case), or a General
// MIDI program number as the General MIDI list numbers them, 1 to 128 (1 is
// the acoustic grand piano, program 0). Nothing for anything else.
std::optional<Voice> VoiceFromWord(std::string_view word);

// The name of a voice: its name in NamedVoices, else "program N" with N
// counted from 1 as VoiceFromWord reads it.
std::string VoiceName(const Voice& voice);

}  // namespace tw

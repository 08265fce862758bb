#include "app/voice_option.h"

#include "app/cli_options.h"
#include "sound/voice_names.h"

namespace tw {

Voice VoiceWordOption(std::string_view option, const std::string& word) {
    if (const auto voice = VoiceFromWord(word)) return *voice;
    throw UsageError{VoiceWordsProblem(option, word)};
}

std::string VoiceWordsProblem(std::string_view option, const std::string& word) {
    std::string names;
    for (const auto& [name, voice] : NamedVoices()) names += name + ", ";
    return std::string(option) + " takes " + names + "or a General MIDI program 1 to 128, not '" + word + "'";
}

}  // namespace tw

#include "ui/voice_choice.h"

#include <QComboBox>

#include <cctype>

#include "sound/voice_names.h"
#include "ui/text_codec.h"

namespace tw {
namespace {

// The item data of a voice: its program, -1 for the beep.
int ProgramData(const Voice& voice) { return voice.program.value_or(-1); }

}  // namespace

std::string VoiceCaption(const Voice& voice) {
    if (!voice.program) return "Beep (the classic phone buzzer)";
    for (const auto& [name, named] : NamedVoices()) {
        if (named != voice) continue;
        std::string caption = name;
        for (char& c : caption)
            if (c == '-') c = ' ';
        caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
        return caption;
    }
    return "General MIDI program " + std::to_string(*voice.program + 1);
}

void FillVoiceList(QComboBox& list, const Voice& selected) {
    list.clear();
    for (const auto& [name, voice] : NamedVoices()) list.addItem(ShownText(VoiceCaption(voice)), ProgramData(voice));
    int index = list.findData(ProgramData(selected));
    if (index < 0) {
        list.addItem(ShownText(VoiceCaption(selected)), ProgramData(selected));
        index = list.count() - 1;
    }
    list.setCurrentIndex(index);
}

Voice ChosenVoice(const QComboBox& list) {
    const int program = list.currentIndex() < 0 ? -1 : list.currentData().toInt();
    return program < 0 ? Voice{} : Voice{program};
}

}  // namespace tw

#pragma once

#include <string>

#include "sound/voice.h"

class QComboBox;

namespace tw {

// How a voice is shown in a list: "Beep (the classic phone buzzer)",
// "Music box", "General MIDI program 74".
std::string VoiceCaption(const Voice& voice);

// Fills `list` with the named voices, the beep first, and `selected` among
// them (added at the end when it is a program without a name).
void FillVoiceList(QComboBox& list, const Voice& selected);

// The voice chosen in a list that FillVoiceList filled; the beep when none
// is.
Voice ChosenVoice(const QComboBox& list);

}  // namespace tw

#include "session/sound_file.h"

#include <string>

#include "files/safe_file.h"
#include "session/session_error.h"
#include "sound/midi_file.h"
#include "sound/render.h"

namespace tw {
namespace {

void SaveMidi(const CNotes& ringtone, const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = WriteMidi(ringtone);
    ReplaceFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

std::string_view SoundFileKind(SoundFileType type) { return type == SoundFileType::Midi ? "MIDI" : "WAV"; }

std::string_view SoundFileExtension(SoundFileType type) { return type == SoundFileType::Midi ? ".mid" : ".wav"; }

std::filesystem::path SoundFileFor(const std::filesystem::path& folder, std::string_view name, SoundFileType type) {
    return folder / (std::string(name) + std::string(SoundFileExtension(type)));
}

void SaveSoundFile(const CNotes& ringtone, const std::filesystem::path& file, SoundFileType type, Player& player) {
    try {
        if (type == SoundFileType::Midi) SaveMidi(ringtone, file);
        else SaveWave(ringtone, file.string(), player);
    } catch (const std::exception& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    }
}

}  // namespace tw

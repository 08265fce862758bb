#include "session/sound_file.h"

#include <string>

#include "files/safe_file.h"
#include "lists/list_names.h"
#include "session/session_error.h"
#include "sound/midi_file.h"
#include "sound/render.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

std::vector<std::string> SaveMidi(const CNotes& ringtone, const std::filesystem::path& file) {
    std::vector<std::string> problems;
    const std::vector<std::uint8_t> bytes = WriteMidi(ringtone, problems);
    ReplaceFile(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return problems;
}

}  // namespace

std::string_view SoundFileKind(SoundFileType type) { return type == SoundFileType::Midi ? "MIDI" : "WAV"; }

std::string_view SoundFileExtension(SoundFileType type) { return type == SoundFileType::Midi ? ".mid" : ".wav"; }

std::filesystem::path SoundFileFor(const std::filesystem::path& folder, std::string_view name, SoundFileType type) {
    return folder / (std::string(name) + std::string(SoundFileExtension(type)));
}

std::vector<std::string> SaveSoundFile(const CNotes& ringtone, const std::filesystem::path& file, SoundFileType type,
                                       Player& player) {
    try {
        if (type == SoundFileType::Midi) return SaveMidi(ringtone, file);
        SaveWave(ringtone, file.string(), player);
        return {};
    } catch (const SoundError& e) {
        if (e.reason() == SoundError::Reason::NoMelody) throw SessionError(SessionError::Reason::CannotHold, e.what());
        throw SessionError(SessionError::Reason::Sound, e.what());
    } catch (const std::exception& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    }
}

std::vector<std::string> SaveSoundFileNamed(const std::filesystem::path& folder, const CNotes& ringtone,
                                            SoundFileType type, Player& player,
                                            const std::function<void()>& beforeWriting) {
    if (const auto problem = FileNameProblem(ringtone.Name()))
        throw SessionError(SessionError::Reason::BadFileName, *problem);
    if (beforeWriting) beforeWriting();
    return SaveSoundFile(ringtone, SoundFileFor(folder, ringtone.Name(), type), type, player);
}

}  // namespace tw

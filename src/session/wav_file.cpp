#include "session/wav_file.h"

#include "session/session_error.h"
#include "sound/render.h"

namespace tw {

std::filesystem::path WavFileFor(const std::filesystem::path& folder, std::string_view name) {
    return folder / (std::string(name) + ".wav");
}

void SaveWav(const CNotes& ringtone, const std::filesystem::path& file, Player& player) {
    try {
        SaveWave(ringtone, file.string(), player);
    } catch (const std::exception& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    }
}

}  // namespace tw

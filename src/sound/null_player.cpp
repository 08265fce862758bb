#include "sound/player.h"
#include "sound/sound_error.h"

namespace tw {

void NullPlayer::PlayImage(std::span<const std::uint8_t>) {
    throw SoundError(SoundError::Reason::PlayFailed, "no sound output is available");
}

}  // namespace tw

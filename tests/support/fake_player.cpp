#include "support/fake_player.h"

#include "sound/sound_error.h"

namespace tw {

std::vector<std::string> FakePlayer::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::vector<std::uint8_t>> FakePlayer::Played() const {
    std::lock_guard lock(mutex_);
    return played_;
}

void FakePlayer::FailWith(std::string reason) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(reason);
}

void FakePlayer::PlayImage(std::span<const std::uint8_t> image) {
    std::lock_guard lock(mutex_);
    calls_.push_back("play");
    if (failure_) throw SoundError(SoundError::Reason::PlayFailed, *failure_);
    played_.emplace_back(image.begin(), image.end());
    calls_.push_back("ended");
}

void FakePlayer::Stop() {
    std::lock_guard lock(mutex_);
    calls_.push_back("stop");
}

}  // namespace tw

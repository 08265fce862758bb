#include "fake_player.h"

#include "sound_error.h"

namespace tw {

std::vector<std::string> FakePlayer::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::vector<std::uint8_t>> FakePlayer::Played() const {
    std::lock_guard lock(mutex_);
    return played_;
}

void FakePlayer::SetHold(bool hold) {
    std::lock_guard lock(mutex_);
    hold_ = hold;
}

void FakePlayer::Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
}

void FakePlayer::WaitUntilPlaying() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return playing_; });
}

void FakePlayer::FailWith(std::string reason) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(reason);
}

void FakePlayer::PlayImage(std::span<const std::uint8_t> image) {
    std::unique_lock lock(mutex_);
    calls_.push_back("play");
    if (failure_) throw SoundError(SoundError::Reason::PlayFailed, *failure_);
    played_.emplace_back(image.begin(), image.end());
    playing_ = true;
    released_ = false;
    stopped_ = false;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !hold_ || released_ || stopped_; });
    calls_.push_back(stopped_ ? "stopped" : "ended");
    playing_ = false;
}

void FakePlayer::Stop() {
    std::lock_guard lock(mutex_);
    calls_.push_back("stop");
    if (playing_) stopped_ = true;
    changed_.notify_all();
}

}  // namespace tw

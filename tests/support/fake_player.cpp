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

void FakePlayer::PlayThrough(std::vector<double> seconds, std::function<void(double)> step) {
    std::lock_guard lock(mutex_);
    course_ = std::move(seconds);
    step_ = std::move(step);
}

void FakePlayer::PlayImage(std::span<const std::uint8_t> image) {
    std::vector<double> course;
    std::function<void(double)> step;
    {
        std::lock_guard lock(mutex_);
        calls_.push_back("play");
        if (failure_) throw SoundError(SoundError::Reason::PlayFailed, *failure_);
        played_.emplace_back(image.begin(), image.end());
        course = course_;
        step = step_;
    }
    // The step runs unlocked: it may ask for the position.
    for (const double seconds : course) {
        {
            std::lock_guard lock(mutex_);
            playedSeconds_ = seconds;
        }
        if (step) step(seconds);
    }
    std::lock_guard lock(mutex_);
    playedSeconds_.reset();
    calls_.push_back("ended");
}

std::optional<double> FakePlayer::PlayedSeconds() const {
    std::lock_guard lock(mutex_);
    return playedSeconds_;
}

void FakePlayer::Stop() {
    std::lock_guard lock(mutex_);
    calls_.push_back("stop");
}

}  // namespace tw

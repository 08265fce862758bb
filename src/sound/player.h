#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tw {

// Where a finished sound goes to be heard.
class Player {
public:
    virtual ~Player() = default;

    // Plays a complete WAV image held in memory and returns when it has
    // ended or was stopped. Throws SoundError (PlayFailed) when the sound
    // cannot be played.
    virtual void PlayImage(std::span<const std::uint8_t> image) = 0;

    // Stops whatever this player is playing; does nothing when it is silent.
    // May be called from another thread than the one that plays.
    virtual void Stop() = 0;

    // How far into the sound now playing the output device has got, in
    // seconds from its start, as the device itself reports it; nothing when
    // no sound plays or the output cannot tell. Asked on the thread that
    // plays, while PlayImage lets its events run.
    virtual std::optional<double> PlayedSeconds() const { return std::nullopt; }
};

// A player for programs without sound output: stopping does nothing and
// playing fails with a reason.
class NullPlayer final : public Player {
public:
    void PlayImage(std::span<const std::uint8_t> image) override;
    void Stop() override {}
    std::optional<double> PlayedSeconds() const override { return std::nullopt; }
};

}  // namespace tw

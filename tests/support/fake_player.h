#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sound/player.h"

namespace tw {

// A player for tests. It keeps every image it is given and the order of the
// calls; a sound ends at once, unless a course of positions is set: then
// a play reports each position in turn and runs the step between them.
// All members may be called from any thread.
class FakePlayer final : public Player {
public:
    // The calls as they happened: "stop", "play", and "ended" after each
    // play.
    std::vector<std::string> Calls() const;
    // The images played, in order.
    std::vector<std::vector<std::uint8_t>> Played() const;

    // Makes every later play fail with `reason`.
    void FailWith(std::string reason);

    // Makes every later play report each of `seconds` in turn as its
    // played position, calling `step` after each (for the test to let the
    // window's events run and look at it); the position goes after the play.
    void PlayThrough(std::vector<double> seconds, std::function<void(double)> step);

    void PlayImage(std::span<const std::uint8_t> image) override;
    void Stop() override;
    std::optional<double> PlayedSeconds() const override;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<std::vector<std::uint8_t>> played_;
    std::optional<std::string> failure_;
    std::vector<double> course_;
    std::function<void(double)> step_;
    std::optional<double> playedSeconds_;
};

}  // namespace tw

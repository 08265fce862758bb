#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sound/player.h"

namespace tw {

// A player for tests. It keeps every image it is given and the order of the
// calls; a sound ends at once. All members may be called from any thread.
class FakePlayer final : public Player {
public:
    // The calls as they happened: "stop", "play", and "ended" after each
    // play.
    std::vector<std::string> Calls() const;
    // The images played, in order.
    std::vector<std::vector<std::uint8_t>> Played() const;

    // Makes every later play fail with `reason`.
    void FailWith(std::string reason);

    void PlayImage(std::span<const std::uint8_t> image) override;
    void Stop() override;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<std::vector<std::uint8_t>> played_;
    std::optional<std::string> failure_;
};

}  // namespace tw

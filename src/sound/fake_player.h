#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "player.h"

namespace tw {

// A player for tests. It keeps every image it is given and the order of the
// calls. By default a sound ends at once; with SetHold(true) a sound lasts
// until Release() or Stop() is called, from another thread, so callers can
// check that playing blocks and that stopping ends it. All members may be
// called from any thread.
class FakePlayer final : public Player {
public:
    // The calls as they happened: "stop", "play", and how each play ended:
    // "ended" or "stopped".
    std::vector<std::string> Calls() const;
    // The images played, in order.
    std::vector<std::vector<std::uint8_t>> Played() const;

    // When set, a play lasts until Release() or Stop().
    void SetHold(bool hold);
    // Ends a held play as a sound that has run to its end.
    void Release();
    // Waits until a play is under way.
    void WaitUntilPlaying();
    // Makes every later play fail with `reason`.
    void FailWith(std::string reason);

    void PlayImage(std::span<const std::uint8_t> image) override;
    void Stop() override;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> calls_;
    std::vector<std::vector<std::uint8_t>> played_;
    std::optional<std::string> failure_;
    bool hold_ = false;
    bool playing_ = false;
    bool released_ = false;
    bool stopped_ = false;
};

}  // namespace tw

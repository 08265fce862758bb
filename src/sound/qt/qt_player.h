#pragma once

#include <memory>
#include <mutex>

#include "sound/player.h"

class QAudioSink;
class QEventLoop;

namespace tw {

// Plays through the desktop's sound server (PulseAudio or PipeWire) with Qt
// Multimedia. Needs a QCoreApplication or QApplication on the playing thread.
// While a sound plays, the thread runs a local event loop that leaves user
// input alone, so windows stay drawn but a second play cannot start.
class QtPlayer final : public Player {
public:
    // Fails with SoundError when there is no sound output device, when the
    // sound server refuses the stream, and when the sound has not ended a few
    // seconds after its length.
    void PlayImage(std::span<const std::uint8_t> image) override;
    void Stop() override;
    // The time the audio sink reports as processed since the sound started.
    std::optional<double> PlayedSeconds() const override;

private:
    mutable std::mutex mutex_;
    bool busy_ = false;           // a PlayImage call is under way
    bool stopRequested_ = false;  // Stop was called during it
    QEventLoop* loop_ = nullptr;  // the loop that waits for its end
    QAudioSink* sink_ = nullptr;  // the sink playing, during PlayImage
};

// A player for the desktop's sound server that also works in a program
// without a Qt application object: it then makes one for its own lifetime.
std::unique_ptr<Player> MakeSystemPlayer();

}  // namespace tw

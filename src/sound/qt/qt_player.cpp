#include "sound/qt/qt_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <string>

#include "qt_support/command_application.h"
#include "sound/sound_error.h"
#include "sound/wave_layout.h"

namespace tw {
namespace {

// Time allowed beyond the sound's own length before a play is given up.
constexpr qint64 PlayGraceMs = 5000;
// Waited after the last bytes went to the server, for them to be heard.
constexpr qint64 DrainMarginMs = 100;

[[noreturn]] void Fail(const std::string& reason) { throw SoundError(SoundError::Reason::PlayFailed, reason); }

std::string SinkErrorText(QAudio::Error error) {
    switch (error) {
    case QAudio::OpenError: return "the sound server did not open the sound output";
    case QAudio::IOError: return "the sound output failed while playing";
    case QAudio::FatalError: return "the sound output is not available";
    default: return "the sound output failed";
    }
}

// A player that also works in a program without a Qt application object.
class OwningSystemPlayer final : public Player {
public:
    void PlayImage(std::span<const std::uint8_t> image) override { player_.PlayImage(image); }
    void Stop() override { player_.Stop(); }
    std::optional<double> PlayedSeconds() const override { return player_.PlayedSeconds(); }

private:
    CommandApplication application_;
    QtPlayer player_;
};

// The default output, checked to take 16-bit mono sound at `sampleRate`.
QAudioDevice OutputFor(const QAudioFormat& format) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) Fail("no sound output device is available");
    if (!device.isFormatSupported(format))
        Fail("the sound output cannot play 16-bit mono sound at " + std::to_string(format.sampleRate()) +
             " samples per second");
    return device;
}

}  // namespace

void QtPlayer::PlayImage(std::span<const std::uint8_t> image) {
    const WaveLayout layout = ReadWaveLayout(image);
    if (QCoreApplication::instance() == nullptr) Fail("sound cannot be played without the application's event loop");
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(layout.sampleRate));
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = OutputFor(format);

    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(image.data() + layout.dataOffset),
                                              static_cast<qsizetype>(layout.dataBytes));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(device, format);
    const qint64 soundMs = static_cast<qint64>(layout.Seconds() * 1000.0);
    const qint64 bytesPerSecond = 2 * static_cast<qint64>(layout.sampleRate);

    QEventLoop loop;
    std::string failure;
    QElapsedTimer clock;
    QTimer drained;
    drained.setSingleShot(true);
    QObject::connect(&drained, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &loop, [&] {
        failure = "the sound did not finish playing in time";
        loop.quit();
    });
    // The sink pulls the samples at the pace they are played. Once it has
    // taken the last one, what it still buffers plays out, and then the
    // sound has ended; the sound never ends before its own length.
    const auto allTaken = [&] {
        if (drained.isActive()) return;
        const qint64 bufferedMs = sink.bufferSize() * 1000 / bytesPerSecond;
        drained.start(std::max(bufferedMs, soundMs - clock.elapsed()) + DrainMarginMs);
    };
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (buffer.atEnd()) allTaken();
    });
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
        if (state == QAudio::IdleState) allTaken();
        if (state == QAudio::StoppedState && sink.error() != QAudio::NoError) {
            failure = SinkErrorText(sink.error());
            loop.quit();
        }
    });

    {
        std::lock_guard lock(mutex_);
        busy_ = true;
        stopRequested_ = false;
        sink_ = &sink;
    }
    clock.start();
    sink.start(&buffer);
    bool run = sink.error() == QAudio::NoError;
    if (!run) failure = SinkErrorText(sink.error());
    giveUp.start(soundMs + PlayGraceMs);
    watch.start();
    {
        std::lock_guard lock(mutex_);
        run = run && !stopRequested_;
        loop_ = run ? &loop : nullptr;
    }
    if (run) loop.exec(QEventLoop::ExcludeUserInputEvents);
    {
        std::lock_guard lock(mutex_);
        loop_ = nullptr;
        busy_ = false;
        sink_ = nullptr;
    }
    sink.stop();
    if (!failure.empty()) Fail(failure);
}

void QtPlayer::Stop() {
    std::lock_guard lock(mutex_);
    if (!busy_) return;
    stopRequested_ = true;
    if (loop_ != nullptr)
        QMetaObject::invokeMethod(
            loop_, [loop = loop_] { loop->quit(); }, Qt::QueuedConnection);
}

std::optional<double> QtPlayer::PlayedSeconds() const {
    std::lock_guard lock(mutex_);
    if (sink_ == nullptr) return std::nullopt;
    return static_cast<double>(sink_->processedUSecs()) / 1e6;
}

std::unique_ptr<Player> MakeSystemPlayer() { return std::make_unique<OwningSystemPlayer>(); }

}  // namespace tw

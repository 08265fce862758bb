#include "sound/cwave.h"

#include <algorithm>
#include <cmath>

#include "files/safe_file.h"
#include "sound/sound_error.h"
#include "sound/sound_numbers.h"

namespace tw {
namespace {

using Reason = SoundError::Reason;

// Nearest whole number, halves to the even neighbour (the default rounding mode).
double R(double x) { return std::nearbyint(x); }

constexpr double PauseHertz = 440.0;
constexpr std::size_t HeaderBytes = 44;

[[noreturn]] void TooLong() { throw SoundError(Reason::TooLong, "the sound is too long"); }

// The sample count of a sound of `cycles` whole periods of `hertz`, refusing
// counts of no sample and counts beyond the longest sound.
std::int64_t CountFor(double hertz, double cycles, std::int16_t sampleRate, const std::string& tooShort) {
    const double count = R((sampleRate / hertz) * cycles);
    if (count > static_cast<double>(MaxSoundSamples)) TooLong();
    if (!(count >= 1.0)) throw SoundError(Reason::TooShort, tooShort);
    return static_cast<std::int64_t>(count);
}

void PutLE(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t at, const char (&text)[5]) {
    std::copy(text, text + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::int64_t ToneSampleCount(double Frequency, double Duration, std::int16_t SampleRate) {
    if (!std::isfinite(Frequency) || Frequency <= 0.0)
        throw SoundError(Reason::BadNote, "a tone needs a frequency above 0 Hz, not " + NumberText(Frequency));
    if (!std::isfinite(Duration) || Duration <= 0.0)
        throw SoundError(Reason::BadNote, "a tone needs a length above 0 seconds, not " + NumberText(Duration));
    const std::string tooShort =
        "a tone of " + NumberText(Frequency) + " Hz lasting " + NumberText(Duration) + " s is too short to sound";
    const double cycles = R(Frequency * Duration);
    if (!(cycles >= 1.0)) throw SoundError(Reason::TooShort, tooShort);
    return CountFor(Frequency, cycles, SampleRate, tooShort);
}

std::int64_t PauseSampleCount(double Duration, std::int16_t SampleRate) {
    if (!std::isfinite(Duration) || Duration <= 0.0)
        throw SoundError(Reason::BadNote, "a pause needs a length above 0 seconds, not " + NumberText(Duration));
    const std::string tooShort = "a pause of " + NumberText(Duration) + " s is too short to sound";
    const double cycles = R(Duration * PauseHertz);
    if (!(cycles >= 1.0)) throw SoundError(Reason::TooShort, tooShort);
    return CountFor(PauseHertz, cycles, SampleRate, tooShort);
}

CWave::CWave(Player& player) : player_(player) {}

void CWave::Start() {
    sampleData_.assign(1, 0);
    sampleCount_ = 0;
    image_.clear();
    pi_ = 4.0 * std::atan(1.0);
    player_.Stop();
}

void CWave::Reserve(std::int64_t totalSamples) {
    if (totalSamples > MaxSoundSamples) TooLong();
    if (totalSamples > 0) sampleData_.reserve(static_cast<std::size_t>(totalSamples));
}

void CWave::CheckRoomFor(std::int64_t samples) const {
    if (static_cast<std::int64_t>(sampleData_.size()) + samples > MaxSoundSamples) TooLong();
}

void CWave::AddNote(double Frequency, double Duration) {
    const std::int64_t count = ToneSampleCount(Frequency, Duration, sampleRate_);
    CheckRoomFor(count + PauseSampleCount(ToneGapSeconds, sampleRate_));
    const double cycles = R(Frequency * Duration);

    const std::size_t first = sampleData_.size();
    sampleData_.resize(first + static_cast<std::size_t>(count));
    const double limit = (cycles + cycles) * pi_ - 0.01;
    const double step = (cycles + cycles) * pi_ / static_cast<double>(count);
    const double volume = volume_;
    // The phase is accumulated by repeated addition. The margin in `limit`
    // makes this exactly `count` samples whenever the step is at least 0.01;
    // for slower tones the loop ends early and the note's last samples stay
    // silent. The index bound keeps every sample inside the note's own room.
    std::size_t index = first;
    for (double phase = 0.0; phase <= limit && index < sampleData_.size(); phase += step) {
        const double value = std::clamp(R(volume * std::sin(phase)), -32768.0, 32767.0);
        sampleData_[index++] = static_cast<std::int16_t>(value);
    }
    sampleCount_ = static_cast<std::int32_t>(sampleData_.size() - 1);
    AddPause(ToneGapSeconds);
}

void CWave::AddPause(double Duration) {
    const std::int64_t count = PauseSampleCount(Duration, sampleRate_);
    CheckRoomFor(count);
    // The tone loop storing zeros: the new room is zero-filled already.
    sampleData_.resize(sampleData_.size() + static_cast<std::size_t>(count), 0);
    sampleCount_ = static_cast<std::int32_t>(sampleData_.size() - 1);
}

void CWave::BuildWave() {
    const std::size_t count = sampleData_.size();
    image_.assign(HeaderBytes + 2 * count, 0);
    const auto rate = static_cast<std::uint32_t>(static_cast<std::int32_t>(sampleRate_));
    PutText(image_, 0, "RIFF");
    PutLE(image_, 4, static_cast<std::uint32_t>(image_.size() - 8), 4);
    PutText(image_, 8, "WAVE");
    PutText(image_, 12, "fmt ");
    PutLE(image_, 16, 16, 4);
    PutLE(image_, 20, 1, 2);
    PutLE(image_, 22, 1, 2);
    PutLE(image_, 24, rate, 4);
    PutLE(image_, 28, 2 * rate, 4);
    PutLE(image_, 32, 2, 2);
    PutLE(image_, 34, 16, 2);
    PutText(image_, 36, "data");
    PutLE(image_, 40, static_cast<std::uint32_t>(2 * count), 4);
    for (std::size_t i = 0; i < count; ++i)
        PutLE(image_, HeaderBytes + 2 * i, static_cast<std::uint16_t>(sampleData_[i]), 2);
}

const std::vector<std::uint8_t>& CWave::WaveImage() {
    BuildWave();
    return image_;
}

void CWave::Play() {
    BuildWave();
    player_.PlayImage(image_);
}

void CWave::Save() {
    if (filename_.empty()) throw SoundError(SoundError::Reason::WriteFailed, "no file name was given for the sound");
    BuildWave();
    try {
        ReplaceFile(filename_, std::string_view(reinterpret_cast<const char*>(image_.data()), image_.size()));
    } catch (const FileError& e) {
        throw SoundError(SoundError::Reason::WriteFailed, e.what());
    }
}

}  // namespace tw

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/player.h"

namespace tw {

// The longest sound the synthesiser makes: one hour at 8000 samples a second.
// Keeps every RIFF size field far from overflowing.
inline constexpr std::int64_t MaxSoundSamples = 28'800'000;

// The silence after every tone, in seconds.
inline constexpr double ToneGapSeconds = 0.005;

// Samples of a tone of `Frequency` hertz lasting `Duration` seconds, without
// the gap after it. Throws SoundError for a frequency or duration that is not
// a finite number above 0, for a tone of no whole cycle or no sample, and for
// a tone longer than MaxSoundSamples.
std::int64_t ToneSampleCount(double Frequency, double Duration, std::int16_t SampleRate);

// Samples of a silence of `Duration` seconds, measured in whole 440 Hz
// periods. Throws as ToneSampleCount does.
std::int64_t PauseSampleCount(double Duration, std::int16_t SampleRate);

// The synthesiser: turns tones and silences into a mono 16-bit PCM WAV image
// and plays it or writes it to a file. Every tone is a pure sine of a whole
// number of periods followed by a short gap; silences are whole 440 Hz periods.
// Call Start, then AddNote/AddPause in the order the sound is heard, then
// Play or Save.
class CWave {
public:
    // `player` is asked to stop by Start and plays the image on Play; it must
    // outlive the synthesiser.
    explicit CWave(Player& player);

    std::int16_t Volume() const { return volume_; }
    void SetVolume(std::int16_t value) { volume_ = value; }
    std::int16_t SampleRate() const { return sampleRate_; }
    void SetSampleRate(std::int16_t value) { sampleRate_ = value; }
    // Held for the caller only; no synthesiser operation uses it.
    std::int16_t Tempo() const { return tempo_; }
    void SetTempo(std::int16_t value) { tempo_ = value; }
    const std::string& Filename() const { return filename_; }
    void SetFilename(std::string value) { filename_ = std::move(value); }

    // Begins a new sound of one silent sample and stops the player.
    void Start();
    // Appends a tone and the gap after it. On a failure nothing is added.
    void AddNote(double Frequency, double Duration);
    // Appends silence. On a failure nothing is added.
    void AddPause(double Duration);
    // Builds the image and plays it; returns when the player has finished.
    void Play();
    // Builds the image and writes it to Filename through a temporary file in
    // the same folder, renamed over the target.
    void Save();

    // Makes room for a sound of `totalSamples` samples so that adding notes
    // never moves the store.
    void Reserve(std::int64_t totalSamples);
    // The samples added so far, the first one being the silent start sample.
    const std::vector<std::int16_t>& SampleData() const { return sampleData_; }
    // Index of the last sample.
    std::int32_t SampleCount() const { return sampleCount_; }
    // Builds the image from the samples added so far, as Play and Save do.
    const std::vector<std::uint8_t>& WaveImage();

private:
    void BuildWave();
    void CheckRoomFor(std::int64_t samples) const;

    Player& player_;
    std::int16_t volume_ = 30000;
    std::int16_t sampleRate_ = 8000;
    std::int16_t tempo_ = 0;
    std::string filename_;
    std::vector<std::int16_t> sampleData_{0};
    std::int32_t sampleCount_ = 0;
    double pi_ = 0.0;  // set by Start
    std::vector<std::uint8_t> image_;
};

}  // namespace tw

#include "sound/instrument_voice.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string_view>

#include "sound/fluid_synth_library.h"
#include "sound/instrument_notes.h"
#include "sound/sound_error.h"
#include "sound/sound_font.h"

namespace tw {
namespace {

// Every note is struck alike, as the MIDI file writes it.
constexpr int Velocity = 100;
// The synthesiser's master gain: one voice of a General MIDI font at this
// velocity peaks around a third of full scale.
constexpr double Gain = 0.6;
// The longest release rendered after the ringtone's end.
constexpr double MaxTailSeconds = 3.0;
// Samples rendered by one call of the synthesiser.
constexpr std::size_t Block = 1024;

[[noreturn]] void Fail(const std::string& text) { throw SoundError(SoundError::Reason::NoVoice, text); }

// Whether `path` starts as a SoundFont (RIFF "sfbk") or a DLS file (RIFF
// "DLS ") does. FluidSynth hands a file it cannot read as the one to a reader
// of the other, which writes to standard error about anything else.
bool LooksLikeSoundFont(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[12] = {};
    if (!file.read(head, sizeof head)) return false;
    const std::string_view text(head, sizeof head);
    return text.substr(0, 4) == "RIFF" && (text.substr(8) == "sfbk" || text.substr(8) == "DLS ");
}

// The synthesiser and its settings, deleted through the loaded library.
class Synth {
public:
    Synth(const FluidSynthApi& api, int sampleRate) : api_(api) {
        settings_ = api.newSettings();
        if (settings_ == nullptr) Fail("FluidSynth could not make its settings");
        api.settingsSetNum(settings_, "synth.sample-rate", sampleRate);
        api.settingsSetNum(settings_, "synth.gain", Gain);
        api.settingsSetInt(settings_, "synth.reverb.active", 0);
        api.settingsSetInt(settings_, "synth.chorus.active", 0);
        api.settingsSetInt(settings_, "synth.polyphony", 64);
        api.settingsSetInt(settings_, "synth.threadsafe-api", 0);
        api.settingsSetInt(settings_, "synth.lock-memory", 0);
        synth_ = api.newSynth(settings_);
        if (synth_ == nullptr) {
            api.deleteSettings(settings_);
            Fail("FluidSynth could not make a synthesiser");
        }
    }
    ~Synth() {
        api_.deleteSynth(synth_);
        api_.deleteSettings(settings_);
    }
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    fluid_synth_t* get() const { return synth_; }

private:
    const FluidSynthApi& api_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};

// Renders the synthesiser's output, mixed down to mono, onto `out`.
class MonoWriter {
public:
    MonoWriter(const FluidSynthApi& api, fluid_synth_t* synth, std::vector<float>& out)
        : api_(api), synth_(synth), out_(out), left_(Block), right_(Block) {}

    // Renders until `out` holds `length` samples.
    void RenderTo(std::int64_t length) {
        while (static_cast<std::int64_t>(out_.size()) < length)
            Render(std::min<std::size_t>(Block, static_cast<std::size_t>(length) - out_.size()));
    }

    void Render(std::size_t count) {
        if (api_.writeFloat(synth_, static_cast<int>(count), left_.data(), 0, 1, right_.data(), 0, 1) != FLUID_OK)
            Fail("FluidSynth failed while rendering");
        for (std::size_t i = 0; i < count; ++i) out_.push_back(0.5F * (left_[i] + right_[i]));
    }

private:
    const FluidSynthApi& api_;
    fluid_synth_t* synth_;
    std::vector<float>& out_;
    std::vector<float> left_;
    std::vector<float> right_;
};

}  // namespace

std::vector<float> RenderInstrument(const CNotes& ringtone, int program, int sampleRate) {
    return RenderInstrument(ringtone, program, sampleRate, {});
}

std::vector<float> RenderInstrument(const CNotes& ringtone, int program, int sampleRate,
                                    const InstrumentSource& source) {
    if (program < 0 || program > MaxMidiProgram)
        Fail("a General MIDI program is a number from 0 to 127, not " + std::to_string(program));
    if (sampleRate < MinInstrumentRate || sampleRate > MaxInstrumentRate)
        Fail("the instruments are rendered at 8000 to 96000 samples a second, not " + std::to_string(sampleRate));
    const InstrumentPlan plan = PlanInstrumentNotes(ringtone, sampleRate);
    const std::string soundFont = source.soundFont.empty() ? FindSoundFont() : source.soundFont;

    const FluidSynthLibrary library(source.library);
    const FluidSynthApi& api = library.Api();
    const Synth synth(api, sampleRate);
    if (!LooksLikeSoundFont(soundFont) || api.soundFontLoad(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
        Fail("the SoundFont " + soundFont + " could not be read");
    if (api.programChange(synth.get(), 0, program) != FLUID_OK)
        Fail("the SoundFont " + soundFont + " has no instrument for General MIDI program " + std::to_string(program));

    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(plan.length + sampleRate));
    MonoWriter writer(api, synth.get(), out);
    for (const InstrumentNote& note : plan.notes) {
        writer.RenderTo(note.start);
        api.noteOn(synth.get(), 0, note.key, Velocity);
        writer.RenderTo(note.end);
        api.noteOff(synth.get(), 0, note.key);
    }
    writer.RenderTo(plan.length);
    const auto tailEnd = static_cast<std::int64_t>(out.size()) + static_cast<std::int64_t>(MaxTailSeconds * sampleRate);
    while (api.activeVoices(synth.get()) > 0 && static_cast<std::int64_t>(out.size()) < tailEnd)
        writer.RenderTo(std::min<std::int64_t>(tailEnd, static_cast<std::int64_t>(out.size() + Block)));

    // Kept within full scale for the caller, who normalises.
    float peak = 0;
    for (const float sample : out) peak = std::max(peak, std::abs(sample));
    if (peak > 1.0F)
        for (float& sample : out) sample /= peak;
    return out;
}

}  // namespace tw

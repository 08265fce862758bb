#include "app/sound_commands.h"

#include <memory>
#include <ostream>
#include <string_view>

#include "app/checked_output.h"
#include "app/cli.h"
#include "app/cli_options.h"
#include "app/midi_commands.h"
#include "app/ringtone_input.h"
#include "app/voice_option.h"
#include "files/safe_file.h"
#include "shell/saved_settings.h"
#include "sound/midi_file.h"
#include "sound/render.h"
#include "sound/sound_error.h"
#include "sound/voice_play.h"

namespace tw {
namespace {

// Reads the ringtone, or ends the command as reading does.
CNotes ReadForSound(const RingtoneOptions& options, std::istream& in) {
    CNotes notes;
    ReadRingtone(options, in, notes);
    return notes;
}

// The problems of the read go to standard error whether or not the sound
// is made; a sound failure then ends the command with exit code 3, and a
// ringtone without a note to write as nothing converted. What the file could
// hold only as the nearest it has follows the read's problems.
template <class Make>
int MakeSound(const CNotes& notes, std::ostream& err, Make&& make) {
    const int status = ReportProblems(notes, err);
    std::vector<std::string> nearest;
    try {
        make(nearest);
    } catch (const SoundError& e) {
        throw CommandFailure{e.reason() == SoundError::Reason::NoMelody ? ExitNothingRead : ExitSound, e.what()};
    }
    for (const std::string& problem : nearest) err << problem << '\n';
    return nearest.empty() ? status : ExitProblems;
}

// Writes a rendered file to -o: a file, or standard output for "-", whose
// failure the command line reports as for every command (exit 74, with the
// reason).
void WriteRendered(const std::string& output, const std::vector<std::uint8_t>& image, std::ostream& out) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    try {
        WriteToTarget(output, bytes, out);
    } catch (const FileError& e) {
        throw SoundError(SoundError::Reason::WriteFailed, e.what());
    }
}

// wav and midi: the ringtone read, rendered by `render` and written to -o.
template <class Render>
int RenderCommand(const char* command, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err, Render&& render) {
    const RingtoneOptions options = ParseRingtoneOptions(args, {"from", "separator", "o"});
    if (!options.from || !options.output) throw UsageError{std::string(command) + " needs --from and -o"};
    const CNotes notes = ReadForSound(options, in);
    return MakeSound(notes, err, [&](std::vector<std::string>& nearest) {
        WriteRendered(*options.output, render(notes, nearest), out);
    });
}

}  // namespace

int WavCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    return RenderCommand("wav", args, in, out, err,
                         [](const CNotes& notes, std::vector<std::string>&) { return RenderWave(notes); });
}

int MidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    return RenderCommand("midi", args, in, out, err, [](const CNotes& notes, std::vector<std::string>& nearest) {
        return WriteMidi(notes, nearest);
    });
}

int PlayCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& err,
                const PlayerMaker& makePlayer, const SettingsStore& settings) {
    const CommandArgs parsed = ParseCommandArgs(args, {"from", "imelody-prefix", "voice"}, {});
    if (parsed.words.size() > 1) throw UsageError{"only one input file may be given"};
    RingtoneOptions options;
    if (const auto from = parsed.Value("from")) options.from = ReadFormatWord("from", *from);
    if (!options.from) throw UsageError{"play needs --from"};
    if (!parsed.words.empty()) options.input = parsed.words.front();
    options.read = IMelodyPrefixOption(parsed.Value("imelody-prefix"), options.from);
    const auto word = parsed.Value("voice");
    const Voice voice = word ? VoiceWordOption("--voice", *word) : ReadSettings(settings, {0, 0}).Settings.PlayVoice;
    const CNotes notes = ReadForSound(options, in);
    const std::unique_ptr<Player> player = makePlayer();
    return MakeSound(notes, err, [&](std::vector<std::string>&) { PlayVoice(notes, voice, *player); });
}

std::optional<int> RunSoundCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                                   std::ostream& out, std::ostream& err) {
    if (command == "wav") return WavCommand(args, in, out, err);
    if (command == "midi") return MidiCommand(args, in, out, err);
    if (command == "from-midi") return FromMidiCommand(args, in, out, err);
    return std::nullopt;
}

}  // namespace tw

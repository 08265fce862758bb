#include "app/midi_commands.h"

#include <charconv>
#include <ostream>

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/file_format_output.h"
#include "app/ringtone_input.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "session/midi_ringtone.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

int TrackOption(const std::string& word) {
    int track = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), track);
    if (error != std::errc() || end != word.data() + word.size() || track < 1)
        throw UsageError{"--track takes a track number from 1, not '" + word + "'"};
    return track;
}

}  // namespace

bool ReadMidiRingtone(const MidiReadRequest& request, std::istream& in, CNotes& notes, std::ostream& err) {
    MidiMelodyOptions options;
    if (request.track) options.track = TrackOption(*request.track);
    options.fit = request.fit;
    MidiRingtone ringtone;
    try {
        ringtone = RingtoneFromMidi(ReadMidi(ReadInputBytes(request.input, in, MidiInput)), options, request.name,
                                    request.input);
    } catch (const SoundError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    try {
        ReadGivenRingtone(notes, Notation::RTTTL, ringtone.rtttl);
    } catch (const EngineError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    for (const std::string& line : ReportLines(ringtone)) err << line << '\n';
    return !ringtone.name.changes.empty();
}

int FromMidiCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const CommandArgs parsed = ParseCommandArgs(args, {"track", "name", "to", "separator", "o"}, {"fit"});
    if (parsed.words.size() != 1) throw UsageError{"from-midi needs one MIDI file (or - for standard input)"};
    const FileFormat to = parsed.Value("to") ? FormatWord("--to", *parsed.Value("to")) : FileFormat::RTTTL;
    CNotes notes;
    notes.SetOutputSeparator(UsableSeparatorOption(parsed.Value("separator").value_or(", ")));
    const bool renamed = ReadMidiRingtone(
        {parsed.words.front(), parsed.Value("track"), parsed.Value("name").value_or(""), parsed.Flag("fit")}, in, notes,
        err);
    // A name that had to change is a problem of the ringtone, as when it is read from a text.
    int status = ReportProblems(notes, err);
    if (renamed) status = ExitProblems;
    return WriteRingtoneOutput(notes, {to, false, parsed.Value("o")}, out, err, status);
}

}  // namespace tw

#include "app/shape_commands.h"

#include <charconv>
#include <cstdlib>
#include <ostream>

#include "app/cli.h"
#include "app/file_format_output.h"
#include "app/midi_commands.h"
#include "app/ringtone_input.h"
#include "engine/engine_error.h"
#include "engine/octave_fit.h"
#include "engine/transpose.h"
#include "lists/list_names.h"
#include "lists/program_directory.h"
#include "session/ringtone_session.h"

namespace tw {
namespace {

// The most a move may be: past it every note is beyond RTTTL's octaves.
constexpr int FarthestOctaves = 10;

// One move: by semitones (octaves are twelve), or the fit.
struct ShapeRequest {
    bool fit = false;
    int semitones = 0;
};

int MoveAmount(std::string_view option, const std::string& word, int farthest) {
    int value = 0;
    const char* first = word.data();
    if (!word.empty() && word.front() == '+') ++first;
    const auto [end, error] = std::from_chars(first, word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || std::abs(value) > farthest)
        throw UsageError{"--" + std::string(option) + " takes a whole number from -" + std::to_string(farthest) +
                         " to " + std::to_string(farthest) + ", not '" + word + "'"};
    return value;
}

ShapeRequest ShapeOptions(const CommandArgs& args, std::string_view command) {
    const auto semitones = args.Value("semitones");
    const auto octaves = args.Value("octaves");
    const bool fit = args.Flag("fit");
    if ((semitones ? 1 : 0) + (octaves ? 1 : 0) + (fit ? 1 : 0) != 1)
        throw UsageError{std::string(command) + " needs one of --semitones N, --octaves N or --fit"};
    if (fit) return {true, 0};
    if (semitones) return {false, MoveAmount("semitones", *semitones, 12 * FarthestOctaves)};
    return {false, 12 * MoveAmount("octaves", *octaves, FarthestOctaves)};
}

ShapedRingtone Shape(const CNotes& ringtone, const ShapeRequest& request) {
    return request.fit ? FittedIntoComposerOctaves(ringtone) : Transposed(ringtone, request.semitones);
}

// What the move did and could not do, on standard error; ExitProblems when
// it could not do everything.
int ReportShape(const ShapedRingtone& shaped, std::ostream& err) {
    if (shaped.octavesMoved != 0) err << OctaveMoveLine(shaped.octavesMoved) << '\n';
    for (const std::string& problem : shaped.problems) err << problem << '\n';
    return shaped.problems.empty() ? ExitClean : ExitProblems;
}

// The arguments without the options `dropped` (each with its value, but
// the flag --fit), for the ringtone options' parser; those are read with
// ParseCommandArgs.
std::vector<std::string> WithoutOptions(const std::vector<std::string>& args,
                                        const std::vector<std::string_view>& dropped) {
    const auto valued = [&dropped](std::string_view arg) {
        for (const std::string_view name : dropped)
            if (arg == "--" + std::string(name)) return true;
        return false;
    };
    const auto joined = [&dropped](std::string_view arg) {
        for (const std::string_view name : dropped)
            if (arg.starts_with("--" + std::string(name) + "=")) return true;
        return false;
    };
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (arg == "--fit" || joined(arg)) continue;
        if (valued(arg)) {
            ++i;
            continue;
        }
        rest.push_back(arg);
    }
    return rest;
}

}  // namespace

int TransposeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    std::vector<std::string_view> valued = {"from", "to", "separator", "o", "imelody-prefix", "pin", "track"};
    valued.insert(valued.end(), std::begin(ShapeValueOptions), std::end(ShapeValueOptions));
    std::vector<std::string_view> flagged = {"notes-only"};
    flagged.insert(flagged.end(), std::begin(ShapeFlagOptions), std::end(ShapeFlagOptions));
    const CommandArgs parsed = ParseCommandArgs(args, valued, flagged);
    const ShapeRequest request = ShapeOptions(parsed, "transpose");
    // A MIDI file is read as from-midi reads it, then moved like a text.
    const bool midi = parsed.Value("from") == "midi";
    if (parsed.Value("track") && !midi) throw UsageError{"--track goes with --from midi"};
    std::vector<std::string_view> dropped = {"track"};
    dropped.insert(dropped.end(), std::begin(ShapeValueOptions), std::end(ShapeValueOptions));
    if (midi) dropped.push_back("from");
    RingtoneOptions options =
        ParseRingtoneOptions(WithoutOptions(args, dropped), {"from", "to", "separator", "notes-only", "o"});
    if (!options.from) options.from = FileFormat::RTTTL;
    if (!options.to) options.to = *options.from;
    if (options.notesOnly) NeedNotation(*options.to, "--notes-only");

    CNotes notes;
    notes.SetOutputSeparator(options.separator);
    bool renamed = false;
    if (midi) renamed = ReadMidiRingtone({options.input, parsed.Value("track"), "", false}, in, notes, err);
    else ReadRingtone(options, in, notes);
    // The name was made fit on reading; the text read again keeps the fit name.
    const std::vector<std::string> nameChanges = notes.NameChanges();
    ShapedRingtone shaped;
    try {
        shaped = Shape(notes, request);
        ApplyShape(notes, shaped);
    } catch (const EngineError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    for (const std::string& change : nameChanges) err << change << '\n';
    int status = ReportShape(shaped, err);
    if (!nameChanges.empty() || renamed) status = ExitProblems;
    if (ReportProblems(notes, err) != ExitClean) status = ExitProblems;
    return WriteRingtoneOutput(notes, {*options.to, options.notesOnly, options.output, false, options.write}, out, err,
                               status);
}

int ListTransposeCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    const char* usage = "usage: tunewright list transpose LIST NAME --semitones N | --octaves N | --fit";
    if (args.words.size() != 3) throw UsageError{usage};
    for (const auto& [name, value] : args.values)
        if (name != "semitones" && name != "octaves")
            throw UsageError{"list transpose takes no option " + (name == "o" ? std::string("-o") : "--" + name)};
    for (const std::string& name : args.flags)
        if (name != "fit") throw UsageError{"list transpose takes no option --" + name};
    const ShapeRequest request = ShapeOptions(args, "list transpose");

    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    session.Ringtone().SetOutputSeparator(", ");
    const std::string& name = args.words[2];
    ShapedRingtone shaped;
    std::string stored;
    try {
        stored = session.ChangeEntry(name, [&](CNotes& ringtone) {
            shaped = Shape(ringtone, request);
            if (shaped.changed) ApplyShape(ringtone, shaped);
            return shaped.changed;
        });
    } catch (const SessionError& e) {
        if (e.reason() == SessionError::Reason::NoRingtone)
            throw CommandFailure{ExitNothingRead, "there is no ringtone '" + Printable(name) + "' in the list '" +
                                                      session.ListName() + "' (" + session.ListFileName() + ")"};
        throw CommandFailure{ExitNothingRead,
                             "the ringtone '" + Printable(name) + "' was not changed: " + std::string(e.what())};
    }
    out << stored << '\n';
    int status = ReportShape(shaped, err);
    if (ReportProblems(session.Ringtone(), err) != ExitClean) status = ExitProblems;
    return status;
}

}  // namespace tw

#include "app/cli.h"

#include <cstring>
#include <istream>
#include <new>
#include <ostream>

#include "app/checked_output.h"
#include "app/cli_options.h"
#include "app/command_split.h"
#include "app/file_format_output.h"
#include "app/json_writer.h"
#include "app/list_commands.h"
#include "app/phone_commands.h"
#include "app/ringtone_input.h"
#include "app/shape_commands.h"
#include "app/sound_commands.h"
#include "engine/collection.h"
#include "engine/engine_error.h"
#include "engine/ringtone_text.h"
#include "files/safe_file.h"
#include "session/ringtone_file.h"
#include "session/session_error.h"
#include "web/program_version.h"

namespace tw {
namespace {

const char* const Usage =
    "Usage: tunewright [local]\n"
    "       tunewright convert --from F --to F [--separator S] [--notes-only] [--each] [--imelody-prefix P] [FILE|-]\n"
    "                          [--pin N] [-o OUT]\n"
    "       tunewright notes   --from F [--separator S] [--imelody-prefix P] [FILE|-]\n"
    "       tunewright wav     --from F [--separator S] [--imelody-prefix P] [FILE|-] -o OUT.wav\n"
    "       tunewright midi    --from F [--separator S] [--imelody-prefix P] [FILE|-] -o OUT.mid\n"
    "       tunewright from-midi FILE.mid [--track N] [--name NAME] [--fit] [--to F] [-o OUT]\n"
    "       tunewright phone   --to ogg|m4r --from F [--voice V] [--repeat N] [--gap MS] [--separator S]\n"
    "                          [--imelody-prefix P] [FILE|-] -o OUT\n"
    "       tunewright play    --from F [--voice V] [--imelody-prefix P] [FILE|-]\n"
    "       tunewright transpose --semitones N|--octaves N|--fit [--from F|--from midi [--track N]] [--to F]\n"
    "                          [--separator S] [--notes-only] [-o OUT] [FILE|-]\n"
    "       tunewright list lists | show LIST | new LIST | rename OLD NEW | clear LIST | delete LIST\n"
    "       tunewright list add LIST --from F [--separator S] [--imelody-prefix P] [FILE|-]\n"
    "       tunewright list import LIST --from F [--separator S] [FILE|-]\n"
    "       tunewright list get LIST NAME --to F [--separator S] [--notes-only] [--pin N] [-o OUT]\n"
    "       tunewright list remove LIST NAME\n"
    "       tunewright list transpose LIST NAME --semitones N|--octaves N|--fit\n"
    "       tunewright list export LIST [--types T,T,T] [--raw] [--show-type] [--separator S] [-o FILE|-]\n"
    "       tunewright list wav-all LIST -o DIR\n"
    "       tunewright list midi-all LIST -o DIR\n"
    "       tunewright list fmf-all LIST -o DIR\n"
    "       tunewright list phone-all LIST --to ogg|m4r [--voice V] [--repeat N] [--gap MS] -o DIR\n"
    "       tunewright web menus [local] | check [local] | open ADDRESS\n"
    "       tunewright settings [show|reset] | settings voice V\n"
    "       tunewright --help | --version\n";

constexpr std::string_view HelpCommands =
    "Tunewright converts hand-entered phone ringtones between RTTTL, the handset\n"
    "composer notation and the composer's keypress sequence, and reads and writes\n"
    "them as iMelody (.imy), Smart Messaging (.ott) and Flipper Music Format\n"
    "(.fmf) files.\n"
    "\n"
    "With no arguments (or the word 'local') it starts the desktop program.\n"
    "\n"
    "Commands:\n"
    "  convert   read a ringtone and write it in another notation; with --each the\n"
    "            input is a collection, one ringtone a line (a line that starts no\n"
    "            ringtone continues the one before; blank lines and lines starting\n"
    "            with #, ; or // are skipped), written one a line, with problems on\n"
    "            standard error as LINE: message\n"
    "  notes     read a ringtone and describe it note by note as JSON\n"
    "  list      keep ringtones in named lists (LIST.dat files in $TUNEWRIGHT_HOME,\n"
    "            else $XDG_DATA_HOME/Tunewright, else ~/.local/share/Tunewright):\n"
    "            lists, show, add (stores a ringtone under its name, replacing one of\n"
    "            that name), import (stores every ringtone of a collection in one\n"
    "            write; one the list holds already, same name and text, is left\n"
    "            out; another name taken gets \" (2)\", \" (3)\" ...), get, remove,\n"
    "            new, rename, clear, delete, export (writes\n"
    "            tonelist.txt there unless -o is given; --types picks among rtttl,\n"
    "            composer and keypresses, default keypresses), wav-all (one\n"
    "            NAME.wav per ringtone in DIR), midi-all (one NAME.mid) and fmf-all\n"
    "            (one NAME.fmf, a Flipper Music Format file), phone-all (one\n"
    "            NAME.ogg or NAME.m4r, with phone's options)\n"
    "  wav       read a ringtone and write its sound as a WAV file\n"
    "  midi      read a ringtone and write it as a Standard MIDI File (format 0,\n"
    "            480 ticks a quarter note, a square-wave lead at the true pitch)\n"
    "  from-midi read one track of a MIDI file as a ringtone: the highest note at\n"
    "            each moment, the first tempo, starts and ends put on a grid of\n"
    "            64ths, then a note of less than two 64ths left out and the\n"
    "            lengths written as RTTTL's with ties; --track N (from 1,\n"
    "            default the first with notes), --name (default the song's\n"
    "            title, else the file's name), --fit (move by octaves into the\n"
    "            composer's), --to F (default rtttl), -o as convert; where the\n"
    "            name came from, what was lost and the broken events skipped\n"
    "            outside the notes go to standard error\n"
    "  phone     read a ringtone and write it as a phone's ringtone file:\n"
    "            --to ogg, Ogg Vorbis for Android, or --to m4r, AAC in MPEG-4 for\n"
    "            the iPhone (at most 40 s: a longer one is refused with its\n"
    "            length; without --repeat the plays are fewer to fit; any\n"
    "            phone file at most 10 minutes). Mono, 44.1 kHz, 96 kb/s, the\n"
    "            name in the title tag; 25 ms of silence, then each play fades\n"
    "            in over 10 ms and out over 50 ms; the loudest sample at -1 dBFS.\n"
    "            --voice beep (default: the WAV's beep at the true pitch),\n"
    "            piano, music-box, vibraphone, marimba, guitar (FluidSynth with\n"
    "            a General MIDI SoundFont), or a General MIDI program numbered\n"
    "            1 to 128 as the General MIDI list numbers them (1 is the grand\n"
    "            piano, 13 the marimba);\n"
    "            --repeat N plays the melody N times (1 to 100; default: as\n"
    "            many as come nearest 25 s); --gap MS of silence between plays\n"
    "            (0 to 60000, default 1000). The plays and the length go to\n"
    "            standard error. FFmpeg's libraries (libavcodec, libavformat)\n"
    "            are loaded only then; without them it ends with exit code 3\n"
    "  play      read a ringtone and play it on the desktop's sound server in\n"
    "            --voice V (the words of phone), else the voice saved for Play\n"
    "            (settings voice, or the window's File > Voice for Play...), else\n"
    "            the beep; an instrument needs FluidSynth and a General MIDI\n"
    "            SoundFont ($TUNEWRIGHT_SOUNDFONT, else TimGM6mb's), else exit 3\n"
    "  transpose read a ringtone (--from, default rtttl) and move every note\n"
    "            --semitones N or --octaves N up (down for N below 0), or --fit:\n"
    "            by the whole octaves that put the most notes into the composer's\n"
    "            octaves (as from-midi --fit); written in --to (default the format\n"
    "            read) as convert writes. A note moved out of RTTTL's octaves 0 to\n"
    "            9 is written in the nearest and reported (exit 1). list transpose\n"
    "            LIST NAME moves a stored ringtone's notes in its list\n"
    "  web       the home site ($TUNEWRIGHT_BASE_URL, default https://tunewright.example/;\n"
    "            'local' is http://127.0.0.1:8077/): menus fetches menu.dat as the\n"
    "            program does at start, keeps it in the program directory and prints\n"
    "            the two web menus; check runs the version check and prints the\n"
    "            message the window would show (exit 2 when the site cannot be\n"
    "            reached); open opens a page in the web browser\n"
    "  settings  the desktop program's saved settings ($XDG_CONFIG_HOME/Tunewright/\n"
    "            Tunewright.conf): show prints those it would start with, one\n"
    "            KEY=VALUE a line (exit 1 when a saved value cannot be used);\n"
    "            reset forgets them all, so that the next start is a first start;\n"
    "            voice V saves the voice Play plays in (PlayVoice)\n"
    "\n"
    "Options:\n";

constexpr std::string_view HelpOptions =
    "                  convert --each or list import, which read one ringtone a line)\n"
    "  --to F          notation of the output (convert, list get, from-midi,\n"
    "                  transpose): the same words; the handset files are written\n"
    "                  whole, not with\n"
    "                  --notes-only or --each, and what the file cannot hold is\n"
    "                  reported as a problem (exit 1). A list stores a ringtone\n"
    "                  read from a file as its RTTTL text. arduino writes an\n"
    "                  Arduino sketch (.ino) that plays the ringtone once on a\n"
    "                  buzzer with tone(): the melody in program memory as\n"
    "                  whole hertz (0 a pause) and whole milliseconds, each\n"
    "                  note sounding for nine tenths of its length; it is only\n"
    "                  written, never read, and refused over 28 KB of melody\n"
    "                  (7168 notes), what an Uno's flash has room for\n"
    "  --pin N         the buzzer's pin of an Arduino sketch (--to arduino),\n"
    "                  0 to 255, default 8\n"
    "  --imelody-prefix P\n"
    "                  how long an octave prefix of an iMelody file (--from\n"
    "                  imelody) holds: until-next (default; as Android reads it)\n"
    "                  or one-note (the prefix is for the note after it, a note\n"
    "                  without one is in *4; as Gammu writes it). A file cannot\n"
    "                  tell which its writer meant; Tunewright writes a prefix\n"
    "                  on every note, which both read alike\n"
    "  --separator S   written between notes (default \", \"); must hold one of\n"
    "                  \",\" \"|\" \"/\" \"\\\" or a space\n"
    "  --notes-only    write the notes without the name and tempo header\n"
    "  -o, --output F  the WAV or MIDI file to write (wav, midi); \"-\" writes it to\n"
    "                  standard output; the folder to write into (wav-all, midi-all,\n"
    "                  fmf-all)\n"
    "                  (convert, list get, from-midi) the file to write the text to,\n"
    "                  as one line ending in CR LF, as the window saves it (\"-\":\n"
    "                  standard output); a handset file byte for byte. An\n"
    "                  ott file goes to standard output only when it is no terminal.\n"
    "                  A regular file is replaced whole; a FIFO or a device (such\n"
    "                  as /dev/null) is written to and stays what it is\n"
    "  FILE            the ringtone file; \"-\" or nothing reads standard input.\n"
    "                  Its lines are joined with nothing between them.\n"
    "\n"
    "Sizes: a ringtone's text up to 4 MiB once its lines are joined (a file of\n"
    "it 8 MiB with its line breaks), a handset file 16 MiB, a MIDI file,\n"
    "a collection and a list export 64 MiB. What is written keeps to what is\n"
    "read: a longer output is refused before it is written, with its size.\n"
    "\n"
    "Exit status: 0 clean; 1 converted, with the ringtone's problems on standard\n"
    "error; 2 nothing converted; 3 the sound could not be made; 64 usage error;\n"
    "74 standard output could not be written (a full disk, a closed pipe).\n";

// convert --each: every ringtone of a collection, one output line each, its
// problems on standard error after its line number.
// Writes a converted collection to -o as it is.
void SaveCollection(const std::string& target, const std::string& text, std::ostream& out) {
    try {
        WriteToTarget(target, text, out);
    } catch (const FileError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
}

int ConvertEach(const RingtoneOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const Notation from = NeedNotation(*options.from, "convert --each --from");
    const Notation to = NeedNotation(*options.to, "convert --each --to");
    const std::vector<CollectedRingtone> ringtones =
        SplitCollection(ReadInputBytes(options.input, in, CollectionInput));
    std::string text;
    std::uint64_t size = 0;
    CNotes notes;
    notes.SetOutputSeparator(options.separator);
    std::size_t read = 0;
    bool problems = false;
    for (const CollectedRingtone& ringtone : ringtones) {
        // Only a ringtone with problems needs its line number written out.
        const auto line = [&ringtone] { return std::to_string(ringtone.line) + ": "; };
        try {
            ReadGivenRingtone(notes, from, ringtone.text);
        } catch (const EngineError& e) {
            err << line() << e.what() << '\n';
            problems = true;
            continue;
        }
        ++read;
        std::string written = options.notesOnly ? notes.Only(to) : notes.Full(to);
        CheckWritableOutput(written);
        // Past the limit only the size is counted, for the message.
        size += written.size() + 1;
        if (size <= MaxCollectionText) {
            text += written;
            text += '\n';
        }
        for (const std::string& problem : notes.ErrorLines()) {
            err << line() << problem << '\n';
            problems = true;
        }
    }
    if (read == 0)
        throw CommandFailure{ExitNothingRead, ringtones.empty() ? "no ringtone text" : "no ringtone could be read"};
    // What is written is read again as a collection.
    if (size > MaxCollectionText)
        throw CommandFailure{ExitNothingRead, TooLargeText("the converted collection would be", size, MaxCollectionText,
                                                           "a collection")};
    SaveCollection(options.output.value_or("-"), text, out);
    return problems ? ExitProblems : ExitClean;
}

int Convert(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const RingtoneOptions options = ParseRingtoneOptions(args, {"from", "to", "separator", "notes-only", "o", "each"});
    if (!options.from || !options.to) throw UsageError{"convert needs --from and --to"};
    if (options.each) return ConvertEach(options, in, out, err);
    if (options.notesOnly) NeedNotation(*options.to, "--notes-only");
    CNotes notes;
    ReadRingtone(options, in, notes);
    return WriteRingtoneOutput(notes, {*options.to, options.notesOnly, options.output, false, options.write}, out, err);
}

int Notes(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const RingtoneOptions options = ParseRingtoneOptions(args, {"from", "separator"});
    if (!options.from) throw UsageError{"notes needs --from"};
    CNotes notes;
    ReadRingtone(options, in, notes);
    const std::vector<std::string> problems = notes.ErrorLines();
    WriteNotesJson(notes, problems, out);
    return ReportProblems(problems, err);
}

}  // namespace

std::string HelpText(FileFormatTable formats) {
    return std::string(HelpCommands) +
           "  --from F        notation of the input: " + FileFormatWords(FormatKinds::Notations, formats) +
           ", or a\n                  handset file: " + FileFormatWords(FormatKinds::Files, formats) +
           " (read byte for byte; not with\n" + std::string(HelpOptions);
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
               QtCommandRunner qtCommands) {
    if (args.empty()) {
        out << Usage;
        return ExitClean;
    }
    const std::string& command = args.front();
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage << '\n' << HelpText();
        return ExitClean;
    }
    if (command == "--version") {
        out << "tunewright " << ThisProgramVersion.Major << "." << ThisProgramVersion.Minor << " (build "
            << ThisProgramBuild << ")\n";
        return ExitClean;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest)
        if (arg == "--help" || arg == "-h") {
            out << Usage << '\n' << HelpText();
            return ExitClean;
        }
    try {
        if (command == "convert") return Convert(rest, in, out, err);
        if (command == "notes") return Notes(rest, in, out, err);
        if (command == "transpose") return TransposeCommand(rest, in, out, err);
        if (command == "list") return RunListCommand(rest, in, out, err);
        if (command == "phone") return PhoneCommand(rest, in, out, err);
        if (NeedsQt(command)) {
            if (qtCommands == nullptr)
                throw CommandFailure{ExitSoftware, "'" + command + "' runs in the desktop program only"};
            return qtCommands(command, rest, in, out, err);
        }
        if (const auto code = RunSoundCommand(command, rest, in, out, err)) return *code;
        throw UsageError{"unknown command '" + command + "'"};
    } catch (const UsageError& e) {
        err << "error: " << e.what() << '\n' << Usage;
        return ExitUsage;
    } catch (const CommandFailure& e) {
        err << "error: " << e.what() << '\n';
        return e.exitCode;
    } catch (const std::bad_alloc&) {
        err << "error: out of memory\n";
        return ExitSoftware;
    } catch (const std::exception& e) {
        // Anything else is a fault of the program: said, never an abort.
        err << "error: " << e.what() << '\n';
        return ExitSoftware;
    }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           bool outputIsTerminal, QtCommandRunner qtCommands) {
    CheckedOutput checked(out, outputIsTerminal);
    std::ostream checkedOut(&checked);
    const int code = RunCommand(args, in, checkedOut, err, qtCommands);
    checkedOut.flush();
    // A command that did its work has done it only once its output is out; a
    // command that failed has said why already.
    if (!checked.Failed() || (code != ExitClean && code != ExitProblems)) return code;
    err << "error: could not write to standard output"
        << (checked.Error() != 0 ? std::string(": ") + std::strerror(checked.Error()) : "") << '\n';
    return ExitOutput;
}

}  // namespace tw

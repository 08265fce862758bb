#include "app/list_commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <map>
#include <ostream>
#include <set>
#include <string_view>

#include "app/checked_output.h"
#include "app/cli.h"
#include "app/cli_options.h"
#include "app/file_format_output.h"
#include "app/list_batch.h"
#include "app/phone_commands.h"
#include "app/ringtone_input.h"
#include "app/shape_commands.h"
#include "engine/ringtone_text.h"
#include "files/safe_file.h"
#include "lists/list_names.h"
#include "lists/program_directory.h"
#include "session/ringtone_session.h"
#include "sound/player.h"

namespace tw {
namespace {

// The words and options after the list subcommand.
struct ListArgs : CommandArgs {
    // Refuses every option the subcommand does not take.
    void Allow(std::string_view command, std::initializer_list<std::string_view> names) const {
        const auto check = [&](const std::string& name) {
            for (std::string_view allowed : names)
                if (allowed == name) return;
            throw UsageError{"list " + std::string(command) + " takes no option " + (name == "o" ? "-o" : "--" + name)};
        };
        for (const auto& [name, value] : values) check(name);
        for (const std::string& name : flags) check(name);
    }
};

void NeedWords(const ListArgs& args, std::size_t count, const char* usage) {
    if (args.words.size() != count) throw UsageError{std::string("usage: tunewright list ") + usage};
}

FileFormat FormatOption(const ListArgs& args, std::string_view name, const char* usage) {
    const auto word = args.Value(name);
    if (!word) throw UsageError{std::string("usage: tunewright list ") + usage};
    return name == "from" ? ReadFormatWord(name, *word) : FormatWord(name, *word);
}

std::string SeparatorOption(const ListArgs& args) {
    return UsableSeparatorOption(args.Value("separator").value_or(", "));
}

std::string NoRingtone(const RingtoneSession& session, const std::string& name) {
    return "there is no ringtone '" + Printable(name) + "' in the list '" + session.ListName() + "' (" +
           session.ListFileName() + ")";
}

int Lists(const ListArgs& args, std::ostream& out) {
    NeedWords(args, 1, "lists");
    args.Allow("lists", {});
    const RingtoneSession session(ProgramDirectory());
    for (const std::string& name : session.ListsWithFiles()) out << name << '\n';
    return ExitClean;
}

int Show(const ListArgs& args, std::ostream& out) {
    NeedWords(args, 2, "show LIST");
    args.Allow("show", {});
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    SortedNameList names;
    session.LoadRows(names);
    for (const std::string& name : names.Items()) out << name << '\n';
    return ExitClean;
}

// Whether what was written to `out` could not be written: said before the
// command ends when the command has changed a list all the same.
bool OutputFailed(std::ostream& out) { return !out.flush(); }

// Stores the ringtone as the window's get command does: read in the source
// notation whatever its problems, then stored under its name, replacing a
// ringtone of that name.
// What add and import read: `LIST --from F [--separator S] [FILE|-]`, the
// session on that list with the separator set, and the input's bytes.
struct StoreInput {
    FileFormat from;
    std::string bytes;
    FileReadOptions read;
};
// A collection may hold as much as a list, one ringtone as its format may.
StoreInput ReadStoreInput(const ListArgs& args, const char* command, RingtoneSession& session, std::istream& in,
                          bool collection) {
    const std::string usage = std::string(command) + " LIST --from F [--separator S] [FILE|-]";
    if (args.words.size() != 2 && args.words.size() != 3) throw UsageError{"usage: tunewright list " + usage};
    args.Allow(command, {"from", "separator", "imelody-prefix"});
    const FileFormat from = FormatOption(args, "from", usage.c_str());
    const std::string separator = SeparatorOption(args);
    const std::string input = args.words.size() == 3 ? args.words[2] : "-";
    const FileReadOptions read = WithFileName(IMelodyPrefixOption(args.Value("imelody-prefix"), from), input);
    session.OpenList(args.words[1]);
    session.Ringtone().SetOutputSeparator(separator);
    const InputLimit limit = collection ? CollectionInput : InputLimitOf(from);
    return {from, ReadInputBytes(input, in, limit), read};
}

int Add(const ListArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
    RingtoneSession session(ProgramDirectory());
    const StoreInput input = ReadStoreInput(args, "add", session, in, false);
    try {
        session.GetAs(input.from, input.bytes, input.read);
    } catch (const SessionError& e) {
        switch (e.reason()) {
        case SessionError::Reason::NoText: throw CommandFailure{ExitNothingRead, "no ringtone text"};
        case SessionError::Reason::TooLong: throw CommandFailure{ExitNothingRead, e.what()};
        case SessionError::Reason::Unreadable:
            // A handset file's reader says what it could not read.
            throw CommandFailure{ExitNothingRead,
                                 NotationOf(input.from) ? "the ringtone header could not be read" : e.what()};
        default:
            throw CommandFailure{ExitNothingRead, "the ringtone '" + Printable(session.Ringtone().Name()) +
                                                      "' was not stored: " + e.what()};
        }
    }
    out << session.Ringtone().Name() << '\n';
    if (OutputFailed(out))
        err << "note: the ringtone '" << Printable(session.Ringtone().Name()) << "' is stored in the list '"
            << session.ListName() << "' all the same; adding it again stores it in its place\n";
    return ReportProblems(session.Ringtone(), err);
}

// Stores every ringtone of a collection in one rewrite of the list file.
int Import(const ListArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
    RingtoneSession session(ProgramDirectory());
    const StoreInput input = ReadStoreInput(args, "import", session, in, true);
    const Notation from = NeedNotation(input.from, "list import --from");
    // A long import on a terminal says how far it is.
    const bool showProgress = ::isatty(STDERR_FILENO) == 1 && &err == &std::cerr;
    const auto progress = [&](std::size_t done, std::size_t total) {
        if (total >= 2000)
            err << "\rimporting " << done << " of " << total << (done == total ? "\n" : "") << std::flush;
        return true;
    };
    const ImportResult result =
        *session.Import(from, input.bytes, showProgress ? ImportProgress(progress) : ImportProgress());
    for (const ImportSkip& skip : result.skipped) err << skip.line << ": " << skip.reason << '\n';
    for (const ImportSkip& renamed : result.renamed) err << renamed.line << ": " << renamed.reason << '\n';
    std::string counts =
        "imported " + std::to_string(result.imported) + ", skipped " + std::to_string(result.skipped.size());
    if (result.alreadyThere > 0) counts += ", " + std::to_string(result.alreadyThere) + " already in the list";
    out << counts << '\n';
    if (result.imported > 0 && OutputFailed(out))
        err << "note: the list '" << session.ListName() << "' was changed all the same (" << counts
            << "); importing the same ringtones again leaves out those already in it\n";
    if (result.imported == 0 && result.alreadyThere == 0) return ExitNothingRead;
    return result.skipped.empty() ? ExitClean : ExitProblems;
}

int Get(const ListArgs& args, std::ostream& out, std::ostream& err) {
    const char* usage = "get LIST NAME --to F [--separator S] [--notes-only] [--pin N] [-o OUT]";
    NeedWords(args, 3, usage);
    args.Allow("get", {"to", "separator", "notes-only", "o", "pin"});
    const FileFormat format = FormatOption(args, "to", usage);
    if (args.Flag("notes-only")) NeedNotation(format, "--notes-only");
    const FileWriteOptions writing = PinOption(args.Value("pin"), format);
    RingtoneSession session(ProgramDirectory());
    session.Ringtone().SetOutputSeparator(SeparatorOption(args));
    session.OpenExistingList(args.words[1]);
    const std::string& name = args.words[2];
    const EntryLoad load = session.Show(name);
    if (load.state == EntryState::Missing) throw CommandFailure{ExitNothingRead, NoRingtone(session, name)};
    if (load.state == EntryState::Unreadable)
        throw CommandFailure{ExitNothingRead, "the ringtone '" + Printable(name) + "' in " + session.ListFileName() +
                                                  " could not be read: " + load.problem};
    const CNotes& ringtone = session.Ringtone();
    return WriteRingtoneOutput(ringtone, {format, args.Flag("notes-only"), args.Value("o"), true, writing}, out, err);
}

int Remove(const ListArgs& args) {
    NeedWords(args, 3, "remove LIST NAME");
    args.Allow("remove", {});
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    const std::string& name = args.words[2];
    bool removed = false;
    try {
        removed = session.DeleteRingtone(name);
    } catch (const SessionError& e) {
        throw CommandFailure{ExitNothingRead, "could not delete the ringtone '" + Printable(name) + "': " + e.what()};
    }
    if (!removed) throw CommandFailure{ExitNothingRead, NoRingtone(session, name)};
    return ExitClean;
}

int New(const ListArgs& args, std::ostream& out) {
    NeedWords(args, 2, "new LIST");
    args.Allow("new", {});
    RingtoneSession session(ProgramDirectory());
    if (!session.NewList(args.words[1]))
        out << "the list '" << session.ListName() << "' exists already; its ringtones are kept\n";
    return ExitClean;
}

int Rename(const ListArgs& args) {
    NeedWords(args, 3, "rename OLD NEW");
    args.Allow("rename", {});
    RingtoneSession session(ProgramDirectory());
    ListCall([&] { return CheckListName(args.words[2]); });
    session.OpenExistingList(args.words[1]);
    session.RenameList(args.words[2]);
    return ExitClean;
}

int Clear(const ListArgs& args) {
    NeedWords(args, 2, "clear LIST");
    args.Allow("clear", {});
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    session.ClearList();
    return ExitClean;
}

int Delete(const ListArgs& args) {
    NeedWords(args, 2, "delete LIST");
    args.Allow("delete", {});
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    // A file gone since is no list either; the session says so in its words.
    if (!session.DeleteList()) session.OpenExistingList(args.words[1]);
    return ExitClean;
}

ExportChoices ExportOptions(const ListArgs& args) {
    ExportChoices choices;
    choices.RawCodeList = args.Flag("raw");
    choices.ShowRingtoneType = args.Flag("show-type");
    if (const auto types = args.Value("types")) {
        choices.Export = {false, false, false};
        std::string_view rest = *types;
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const std::string word(rest.substr(0, comma));
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            if (word.empty()) continue;
            const auto notation = NotationFromWord(word);
            if (!notation) throw UsageError{"--types takes rtttl, composer and keypresses, not '" + word + "'"};
            choices.Export[static_cast<std::size_t>(*notation)] = true;
        }
    }
    return choices;
}

std::tm Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

int Export(const ListArgs& args, std::ostream& out, std::ostream& err) {
    NeedWords(args, 2, "export LIST [--types T,T] [--raw] [--show-type] [--separator S] [-o FILE|-]");
    args.Allow("export", {"types", "raw", "show-type", "separator", "o"});
    const ExportChoices choices = ExportOptions(args);
    RingtoneSession session(ProgramDirectory());
    session.Ringtone().SetOutputSeparator(SeparatorOption(args));
    session.OpenExistingList(args.words[1]);
    std::vector<std::string> problems;
    const std::string text = session.ExportText(choices, Now(), problems);
    const std::string target = args.Value("o").value_or(session.ExportPath().string());
    WriteToTarget(target, text, out);
    if (target != "-") out << target << '\n';
    for (const std::string& problem : problems) err << problem << '\n';
    return problems.empty() ? ExitClean : ExitProblems;
}

// Makes the folder the sound files go to when it is missing; a folder that
// cannot be made, is no folder or cannot be written ends the command with
// the reason.
void UsableOutputFolder(const std::filesystem::path& folder, std::string_view kind) {
    const auto fail = [&](const std::string& reason) {
        throw CommandFailure{
            ExitSound, "could not write the " + std::string(kind) + " files in " + folder.string() + ": " + reason};
    };
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) fail(error.message());
    if (!std::filesystem::is_directory(folder, error)) fail(error ? error.message() : "it is not a folder");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) fail(std::strerror(errno));
}

// wav-all and midi-all: one sound file per ringtone, named after the
// ringtone's own name as the window's batch command names them (it differs
// from the entry's name only in a list edited by hand); a ringtone whose name
// cannot be a file name is reported and skipped.
int SoundAll(const ListArgs& args, std::ostream& err, SoundFileType type) {
    const std::string command = type == SoundFileType::Midi ? "midi-all" : "wav-all";
    const std::string usage = command + " LIST -o DIR";
    NeedWords(args, 2, usage.c_str());
    args.Allow(command, {"o"});
    const auto folderOption = args.Value("o");
    if (!folderOption) throw UsageError{"usage: tunewright list " + usage};
    const std::filesystem::path folder = *folderOption;
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    UsableOutputFolder(folder, SoundFileKind(type));

    const ListSnapshot snapshot = session.ReadSnapshot();
    std::size_t written = 0, failed = 0;
    bool nearest = false;  // a file holds only the nearest of something
    NullPlayer noPlayer;
    for (const std::string& entry : snapshot.Entries()) {
        CNotes ringtone;
        std::string name = entry;
        std::string path = SoundFileFor(folder, entry, type).string();
        try {
            snapshot.Load(entry, ringtone);
            name = ringtone.Name();
            path = SoundFileFor(folder, name, type).string();
            std::vector<std::string> nearestLines;
            try {
                nearestLines = SaveSoundFileNamed(folder, ringtone, type, noPlayer, [&] {
                    err << "Generating '" << name << SoundFileExtension(type) << "'...\n";
                });
            } catch (const SessionError& e) {
                if (e.reason() != SessionError::Reason::BadFileName) throw;
                err << "error: the ringtone '" << Printable(name) << "' was skipped: its name cannot be a file name ("
                    << e.what() << ")\n";
                ++failed;
                continue;
            }
            for (const std::string& problem : nearestLines) {
                err << problem << '\n';
                nearest = true;
            }
            ++written;
        } catch (const std::exception& e) {
            err << "error: An error occurred trying to create " << path << ". [" << e.what() << "]\n";
            ++failed;
        }
    }
    if (failed == 0) return nearest ? ExitProblems : ExitClean;
    return written > 0 ? ExitProblems : ExitSound;
}

// fmf-all: one Flipper Music Format file per ringtone, NAME.fmf, named as
// wav-all names its files; what a file cannot hold is reported under the
// ringtone's name, and a ringtone it cannot hold at all is skipped.
int FmfAll(const ListArgs& args, std::ostream& err) {
    const std::string usage = "fmf-all LIST -o DIR";
    NeedWords(args, 2, usage.c_str());
    args.Allow("fmf-all", {"o"});
    const auto folderOption = args.Value("o");
    if (!folderOption) throw UsageError{"usage: tunewright list " + usage};
    const std::filesystem::path folder = *folderOption;
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    UsableOutputFolder(folder, FileFormatName(FileFormat::Fmf));

    const std::string extension(FormatSpec(FileFormat::Fmf).extension);
    bool nearest = false;
    const auto pathOf = [&](const std::string& name) { return folder / (name + extension); };
    const BatchCounts counts =
        WriteEachRingtone(session.ReadSnapshot(), err, pathOf,
                          [&](const CNotes& ringtone, const std::string& name, std::size_t, std::size_t) {
                              const WrittenRingtone file = WriteRingtoneAs(ringtone, FileFormat::Fmf);
                              err << "Generating '" << name << extension << "'...\n";
                              ReplaceFile(pathOf(name), file.bytes);
                              for (const std::string& problem : file.problems) {
                                  err << name << ": " << problem << '\n';
                                  nearest = true;
                              }
                          });
    if (counts.failed == 0) return nearest ? ExitProblems : ExitClean;
    return counts.written > 0 ? ExitProblems : ExitSound;
}

// phone-all: one phone file per ringtone, named as wav-all names its files.
int PhoneAll(const ListArgs& args, std::ostream& err) {
    const std::string usage = "phone-all LIST --to ogg|m4r [--voice V] [--repeat N] [--gap MS] -o DIR";
    NeedWords(args, 2, usage.c_str());
    args.Allow("phone-all", {"to", "voice", "repeat", "gap", "o"});
    const auto folderOption = args.Value("o");
    if (!folderOption) throw UsageError{"usage: tunewright list " + usage};
    RingtoneSession session(ProgramDirectory());
    session.OpenExistingList(args.words[1]);
    UsableOutputFolder(*folderOption, "phone ringtone");
    return PhoneAllCommand(args, session, *folderOption, err);
}

int Dispatch(const std::string& command, const ListArgs& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (command == "lists") return Lists(args, out);
    if (command == "show") return Show(args, out);
    if (command == "add") return Add(args, in, out, err);
    if (command == "get") return Get(args, out, err);
    if (command == "import") return Import(args, in, out, err);
    if (command == "remove") return Remove(args);
    if (command == "new") return New(args, out);
    if (command == "rename") return Rename(args);
    if (command == "clear") return Clear(args);
    if (command == "delete") return Delete(args);
    if (command == "export") return Export(args, out, err);
    if (command == "wav-all") return SoundAll(args, err, SoundFileType::Wav);
    if (command == "midi-all") return SoundAll(args, err, SoundFileType::Midi);
    if (command == "fmf-all") return FmfAll(args, err);
    if (command == "phone-all") return PhoneAll(args, err);
    if (command == "transpose") return ListTransposeCommand(args, out, err);
    throw UsageError{"unknown list command '" + command + "'"};
}

}  // namespace

int RunListCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.empty())
        throw UsageError{
            "list needs a command: lists, show, add, import, get, remove, new, rename, clear, delete, export, "
            "wav-all, midi-all, fmf-all, phone-all or transpose"};
    const ListArgs parsed{ParseCommandArgs(args,
                                           {"from", "to", "separator", "types", "o", "imelody-prefix", "pin", "voice",
                                            "repeat", "gap", "semitones", "octaves"},
                                           {"notes-only", "raw", "show-type", "fit"})};
    if (parsed.words.empty()) throw UsageError{"list needs a command"};
    try {
        return Dispatch(parsed.words.front(), parsed, in, out, err);
    } catch (const SessionError& e) {
        throw CommandFailure{e.reason() == SessionError::Reason::BadListName ? ExitUsage : ExitNothingRead, e.what()};
    } catch (const std::filesystem::filesystem_error& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    } catch (const FileError& e) {
        // The export file could not be written; what was there is unchanged.
        throw CommandFailure{ExitNothingRead, e.what()};
    }
}

}  // namespace tw

#include "app/cli_options.h"

#include <algorithm>
#include <filesystem>

namespace tw {
namespace {

bool Has(const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<std::string> CommandArgs::Value(std::string_view name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
}

CommandArgs ParseCommandArgs(const std::vector<std::string>& args, const std::vector<std::string_view>& valued,
                             const std::vector<std::string_view>& flagged) {
    CommandArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            parsed.words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0 && arg != "-o") throw UsageError{"unknown option '" + arg + "'"};
        std::string name = arg == "-o" ? "o" : arg.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.erase(eq);
        }
        if (name == "output") name = "o";
        if (Has(flagged, name)) {
            if (value) throw UsageError{"--" + name + " takes no value"};
            parsed.flags.insert(name);
        } else if (Has(valued, name)) {
            if (!value) {
                if (i + 1 >= args.size()) throw UsageError{"option '" + arg + "' needs a value"};
                value = args[++i];
            }
            parsed.values[name] = *value;
        } else {
            throw UsageError{"unknown option '" + arg + "'"};
        }
    }
    return parsed;
}

Notation NotationWord(std::string_view option, const std::string& word) {
    if (auto notation = NotationFromWord(word)) return *notation;
    throw UsageError{"--" + std::string(option) + " takes " + FileFormatWords(FormatKinds::Notations) + ", not '" +
                     word + "'"};
}

FileFormat FormatWord(std::string_view option, const std::string& word, FileFormatTable formats) {
    if (auto format = FileFormatFromWord(word, formats)) return *format;
    throw UsageError{"--" + std::string(option) + " takes " + FileFormatWords(FormatKinds::All, formats) + ", not '" +
                     word + "'"};
}

FileFormat ReadFormatWord(std::string_view option, const std::string& word, FileFormatTable formats) {
    const FileFormat format = FormatWord(option, word, formats);
    if (CanRead(format)) return format;
    throw UsageError{"--" + std::string(option) + " takes " + FileFormatWords(FormatKinds::Read, formats) + ", not '" +
                     word + "': " + std::string(FileFormatName(format)) + " files are written, not read"};
}

Notation NeedNotation(FileFormat format, const std::string& what) {
    if (const std::optional<Notation> notation = NotationOf(format)) return *notation;
    throw UsageError{what + " works with " + FileFormatWords(FormatKinds::Notations) +
                     " only: " + std::string(FileFormatName(format)) + " files are read and written whole"};
}

std::string UsableSeparatorOption(const std::string& separator) {
    if (!IsUsableSeparator(separator))
        throw UsageError{
            "--separator must hold one of \",\" \"|\" \"/\" \"\\\" or a space, and no \":\" or control character"};
    return separator;
}

FileReadOptions IMelodyPrefixOption(const std::optional<std::string>& word, std::optional<FileFormat> from) {
    FileReadOptions options;
    if (!word) return options;
    if (from != FileFormat::IMelody) throw UsageError{"--imelody-prefix is for reading iMelody: give --from imelody"};
    const std::optional<OctavePrefixes> prefixes = OctavePrefixesFromWord(*word);
    if (!prefixes) throw UsageError{"--imelody-prefix takes until-next or one-note, not '" + *word + "'"};
    options.octavePrefixes = *prefixes;
    return options;
}

FileReadOptions WithFileName(FileReadOptions read, const std::string& input) {
    if (!input.empty() && input != "-") read.fileName = std::filesystem::path(input).stem().string();
    return read;
}

FileWriteOptions PinOption(const std::optional<std::string>& word, std::optional<FileFormat> to) {
    FileWriteOptions options;
    if (!word) return options;
    if (to != FileFormat::Arduino)
        throw UsageError{"--pin is the buzzer's pin of an Arduino sketch: give --to arduino"};
    const bool digits = !word->empty() && word->size() <= 3 &&
                        std::all_of(word->begin(), word->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(*word) > HighestBuzzerPin)
        throw UsageError{"--pin takes a pin number 0 to " + std::to_string(HighestBuzzerPin) + ", not '" + *word + "'"};
    options.sketch.pin = std::stoi(*word);
    return options;
}

RingtoneOptions ParseRingtoneOptions(const std::vector<std::string>& args,
                                     const std::vector<std::string_view>& allowed) {
    std::vector<std::string_view> valued, flagged;
    for (std::string_view name : allowed) (name == "notes-only" || name == "each" ? flagged : valued).push_back(name);
    if (Has(allowed, "from")) valued.push_back("imelody-prefix");
    if (Has(allowed, "to")) valued.push_back("pin");
    const CommandArgs parsed = ParseCommandArgs(args, valued, flagged);
    if (parsed.words.size() > 1) throw UsageError{"only one input file may be given"};
    RingtoneOptions options;
    if (!parsed.words.empty()) options.input = parsed.words.front();
    if (const auto from = parsed.Value("from")) options.from = ReadFormatWord("from", *from);
    if (const auto to = parsed.Value("to")) options.to = FormatWord("to", *to);
    if (const auto separator = parsed.Value("separator")) options.separator = UsableSeparatorOption(*separator);
    options.output = parsed.Value("o");
    options.notesOnly = parsed.Flag("notes-only");
    options.each = parsed.Flag("each");
    options.read = IMelodyPrefixOption(parsed.Value("imelody-prefix"), options.from);
    options.write = PinOption(parsed.Value("pin"), options.to);
    return options;
}

}  // namespace tw

#include "app/cli_options.h"

#include <algorithm>

namespace tw {
namespace {

Notation ParseNotation(std::string_view option, const std::string& word) {
    if (auto notation = NotationFromWord(word)) return *notation;
    throw UsageError{"--" + std::string(option) + " takes rtttl, composer or keypresses, not '" + word + "'"};
}

}  // namespace

RingtoneOptions ParseRingtoneOptions(const std::vector<std::string>& args,
                                     const std::vector<std::string_view>& allowed) {
    RingtoneOptions options;
    bool inputSeen = false;
    const auto takes = [&allowed](std::string_view name) {
        return std::find(allowed.begin(), allowed.end(), name) != allowed.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-" || arg.empty() || arg[0] != '-') {
            if (inputSeen) throw UsageError{"only one input file may be given"};
            options.input = arg;
            inputSeen = true;
            continue;
        }
        std::string name = arg == "-o" ? "o" : arg.substr(2);
        std::optional<std::string> value;
        if (arg.rfind("--", 0) != 0 && arg != "-o") throw UsageError{"unknown option '" + arg + "'"};
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.erase(eq);
        }
        if (name == "output") name = "o";
        if (!takes(name)) throw UsageError{"unknown option '" + arg + "'"};
        if (name == "notes-only") {
            if (value) throw UsageError{"--notes-only takes no value"};
            options.notesOnly = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) throw UsageError{"option '" + arg + "' needs a value"};
            value = args[++i];
        }
        if (name == "from") options.from = ParseNotation(name, *value);
        else if (name == "to") options.to = ParseNotation(name, *value);
        else if (name == "separator") {
            if (!IsUsableSeparator(*value))
                throw UsageError{
                    "--separator must hold one of \",\" \"|\" \"/\" \"\\\" or a space, and no \":\" or control "
                    "character"};
            options.separator = *value;
        } else if (name == "o") options.output = *value;
    }
    return options;
}

}  // namespace tw

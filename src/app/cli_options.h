#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/notation.h"
#include "engine/ringtone_text.h"

namespace tw {

// The options shared by the subcommands that read a ringtone.
struct RingtoneOptions {
    std::optional<Notation> from;
    std::optional<Notation> to;
    std::string separator = ", ";
    bool notesOnly = false;
    std::string input = "-";  // a path, or "-" for standard input
    std::optional<std::string> output;
};

// Thrown for a command line that cannot be followed; the text says why.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& text) : std::runtime_error(text) {}
};

// Parses `--name value`, `--name=value` and the one positional input.
// `allowed` lists the option names the subcommand takes (without dashes);
// "o" stands for -o/--output.
RingtoneOptions ParseRingtoneOptions(const std::vector<std::string>& args,
                                     const std::vector<std::string_view>& allowed);

}  // namespace tw

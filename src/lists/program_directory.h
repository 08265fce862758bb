#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Looks up one environment variable; nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view)>;

// A variable of this process's environment; nothing when it is unset or
// empty, which every setting by environment treats alike.
std::optional<std::string> EnvironmentValue(std::string_view name);

// Where the lists, menu.dat and tonelist.txt live: $TUNEWRIGHT_HOME when set
// and not empty, else $XDG_DATA_HOME/Tunewright when that is an absolute path,
// else $HOME/.local/share/Tunewright. Throws ListError (Io) when none of these
// can be formed.
std::filesystem::path LocateProgramDirectory(const EnvironmentLookup& environment);

// The program directory of this process, created on first use.
std::filesystem::path ProgramDirectory();

}  // namespace tw

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

class SettingsStore;

// Runs `tunewright settings [show|reset]`; `args` are the words after
// "settings":
//   show (or nothing)  prints the settings the desktop program would start
//                      with, one KEY=VALUE a line; values that cannot be
//                      used are told on standard error (exit 1)
//   reset              forgets every saved setting, so that the next start
//                      is a first start
// Throws UsageError and CommandFailure as the other subcommands do.
int RunSettingsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on a given store.
int RunSettingsCommand(const std::vector<std::string>& args, SettingsStore& store, std::ostream& out,
                       std::ostream& err);

}  // namespace tw

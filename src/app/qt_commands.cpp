#include "app/qt_commands.h"

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/settings_commands.h"
#include "app/sound_commands.h"
#include "app/web_commands.h"
#include "shell/qt/qt_settings_store.h"
#include "shell/settings_store.h"
#include "sound/qt/qt_player.h"

namespace tw {

int RunQtCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    if (command == "play") {
        // The voice saved for Play; the beep when the settings cannot be read.
        const QtSettingsStore saved;
        const MemorySettingsStore none;
        return PlayCommand(args, in, err, MakeSystemPlayer,
                           saved.Problem() ? static_cast<const SettingsStore&>(none) : saved);
    }
    if (command == "web") return RunWebCommand(args, out, err);
    if (command == "settings") return RunSettingsCommand(args, out, err);
    throw UsageError{"unknown command '" + command + "'"};
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           bool outputIsTerminal) {
    return RunCli(args, in, out, err, outputIsTerminal, RunQtCommand);
}

}  // namespace tw

#include "app/settings_commands.h"

#include <ostream>

#include "app/cli.h"
#include "app/cli_options.h"
#include "app/ringtone_input.h"
#include "app/voice_option.h"
#include "shell/qt/qt_settings_store.h"
#include "shell/saved_settings.h"
#include "shell/setting_values.h"

namespace tw {
namespace {

// The window's position when it has none saved: it depends on the screen,
// which a headless run does not have.
const char* const Centred = "centred on the screen";

std::string Position(const SettingsReading& reading, std::string_view key, float value) {
    return reading.WasDefaulted(key) ? Centred : FormatTwips(value);
}

int Show(const SettingsStore& store, std::ostream& out, std::ostream& err) {
    const SettingsReading reading = ReadSettings(store, {0, 0});
    const SavedSettings& s = reading.Settings;
    out << SettingKey::Top << '=' << Position(reading, SettingKey::Top, s.Top) << '\n'
        << SettingKey::Left << '=' << Position(reading, SettingKey::Left, s.Left) << '\n'
        << SettingKey::Width << '=' << FormatTwips(s.Width) << '\n'
        << SettingKey::Height << '=' << FormatTwips(s.Height) << '\n'
        << SettingKey::Maximized << '=' << s.Maximized << '\n'
        << SettingKey::RingToneDirectory << '=' << s.RingToneDirectory << '\n'
        << SettingKey::SourceType << '=' << s.SourceType << '\n'
        << SettingKey::FromFile << '=' << (s.FromFile ? FormatFromFile(*s.FromFile) : "unchanged") << '\n'
        << SettingKey::ShowType << '=' << s.ShowType << '\n'
        << SettingKey::OutputSep << "=\"" << s.OutputSep << "\"\n"
        << SettingKey::CurrentList << '=' << s.CurrentList << '\n'
        << SettingKey::IMelodyPrefix << '=' << OctavePrefixesWord(s.IMelodyPrefix) << '\n'
        << SettingKey::PlayVoice << '=' << FormatPlayVoice(s.PlayVoice) << '\n';
    for (const SettingProblem& problem : reading.Problems) err << "error: " << problem.Reason << '\n';
    return reading.Problems.empty() ? ExitClean : ExitProblems;
}

int Reset(SettingsStore& store) {
    try {
        store.DeleteSettings();
    } catch (const SettingsError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    return ExitClean;
}

// Saves the voice Play plays in, in the window and in `tunewright play`.
int SetVoice(SettingsStore& store, const std::string& word) {
    const std::optional<Voice> voice = ParsePlayVoice(word);
    if (!voice) throw UsageError{VoiceWordsProblem("settings voice", word)};
    try {
        SavePlayVoice(store, *voice);
    } catch (const SettingsError& e) {
        throw CommandFailure{ExitNothingRead, e.what()};
    }
    return ExitClean;
}

}  // namespace

int RunSettingsCommand(const std::vector<std::string>& args, SettingsStore& store, std::ostream& out,
                       std::ostream& err) {
    if (!args.empty() && args.front() == "voice") {
        if (args.size() != 2) throw UsageError{"settings voice takes one voice"};
        return SetVoice(store, args[1]);
    }
    if (args.size() > 1) throw UsageError{"settings takes one word: show, reset or voice"};
    const std::string command = args.empty() ? "show" : args.front();
    if (command == "show") return Show(store, out, err);
    if (command == "reset") return Reset(store);
    throw UsageError{"unknown settings command '" + command + "'"};
}

int RunSettingsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    QtSettingsStore store;
    if (store.Problem()) throw CommandFailure{ExitNothingRead, *store.Problem()};
    return RunSettingsCommand(args, store, out, err);
}

}  // namespace tw

#include "shell/saved_settings.h"

#include <algorithm>
#include <functional>

#include "engine/ringtone_text.h"
#include "engine/text_rules.h"
#include "lists/list_names.h"
#include "shell/setting_values.h"
#include "shell/window_layout.h"

namespace tw {
namespace {

// Reads one key into `target`: its default when it is missing, the parsed
// value when `parse` takes it, else the default and a problem saying why.
class SettingsReader {
public:
    SettingsReader(const SettingsStore& store, SettingsReading& reading) : store_(store), reading_(reading) {}

    // `parse` returns the reason the text cannot be used, or nothing when it
    // has stored the value.
    void Read(std::string_view key, const std::function<std::optional<std::string>(const std::string&)>& parse) {
        std::optional<std::string> text;
        try {
            text = store_.Setting(key);
        } catch (const SettingsError& e) {
            Defaulted(key, e.what());
            return;
        }
        if (!text) {
            reading_.Defaulted.emplace_back(key);
            return;
        }
        if (const auto reason = parse(*text)) Defaulted(key, "'" + Printable(*text) + "' " + *reason);
    }

private:
    void Defaulted(std::string_view key, const std::string& reason) {
        reading_.Defaulted.emplace_back(key);
        reading_.Problems.push_back({std::string(key), std::string(key) + ": " + reason});
    }

    const SettingsStore& store_;
    SettingsReading& reading_;
};

std::optional<std::string> ReadPosition(const std::string& text, float& target) {
    const auto value = ParseTwips(text);
    if (!value) return "is not a number of twips";
    target = *value;
    return std::nullopt;
}

std::optional<std::string> ReadSize(const std::string& text, float& target) {
    const auto value = ParseTwips(text);
    if (!value) return "is not a number of twips";
    if (*value <= 0) return "is not a size above 0";
    target = *value;
    return std::nullopt;
}

std::optional<std::string> ReadNotationIndex(const std::string& text, int& target) {
    const auto value = ParseSettingInteger(text);
    if (!value) return "is not a whole number";
    if (*value < 0 || *value >= NotationIndexCount) return "is not 0, 1 or 2";
    target = *value;
    return std::nullopt;
}

std::optional<std::string> ReadMaximized(const std::string& text, int& target) {
    const auto value = ParseSettingInteger(text);
    if (!value) return "is not a whole number";
    if (*value != WindowStateNormal && *value != WindowStateMaximized) return "is not 0 or 2";
    target = *value;
    return std::nullopt;
}

// The notation index as shutdown writes it: 0, 1, or 2 for anything else.
std::string NotationIndexText(int index) { return index == 0 ? "0" : index == 1 ? "1" : "2"; }

}  // namespace

bool SettingsReading::WasDefaulted(std::string_view key) const {
    return std::find(Defaulted.begin(), Defaulted.end(), key) != Defaulted.end();
}

SavedSettings DefaultSettings(TwipSize screen) {
    SavedSettings settings;
    settings.Top = static_cast<float>(screen.Height - DesignOuterSize.Height) / 2;
    settings.Left = static_cast<float>(screen.Width - DesignOuterSize.Width) / 2;
    settings.Width = static_cast<float>(DesignOuterSize.Width);
    settings.Height = static_cast<float>(DesignOuterSize.Height);
    return settings;
}

SettingsReading ReadSettings(const SettingsStore& store, TwipSize screen) {
    SettingsReading reading;
    reading.Settings = DefaultSettings(screen);
    SavedSettings& s = reading.Settings;
    SettingsReader reader(store, reading);

    reader.Read(SettingKey::Top, [&s](const std::string& text) { return ReadPosition(text, s.Top); });
    reader.Read(SettingKey::Left, [&s](const std::string& text) { return ReadPosition(text, s.Left); });
    reader.Read(SettingKey::Width, [&s](const std::string& text) { return ReadSize(text, s.Width); });
    reader.Read(SettingKey::Height, [&s](const std::string& text) { return ReadSize(text, s.Height); });
    reader.Read(SettingKey::Maximized, [&s](const std::string& text) { return ReadMaximized(text, s.Maximized); });
    reader.Read(SettingKey::RingToneDirectory, [&s](const std::string& text) -> std::optional<std::string> {
        s.RingToneDirectory = RingToneFolder(text);
        return std::nullopt;
    });
    reader.Read(SettingKey::SourceType,
                [&s](const std::string& text) { return ReadNotationIndex(text, s.SourceType); });
    reader.Read(SettingKey::FromFile, [&s](const std::string& text) -> std::optional<std::string> {
        s.FromFile = ParseFromFile(text);
        if (!s.FromFile) return "is neither True nor False; the source options stay as they are";
        return std::nullopt;
    });
    reader.Read(SettingKey::ShowType, [&s](const std::string& text) { return ReadNotationIndex(text, s.ShowType); });
    reader.Read(SettingKey::OutputSep, [&s](const std::string& text) -> std::optional<std::string> {
        if (!IsUsableSeparator(text))
            return "cannot separate notes (it needs one of \",\" \"|\" \"/\" \"\\\" or a space, and no \":\")";
        s.OutputSep = text;
        return std::nullopt;
    });
    reader.Read(SettingKey::CurrentList, [&s](const std::string& text) -> std::optional<std::string> {
        const std::string_view name = TrimSpaces(text);
        if (const auto problem = ListNameProblem(name)) return "cannot be a list name: " + *problem;
        s.CurrentList = std::string(name);
        return std::nullopt;
    });
    reader.Read(SettingKey::IMelodyPrefix, [&s](const std::string& text) -> std::optional<std::string> {
        const std::optional<OctavePrefixes> prefixes = OctavePrefixesFromWord(text);
        if (!prefixes) return "is neither until-next nor one-note";
        s.IMelodyPrefix = *prefixes;
        return std::nullopt;
    });
    reader.Read(SettingKey::PlayVoice, [&s](const std::string& text) -> std::optional<std::string> {
        const std::optional<Voice> voice = ParsePlayVoice(text);
        if (!voice) return "is not a voice; Play plays the beep";
        s.PlayVoice = *voice;
        return std::nullopt;
    });
    return reading;
}

std::vector<std::string> WriteSettings(SettingsStore& store, const SavedSettings& settings) {
    std::vector<std::string> failures;
    const auto write = [&store, &failures](std::string_view key, std::string_view value) {
        try {
            store.SaveSetting(key, value);
        } catch (const SettingsError& e) {
            failures.push_back(std::string(key) + ": " + e.what());
        }
    };
    write(SettingKey::RingToneDirectory, RingToneFolder(settings.RingToneDirectory));
    write(SettingKey::CurrentList, settings.CurrentList);
    write(SettingKey::SourceType, NotationIndexText(settings.SourceType));
    write(SettingKey::ShowType, NotationIndexText(settings.ShowType));
    write(SettingKey::FromFile, FormatFromFile(settings.FromFile.value_or(false)));
    if (settings.Maximized == WindowStateMaximized) {
        write(SettingKey::Maximized, "2");
    } else {
        write(SettingKey::Maximized, "0");
        write(SettingKey::Left, FormatTwips(settings.Left));
        write(SettingKey::Top, FormatTwips(settings.Top));
        write(SettingKey::Width, FormatTwips(settings.Width));
        write(SettingKey::Height, FormatTwips(settings.Height));
    }
    return failures;
}

void SaveOutputSeparator(SettingsStore& store, std::string_view separator) {
    store.SaveSetting(SettingKey::OutputSep, separator);
}

void SaveIMelodyPrefix(SettingsStore& store, OctavePrefixes prefixes) {
    store.SaveSetting(SettingKey::IMelodyPrefix, OctavePrefixesWord(prefixes));
}

void SavePlayVoice(SettingsStore& store, const Voice& voice) {
    store.SaveSetting(SettingKey::PlayVoice, FormatPlayVoice(voice));
}

bool IsFirstRun(const SavedSettings& settings) { return settings.RingToneDirectory.empty(); }

std::string FirstRunRingToneDirectory(std::string_view homeFolder) {
    const std::string folder = RingToneFolder(homeFolder);
    return folder.empty() ? std::string("/") : folder;
}

std::optional<std::size_t> CurrentListIndex(const std::vector<std::string>& entries, std::string_view listName) {
    const auto found = std::find(entries.begin(), entries.end(), listName);
    if (found != entries.end()) return static_cast<std::size_t>(found - entries.begin());
    if (!entries.empty()) return 0;
    return std::nullopt;
}

}  // namespace tw

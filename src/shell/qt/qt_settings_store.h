#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "shell/settings_store.h"

class QSettings;

namespace tw {

// The user's settings in QSettings: organisation and application
// "Tunewright", group "Settings" ($XDG_CONFIG_HOME/Tunewright/Tunewright.conf,
// by default ~/.config/Tunewright/Tunewright.conf). Values are kept as text
// (UTF-8); every write is flushed to the file at once, which QSettings
// replaces through a temporary file. A settings file that is not a regular
// file (a FIFO, a device) is never opened: every read and write of the store
// then throws SettingsError saying so.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    // A value that is not a single text (a list, from a hand-edited file
    // with an unquoted comma) cannot be read and throws SettingsError.
    std::optional<std::string> Setting(std::string_view key) const override;
    void SaveSetting(std::string_view key, std::string_view value) override;
    void DeleteSettings() override;

    // The file the settings are kept in.
    std::string FileName() const;

    // Why the settings file cannot be used at all; nothing when it can.
    const std::optional<std::string>& Problem() const { return problem_; }

private:
    void Flush(std::string_view what);

    std::string fileName_;
    std::optional<std::string> problem_;
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tw

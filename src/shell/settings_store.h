#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Where the saved settings live: text values by key, in the per-user store of
// application "Tunewright", section "Settings". The desktop program keeps
// them in QSettings (qt/qt_settings_store.h); tests use the memory store.
namespace tw {

// A settings store that could not be read or written; the text says why.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The text stored under `key`, or nothing when the key is missing.
    // Throws SettingsError when the value is there but cannot be read.
    virtual std::optional<std::string> Setting(std::string_view key) const = 0;

    // Stores `value` under `key`. Throws SettingsError when it cannot.
    virtual void SaveSetting(std::string_view key, std::string_view value) = 0;

    // Removes every setting of the section. Throws SettingsError when it cannot.
    virtual void DeleteSettings() = 0;

    // The text stored under `key`, or `defaultValue` when the key is missing.
    std::string GetSetting(std::string_view key, std::string_view defaultValue) const;
};

// Settings held in memory: for tests and for runs that must not touch the
// user's own settings.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::string> Setting(std::string_view key) const override;
    void SaveSetting(std::string_view key, std::string_view value) override;
    void DeleteSettings() override;

    const std::map<std::string, std::string, std::less<>>& Values() const { return values_; }

private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace tw

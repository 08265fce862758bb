#include "shell/settings_store.h"

namespace tw {

std::string SettingsStore::GetSetting(std::string_view key, std::string_view defaultValue) const {
    std::optional<std::string> value = Setting(key);
    return value ? std::move(*value) : std::string(defaultValue);
}

std::optional<std::string> MemorySettingsStore::Setting(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void MemorySettingsStore::SaveSetting(std::string_view key, std::string_view value) {
    values_.insert_or_assign(std::string(key), std::string(value));
}

void MemorySettingsStore::DeleteSettings() { values_.clear(); }

}  // namespace tw

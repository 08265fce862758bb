#include "web/web_menus.h"

#include <algorithm>

#include "engine/text_rules.h"
#include "web/version_number.h"
#include "web/web_address.h"

namespace tw {
namespace {

// Total as a count of entries to read: nothing when it is not a number or
// rounds to less than 1.
std::optional<int> EntryCount(std::string_view total) {
    const std::optional<double> value = ReadDecimal(total);
    if (!value) return std::nullopt;
    if (*value >= MaxMenuEntries) return MaxMenuEntries;
    if (*value <= 0.5) return std::nullopt;  // rounds to 0 or less
    return RoundToInt32(*value);
}

}  // namespace

WebMenus DefaultMenus(std::string_view baseUrl) {
    const std::string base(baseUrl);
    return {
        {{"Ringtones A - E", base + "ringtones.html"},
         {"Ringtones F - M", base + "ringtones2.html"},
         {"Ringtones N - Z", base + "ringtones3.html"}},
        {{"Have YOUR site listed here! - Click for more info!", base + "advertise.html"}},
    };
}

std::optional<std::vector<MenuEntry>> ReadMenuSection(const MenuFile& file, std::string_view section,
                                                      std::string_view baseUrl) {
    const std::optional<int> count = EntryCount(file.ReadIniValue(section, "Total"));
    if (!count) return std::nullopt;

    std::vector<MenuEntry> entries;
    for (int i = 1; i <= *count; ++i) {
        const std::string value = file.ReadIniValue(section, std::to_string(i));
        if (value.find(',') == std::string::npos) continue;
        entries.push_back({TextBeforeComma(value), TextAfterComma(value)});
    }
    if (!entries.empty() && entries.back().Target == ContactTarget) {
        std::string caption = std::move(entries.back().Caption);
        entries.back() = {"-", ""};
        entries.push_back({std::move(caption), std::string(baseUrl) + "advertise.html"});
    }
    std::erase_if(entries, [](const MenuEntry& entry) { return !entry.IsSeparator() && !AddressToOpen(entry.Target); });
    if (std::all_of(entries.begin(), entries.end(), [](const MenuEntry& entry) { return entry.IsSeparator(); }))
        return std::nullopt;
    return entries;
}

WebMenus MenusFor(const MenuFile& file, std::string_view baseUrl) {
    WebMenus menus = DefaultMenus(baseUrl);
    const std::optional<double> version = file.Version();
    if (!version || *version <= 0) return menus;
    if (auto ringtones = ReadMenuSection(file, "Ringtones", baseUrl)) menus.Ringtones = std::move(*ringtones);
    if (auto links = ReadMenuSection(file, "Links", baseUrl)) menus.Links = std::move(*links);
    return menus;
}

}  // namespace tw

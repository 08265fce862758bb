// menu.dat comes from the network: whatever it holds, reading it must give
// menus of at most 50 entries (and the advertising entry) whose targets are
// all web addresses that open with the query item in their query, and only a
// "[Menu]" text of at most 64 KiB may replace the cache.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "web/menu_file.h"
#include "web/update_check.h"
#include "web/web_address.h"
#include "web/web_menus.h"

namespace {

constexpr std::string_view Base = "http://127.0.0.1:8077/";

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

void CheckMenu(const std::vector<tw::MenuEntry>& entries) {
    Check(!entries.empty() && entries.size() <= tw::MaxMenuEntries + 1);
    for (const tw::MenuEntry& entry : entries) {
        Check(entry.Caption.size() <= tw::IniValueLimit);
        if (entry.IsSeparator()) continue;
        const auto address = tw::AddressToOpen(entry.Target);
        Check(address.has_value());
        Check(tw::IsWebAddress(*address));
        const std::size_t item = address->find(tw::FromQueryItem());
        Check(item != std::string::npos && item < address->find('#'));
        for (const char c : *address)
            Check(static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7F);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tw::MenuFile file = tw::MenuFile::Parse(text);
    Check(file.VersionValue().size() <= tw::IniValueLimit);
    const tw::WebMenus menus = tw::MenusFor(file, Base);
    CheckMenu(menus.Ringtones);
    CheckMenu(menus.Links);

    const tw::FetchResult fetch{tw::FetchOutcome::Document, 200, text, {}};
    const tw::UpdateCheck check = tw::DecideUpdateCheck(fetch, std::nullopt, true, Base);
    Check(check.NewCache.has_value() == (tw::StartsAsMenuFile(text) && size <= tw::MaxDocumentSize));
    if (check.NewCache) Check(check.Menus == menus);
    return 0;
}

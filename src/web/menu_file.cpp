#include "web/menu_file.h"

#include "files/safe_file.h"
#include "web/version_number.h"
#include "web/web_fetch.h"

namespace tw {

std::string TextBeforeComma(std::string_view s) { return std::string(s.substr(0, s.find(','))); }

std::string TextAfterComma(std::string_view s) {
    const std::size_t comma = s.find(',');
    return std::string(comma == std::string_view::npos ? s : s.substr(comma + 1));
}

bool StartsAsMenuFile(std::string_view text) { return text.substr(0, MenuFileStart.size()) == MenuFileStart; }

MenuFile MenuFile::Parse(std::string_view text) { return MenuFile(IniDocument::Parse(std::string(text))); }

std::string MenuFile::ReadIniValue(std::string_view section, std::string_view key) const {
    std::string value = document_.Value(section, key).value_or(std::string{});
    if (value.size() > IniValueLimit) value.resize(IniValueLimit);
    return value;
}

std::optional<double> MenuFile::Version() const { return ReadVersionNumber(VersionValue()); }

std::string ReadIniValue(std::string_view section, std::string_view key, const std::filesystem::path& file) {
    const std::optional<std::string> text = ReadFileStart(file, MaxDocumentSize);
    return text ? MenuFile::Parse(*text).ReadIniValue(section, key) : std::string{};
}

}  // namespace tw

#include "lists/list_names.h"

#include <algorithm>

#include "engine/text_rules.h"
#include "lists/list_error.h"

namespace tw {
namespace {

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool HasControl(std::string_view text) { return std::any_of(text.begin(), text.end(), IsControl); }

}  // namespace

std::string Printable(std::string_view name) {
    std::string shown(name);
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    return shown;
}

std::optional<std::string> ListNameProblem(std::string_view name) {
    if (name.empty()) return "a list needs a name";
    if (name.find('/') != std::string_view::npos) return "it holds \"/\"";
    if (HasControl(name)) return "it holds a control character";
    if (name.front() == '.') return "it begins with \".\"";
    if (name.front() == '~') return "it begins with \"~\"";
    if (name.size() > MaxListNameBytes) return "it is longer than " + std::to_string(MaxListNameBytes) + " bytes";
    if (SameIgnoringCase(name, "menu")) return "menu.dat holds the web menus";
    return std::nullopt;
}

std::string CheckListName(std::string_view name) {
    const std::string_view trimmed = TrimSpaces(name);
    if (const auto problem = ListNameProblem(trimmed))
        throw ListError(ListError::Reason::BadName, "'" + Printable(trimmed) + "' cannot be a list name: " + *problem);
    return std::string(trimmed);
}

std::optional<std::string> FileNameProblem(std::string_view name) {
    if (name.empty()) return "it is empty";
    if (name == "." || name == "..") return "it is \"" + std::string(name) + "\"";
    if (name.find('/') != std::string_view::npos) return "it holds \"/\"";
    if (HasControl(name)) return "it holds a control character";
    return std::nullopt;
}

}  // namespace tw

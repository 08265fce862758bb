#include "shell/separator_choice.h"

namespace tw {

std::optional<std::size_t> SelectedSeparatorChoice(std::string_view outputSeparator) {
    for (std::size_t i = 0; i < SeparatorChoices.size(); ++i)
        if (SeparatorChoices[i].Separator == outputSeparator) return i;
    return std::nullopt;
}

std::string SeparatorAfterOk(std::optional<std::size_t> selected, std::string_view current) {
    if (selected && *selected < SeparatorChoices.size()) return std::string(SeparatorChoices[*selected].Separator);
    return std::string(current);
}

}  // namespace tw

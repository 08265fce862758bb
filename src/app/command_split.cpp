#include "app/command_split.h"

#include <algorithm>

namespace tw {

bool NeedsQt(std::string_view word) {
    return std::find(QtCommandWords.begin(), QtCommandWords.end(), word) != QtCommandWords.end();
}

bool StartsWindow(const std::vector<std::string>& args) {
    return args.empty() || (args.size() == 1 && args.front() == "local");
}

bool RunsInDesktopProgram(const std::vector<std::string>& args) { return StartsWindow(args) || NeedsQt(args.front()); }

}  // namespace tw

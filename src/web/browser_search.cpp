#include "web/browser_search.h"

#include <unistd.h>

#include <system_error>
#include <vector>

namespace tw {
namespace {

std::vector<std::filesystem::path> AbsoluteFolders(std::string_view pathVariable) {
    std::vector<std::filesystem::path> folders;
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string_view::npos) end = pathVariable.size();
        const std::filesystem::path folder(pathVariable.substr(start, end - start));
        if (folder.is_absolute()) folders.push_back(folder);
        start = end + 1;
    }
    return folders;
}

bool IsExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::filesystem::path> FindBrowser(std::string_view pathVariable) {
    const std::vector<std::filesystem::path> folders = AbsoluteFolders(pathVariable);
    for (const std::string_view candidate : BrowserCandidates)
        for (const std::filesystem::path& folder : folders)
            if (std::filesystem::path program = folder / candidate; IsExecutableFile(program)) return program;
    return std::nullopt;
}

}  // namespace tw

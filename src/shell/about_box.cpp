#include "shell/about_box.h"

#include "web/web_address.h"

namespace tw {

std::string MainWindowCaption(ProgramVersion version) {
    return std::string(ProgramName) + " V" + std::to_string(version.Major) + "." + std::to_string(version.Minor);
}

std::string AboutAppName(ProgramVersion version, int build) {
    return MainWindowCaption(version) + " (Build " + std::to_string(build) + ")";
}

AboutBoxTexts AboutTexts(ProgramVersion version, int build) {
    return {
        "About...",
        AboutAppName(version, build),
        "",
        "Please direct any bugs to",
        std::string(MakerContact),
        "and visit ",
        std::string(HomeBaseUrl),
        "for updates.",
        std::string(MakerNotice),
        "&Ok",
    };
}

}  // namespace tw

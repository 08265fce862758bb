#include "web/qt/qt_browser.h"

#include <cstdlib>
#include <optional>
#include <string>

#include <QProcess>
#include <QString>
#include <QStringList>

#include "web/browser_search.h"
#include "web/web_address.h"

namespace tw {

bool OpenWebPage(std::string_view page, ProgramVersion version) {
    const std::optional<std::string> address = AddressToOpen(page, version);
    if (!address) return false;
    const char* path = std::getenv("PATH");
    const std::optional<std::filesystem::path> browser = FindBrowser(path != nullptr ? path : "");
    if (!browser) return false;
    return QProcess::startDetached(QString::fromStdString(browser->string()),
                                   QStringList{QString::fromStdString(*address)});
}

}  // namespace tw

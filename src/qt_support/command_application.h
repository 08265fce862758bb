#pragma once

#include <QCoreApplication>
#include <QtGlobal>

#include <optional>

namespace tw {

// A QCoreApplication for the lifetime of the object when the program has
// none, as in a headless command that plays a sound or fetches a page. Qt's
// own diagnostics are then kept off the command's error output, which holds
// only the command's "error: " lines.
class CommandApplication {
public:
    CommandApplication();
    ~CommandApplication();
    CommandApplication(const CommandApplication&) = delete;
    CommandApplication& operator=(const CommandApplication&) = delete;

private:
    int argc_ = 1;
    char name_[11] = "tunewright";
    char* argv_[2] = {name_, nullptr};
    std::optional<QCoreApplication> app_;
    QtMessageHandler previousHandler_ = nullptr;
};

}  // namespace tw

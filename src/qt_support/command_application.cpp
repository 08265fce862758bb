#include "qt_support/command_application.h"

namespace tw {
namespace {

void DropQtDiagnostics(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

CommandApplication::CommandApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    app_.emplace(argc_, argv_);
    previousHandler_ = qInstallMessageHandler(DropQtDiagnostics);
}

CommandApplication::~CommandApplication() {
    if (app_) qInstallMessageHandler(previousHandler_);
}

}  // namespace tw

#include "gui/common/command_guard.h"

#include <QMessageBox>
#include <exception>

#include "core/session/session.h"

namespace tarnwick {

void runCommand(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        showUnexpectedError(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        showUnexpectedError(parent, QStringLiteral("Unexpected error."));
    }
}

void showUnexpectedError(QWidget* parent, const QString& what) {
    QMessageBox::critical(parent, QString::fromUtf8(kProgramName), what);
}

}  // namespace tarnwick

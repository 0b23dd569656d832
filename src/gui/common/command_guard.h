#pragma once
// The one guard around every command the desktop program runs: an error
// the command did not handle itself becomes an error box, and the program
// goes on. Every slot that calls into the session goes through runCommand.

#include <QString>
#include <functional>

class QWidget;

namespace tarnwick {

void runCommand(QWidget* parent, const std::function<void()>& command);

// The error box of an error no command handled.
void showUnexpectedError(QWidget* parent, const QString& what);

}  // namespace tarnwick

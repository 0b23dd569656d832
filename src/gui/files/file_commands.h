#pragma once
// The field file commands of the File menu and the tool bar (New, Open,
// Save, Save As) and Options > "Preferences...": their actions, each
// running its session command.

#include <QObject>

class QWidget;

namespace tarnwick {

class ActionRegistry;
class Session;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(QWidget& window, Session& session, ActionRegistry& actions);

private:
    QWidget& window_;
    Session& session_;
};

}  // namespace tarnwick

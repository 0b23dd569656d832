#pragma once
// The main menu and the tool bar. They only place the actions the
// controllers made (gui/common/action_registry.h), in the system's order; a
// command no controller offers yet is shown as a disabled item of its
// caption, so the menus keep their shape until its subsystem arrives.

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace tarnwick {

class ActionRegistry;

class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMainWindow& window, ActionRegistry& actions);

    QToolBar* toolBar() const { return toolBar_; }

private:
    // The registered action `name`, or a disabled stand-in with `caption`.
    QAction* place(QMenu* menu, const char* name, const char* caption = nullptr);
    QAction* action(const char* name, const char* caption);
    void buildMenus();
    void buildToolBar();

    QMainWindow& window_;
    ActionRegistry& actions_;
    QToolBar* toolBar_ = nullptr;
};

}  // namespace tarnwick

#pragma once
// The main menu and the tool bar: every command of the main window with
// its caption, shortcut and hint, wired to the session's commands.
// Commands that are not available yet are shown disabled.

#include <QObject>

class QAction;
class QMainWindow;
class QToolBar;

namespace tarnwick {

class Session;
class SessionNotifier;

// The Edit menu's commands; the Survey page gives them their meaning.
enum class EditAction { Cut, Copy, Paste, InsertRow, InsertCol, DeleteRow, DeleteCol };

class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMainWindow& window, Session& session, SessionNotifier& notifier);

    QAction* editAction(EditAction which) const;
    QAction* autoReCalcAction() const { return autoReCalc_; }
    QAction* reCalcAction() const { return reCalc_; }
    QAction* exitAction() const { return exit_; }
    QToolBar* toolBar() const { return toolBar_; }

signals:
    void helpRequested();
    void aboutRequested();
    // "Check Cut/Fill Ratio...": the Yardbook page runs it on its selection.
    void ratioCheckRequested();

private:
    QAction* add(QWidget* menu, const QString& caption, const QString& name, const QString& hint = {});
    QAction* later(QWidget* menu, const QString& caption, const QString& name);
    void buildFileMenu();
    void buildEditMenu();
    void buildDesignMenu();
    void buildOptionsMenu();
    void buildHelpMenu();
    void buildToolBar();
    void showState();
    void run(void (*command)(Session&));

    QMainWindow& window_;
    Session& session_;
    QAction* new_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* print_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* autoReCalc_ = nullptr;
    QAction* reCalc_ = nullptr;
    QAction* edit_[7] = {};
    QToolBar* toolBar_ = nullptr;
};

}  // namespace tarnwick

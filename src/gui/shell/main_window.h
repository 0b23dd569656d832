#pragma once
// The main window: tool bar and menus, the side panel on the left, the six
// pages ("Survey", "Design Parameters", "Final Elevations", "Yardbook",
// "Full Design", "3D View") and the status bar with the hint of what is
// under the mouse and the field file's name. Each part is a controller of
// its own; the window only puts them together and asks the session before
// a page change and before closing. Each controller makes its own
// actions; the window makes those of the window itself (Exit, the help,
// AutoReCalc and ReCalc), and the menu only places them.

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QStringList>

#include "gui/common/action_registry.h"
#include "gui/shell/main_menu.h"

class QLabel;
class QTabWidget;

namespace tarnwick {

class AboutBox;
class HelpViewer;
class ResultPages;
class Session;
class SessionNotifier;
class SidePanel;
class SurveyPage;
class View3DPage;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Page { SurveyTab, DesignParametersTab, FinalElevationsTab, YardbookTab, FullDesignTab, View3DTab };

    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() const { return session_; }
    SessionNotifier& notifier() const { return *notifier_; }

    // Every command's action, by object name.
    const ActionRegistry& actions() const { return actions_; }
    MainMenu* menu() const { return menu_; }
    QTabWidget* pages() const { return pages_; }
    SurveyPage* surveyPage() const { return surveyPage_; }
    ResultPages* resultPages() const { return resultPages_; }
    View3DPage* view3DPage() const { return view3DPage_; }
    SidePanel* sidePanel() const { return sidePanel_; }
    AboutBox* aboutBox() const { return about_; }
    QLabel* hintPanel() const { return hint_; }
    QLabel* fileNamePanel() const { return fileName_; }

    // Folders searched, in order, for the user guide's index.html.
    void setGuideFolders(const QStringList& folders) { guideFolders_ = folders; }
    const QStringList& guideFolders() const { return guideFolders_; }

    // The "Survey" page with the keyboard focus on the Survey grid.
    void showSurveyPage();
    void showUserGuide();
    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makePages();
    void makeStatusBar();
    void registerActions();
    void showOptions();
    void sizeAndCentre();
    // Sizes and centres the window so that it fits the work area inside
    // the given frame.
    void fitToScreen(const QMargins& frame);
    void pageChanged(int index);
    void showSelection();
    void showFileName();

    Session& session_;
    SessionNotifier* notifier_;
    ActionRegistry actions_;
    MainMenu* menu_ = nullptr;
    SidePanel* sidePanel_;
    QTabWidget* pages_;
    SurveyPage* surveyPage_;
    ResultPages* resultPages_;
    View3DPage* view3DPage_;
    AboutBox* about_;
    QPointer<HelpViewer> help_;
    QLabel* hint_;
    QLabel* fileName_;
    QStringList guideFolders_;
    bool revertingPage_ = false;
    bool fittedToFrame_ = false;
};

}  // namespace tarnwick

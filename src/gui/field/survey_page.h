#pragma once
// The "Survey" page: the tab header (stations, station size, area, auto
// advance), the Survey grid, and the "Row/Column Profiles" chart below it.
// It owns the commands that act on the grid and its selection: the Edit
// menu, the sector and partial-station commands of the Design menu and the
// grid's pop-up menu, and the two Options commands that rewrite the
// readings.

#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace tarnwick {

class ActionRegistry;
class ProfileChart;
class Session;
class SessionNotifier;
class SurveyView;
class SurveyModel;

class SurveyPage : public QWidget {
    Q_OBJECT
public:
    SurveyPage(Session& session, SessionNotifier& notifier, ActionRegistry& actions, QWidget* parent = nullptr);

    SurveyView* grid() const { return grid_; }
    SurveyModel* model() const { return model_; }
    ProfileChart* chart() const { return chart_; }
    QPushButton* directionButton() const { return direction_; }
    QMenu* popupMenu() const { return popup_; }

public slots:
    void copyCells();
    void cutCells();
    void pasteCells();
    void insertRow();
    void insertCol();
    void deleteRow();
    void deleteCol();
    void selectRow();
    void selectCol();
    void selectAll();

private:
    void registerActions(ActionRegistry& actions);
    void buildPopupMenu();
    // Runs a session command under the command guard.
    void run(const std::function<void()>& command);
    void refreshHeader();
    void applyColumnWidth();
    void refreshChart(int col, int row);
    void select(int firstCol, int firstRow, int lastCol, int lastRow);

    Session& session_;
    SurveyModel* model_;
    SurveyView* grid_;
    ProfileChart* chart_;
    QLabel* stations_;
    QLabel* stationSize_;
    QLabel* area_;
    QLabel* areaUnit_;
    QPushButton* direction_;
    QMenu* popup_;
};

}  // namespace tarnwick

#pragma once
// The "Survey" page: the tab header (stations, station size, area, auto
// advance), the Survey grid, and the "Row/Column Profiles" chart below it.

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace tarnwick {

class ProfileChart;
class Session;
class SessionNotifier;
class SurveyView;
class SurveyModel;

class SurveyPage : public QWidget {
    Q_OBJECT
public:
    SurveyPage(Session& session, SessionNotifier& notifier, QWidget* parent = nullptr);

    SurveyView* grid() const { return grid_; }
    SurveyModel* model() const { return model_; }
    ProfileChart* chart() const { return chart_; }
    QPushButton* directionButton() const { return direction_; }
    QMenu* popupMenu() const { return popup_; }

    // The Edit menu's commands act on this grid.
    struct EditActions {
        QAction* cut = nullptr;
        QAction* copy = nullptr;
        QAction* paste = nullptr;
        QAction* insertRow = nullptr;
        QAction* insertCol = nullptr;
        QAction* deleteRow = nullptr;
        QAction* deleteCol = nullptr;
    };
    void connectEditActions(const EditActions& actions);

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
    void buildPopupMenu();
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

#pragma once
// The result pages of the main window: "Design Parameters", "Final
// Elevations", "Yardbook" and "Full Design". Each of the last three holds
// its grid and the pair "Full Field Design" / "Sector Design"; the three
// pairs always show the session's view. Only the Final Elevations grid can
// be edited: a value typed into it forces the design through that station.
// On the Yardbook grid the user selects the stations already graded and
// checks the cut/fill ratio they were built at.

#include <QObject>
#include <QWidget>
#include <vector>

#include "core/design/result_tables.h"
#include "core/session/session.h"

class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tarnwick {

class ActionRegistry;
class DesignParametersModel;
class ResultGridModel;
class Session;
class SessionNotifier;
enum class ResultGrid;

class ResultPage : public QWidget {
    Q_OBJECT
public:
    ResultPage(Session& session, ResultGrid grid, QWidget* parent = nullptr);

    QTableView* view() const { return view_; }
    ResultGridModel* model() const { return model_; }
    QRadioButton* fullFieldButton() const { return full_; }
    QRadioButton* sectorButton() const { return sector_; }
    // The grid's pop-up menu: "Specify Final Elevation" on the Final
    // Elevations page, "Check Cut/Fill Ratio..." on the Yardbook page, none
    // on the Full Design page.
    QMenu* popupMenu() const { return popup_; }
    // "Check Cut/Fill Ratio" above the Yardbook grid; none on the others.
    QPushButton* ratioCheckButton() const { return ratioCheck_; }
    // The grid's selected cells, column and row counted from 1.
    std::vector<CellPos> selectedCells() const;
    // The cut/fill ratio check over the selected cells.
    void checkCutFillRatio();

    // Shows the session's view choice and whether "Sector Design" may be chosen.
    void showViewChoice();

signals:
    void viewChosen(tarnwick::DesignView view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeEditable();
    void makeRatioCheck(QLayout* above);
    void showRatioCheckButton();

    Session& session_;
    ResultGridModel* model_;
    QTableView* view_;
    QRadioButton* full_;
    QRadioButton* sector_;
    QMenu* popup_ = nullptr;
    QPushButton* ratioCheck_ = nullptr;
};

class DesignParametersPage : public QWidget {
    Q_OBJECT
public:
    DesignParametersPage(Session& session, QWidget* parent = nullptr);

    QTableView* view() const { return view_; }
    DesignParametersModel* model() const { return model_; }

private:
    DesignParametersModel* model_;
    QTableView* view_;
};

// Makes the four pages and keeps them in step with the session. Owns
// Design > "Check Cut/Fill Ratio...", which takes the Yardbook's selection.
class ResultPages : public QObject {
    Q_OBJECT
public:
    ResultPages(Session& session, SessionNotifier& notifier, ActionRegistry& actions, QWidget* pageParent);

    DesignParametersPage* designParameters() const { return parameters_; }
    ResultPage* finalElevations() const { return finalElevations_; }
    ResultPage* yardbook() const { return yardbook_; }
    ResultPage* fullDesign() const { return fullDesign_; }

    // Takes the results as they are now into every page.
    void refresh();
    // Only the view pairs (the grids' texts are unchanged).
    void showViewChoice();
    // "Check Cut/Fill Ratio..." over the cells selected on the Yardbook grid.
    void checkCutFillRatio();

private:
    void chooseView(DesignView view);

    Session& session_;
    DesignParametersPage* parameters_;
    ResultPage* finalElevations_;
    ResultPage* yardbook_;
    ResultPage* fullDesign_;
};

}  // namespace tarnwick

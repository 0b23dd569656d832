#include "gui/field/survey_page.h"

#include <QApplication>
#include <algorithm>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/session/field_tools.h"
#include "gui/common/action_registry.h"
#include "gui/common/command_guard.h"
#include "gui/field/profile_chart.h"
#include "core/session/session.h"
#include "gui/common/session_notifier.h"
#include "gui/field/survey_view.h"
#include "gui/field/survey_model.h"

namespace tarnwick {

SurveyPage::SurveyPage(Session& session, SessionNotifier& notifier, ActionRegistry& actions, QWidget* parent)
    : QWidget(parent),
      session_(session),
      model_(new SurveyModel(session, this)),
      grid_(new SurveyView(session, *model_, this)),
      chart_(new ProfileChart(this)),
      stations_(new QLabel(this)),
      stationSize_(new QLabel(this)),
      area_(new QLabel(this)),
      areaUnit_(new QLabel(this)),
      direction_(new QPushButton(this)),
      popup_(new QMenu(this)) {
    setObjectName("SurveyPage");
    stations_->setObjectName("Numsta_Tlabel");
    stationSize_->setObjectName("StationSizeLabel");
    area_->setObjectName("NumAcr_tlabel");
    direction_->setObjectName("DirectionButton");
    direction_->setFixedWidth(40);
    direction_->setFocusPolicy(Qt::NoFocus);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(6, 3, 6, 3);
    header->setSpacing(8);
    header->addWidget(stations_);
    header->addWidget(stationSize_);
    header->addWidget(new QLabel("Stations  =", this));
    header->addWidget(area_);
    header->addWidget(areaUnit_);
    header->addSpacing(24);
    header->addWidget(new QLabel("Auto Advance:", this));
    header->addWidget(direction_);
    header->addStretch();

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(grid_);
    splitter->addWidget(chart_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    chart_->setMinimumHeight(140);
    splitter->setSizes({380, 180});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(splitter);

    registerActions(actions);
    buildPopupMenu();

    connect(direction_, &QPushButton::clicked, this, [this] {
        run([this] { session_.cycleDirection(); });
        grid_->setFocus();
    });
    connect(grid_, &SurveyView::currentCellChanged, this, &SurveyPage::refreshChart);
    connect(grid_, &SurveyView::contextMenuAt, this, [this](const QPoint& at) { popup_->popup(at); });

    // A typed reading repaints its own cell; sectors outline many.
    connect(&notifier, &SessionNotifier::surveyChanged, this, [this](const Rect& cells) {
        model_->cellsChanged(cells);
        applyColumnWidth();
    });
    connect(&notifier, &SessionNotifier::sectorsChanged, this, [this] {
        model_->refresh();
        applyColumnWidth();
        // The chart follows the readings: a row or column emptied is cleared.
        refreshChart(session_.current.col, session_.current.row);
    });
    connect(&notifier, &SessionNotifier::resultsChanged, this, [this] {
        refreshHeader();
        refreshChart(session_.current.col, session_.current.row);
        applyColumnWidth();
    });
    connect(&notifier, &SessionNotifier::preferencesChanged, this, &SurveyPage::refreshHeader);
    connect(&notifier, &SessionNotifier::optionsChanged, this,
            [this] { direction_->setText(directionCaption(session_.direction)); });
    connect(&notifier, &SessionNotifier::fieldReplaced, this, [this] {
        model_->refresh();
        applyColumnWidth();
        grid_->followSession();
        refreshHeader();
        refreshChart(session_.current.col, session_.current.row);
    });
    direction_->setText(directionCaption(session_.direction));
    applyColumnWidth();
    refreshHeader();
}

void SurveyPage::buildPopupMenu() {
    popup_->setObjectName("SurveyPopupMenu");
    // The sector and partial-station commands act on the selection, or on
    // the sector under the cell that was right-clicked.
    const struct {
        const char* caption;
        const char* name;
        void (Session::*command)();
    } sectorCommands[] = {
        {"Set Partial Station", "PopupSetPartialStation", &Session::setPartialStation},
        {"View Sector Info...", "PopupViewSectorInfo", &Session::viewSectorInfo},
        {"Set Sector Slope...", "PopupSetSectorSlope", &Session::setSectorSlope},
        {"Delete Sector Slope...", "PopupDeleteSector", &Session::deleteSector},
    };
    for (const auto& c : sectorCommands) {
        QAction* action = popup_->addAction(c.caption);
        action->setObjectName(c.name);
        connect(action, &QAction::triggered, this, [this, command = c.command] { run([&] { (session_.*command)(); }); });
    }
    QMenu* select = popup_->addMenu("Select Rows/Cols");
    connect(select->addAction("Row"), &QAction::triggered, this, &SurveyPage::selectRow);
    connect(select->addAction("Col"), &QAction::triggered, this, &SurveyPage::selectCol);
    connect(select->addAction("ALL"), &QAction::triggered, this, &SurveyPage::selectAll);
    connect(popup_->addAction("Copy Cells"), &QAction::triggered, this, &SurveyPage::copyCells);
    connect(popup_->addAction("Paste Cells"), &QAction::triggered, this, &SurveyPage::pasteCells);
    connect(popup_->addAction("Delete Cells"), &QAction::triggered, this, &SurveyPage::cutCells);
    QMenu* insert = popup_->addMenu("Insert...");
    connect(insert->addAction("Row"), &QAction::triggered, this, &SurveyPage::insertRow);
    connect(insert->addAction("Col"), &QAction::triggered, this, &SurveyPage::insertCol);
    QMenu* remove = popup_->addMenu("Delete");
    connect(remove->addAction("Row"), &QAction::triggered, this, &SurveyPage::deleteRow);
    connect(remove->addAction("Col"), &QAction::triggered, this, &SurveyPage::deleteCol);
}

void SurveyPage::registerActions(ActionRegistry& actions) {
    auto add = [&](const char* name, const char* caption, const char* hint, QKeySequence shortcut,
                   const std::function<void()>& slot) {
        QAction* a = actions.add(this, QString::fromLatin1(name), QString::fromLatin1(caption),
                                 QString::fromLatin1(hint));
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, slot);
    };
    add("EditCutItem", "Cu&t", "Cut|Cuts the selection and puts it on the Clipboard", QKeySequence(Qt::CTRL | Qt::Key_X),
        [this] { cutCells(); });
    add("EditCopyItem", "&Copy", "Copy|Copies the selection and puts it on the Clipboard",
        QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copyCells(); });
    add("EditPasteItem", "&Paste", "Paste|Inserts Clipboard contents", QKeySequence(Qt::CTRL | Qt::Key_V),
        [this] { pasteCells(); });
    add("EditInsertRowItem", "Row", "", {}, [this] { insertRow(); });
    add("EditInsertColItem", "Col", "", {}, [this] { insertCol(); });
    add("EditDeleteRowItem", "Row", "", {}, [this] { deleteRow(); });
    add("EditDeleteColItem", "Col", "", {}, [this] { deleteCol(); });
    // The Design menu's commands act on the grid's selection, wherever the window is.
    add("SetSectorSlopeItem", "Set Sector Slope...", "", {}, [this] { run([this] { session_.setSectorSlope(); }); });
    add("ViewSectorInfoItem", "View Sector Info...", "", {}, [this] { run([this] { session_.viewSectorInfo(); }); });
    add("SetPartialStationItem", "Set Partial Station", "", {},
        [this] { run([this] { session_.setPartialStation(); }); });
    add("ClearAllSectorsItem", "Clear All Sectors...", "", {},
        [this] { run([this] { session_.clearAllSectorsCommand(); }); });
    add("ConvertDataTypeItem", "Convert Data Type...", "", {}, [this] { run([this] { convertDataType(session_); }); });
    add("LaserAdjustmentItem", "Laser Survey Adjusment...", "", {},
        [this] { run([this] { adjustLaserSurvey(session_); }); });
}

void SurveyPage::run(const std::function<void()>& command) { runCommand(window(), command); }

void SurveyPage::applyColumnWidth() {
    // The widths are set for a reading such as 100.00 in a small font; a
    // larger screen font widens every column by the same factor.
    const double factor = std::max(1.0, (grid_->fontMetrics().horizontalAdvance("100.00") + 8) / 38.0);
    const int width = static_cast<int>(session_.surveyColumnWidth() * factor);
    if (grid_->horizontalHeader()->defaultSectionSize() != width) grid_->horizontalHeader()->setDefaultSectionSize(width);
}

void SurveyPage::refreshHeader() {
    const Session& s = session_;
    stations_->setText(QString::fromStdString(s.info.Numsta));
    stationSize_->setText(QString::fromStdString(s.field.prefs.stationSizeLabel()));
    area_->setText(QString::fromStdString(s.info.NumAcr));
    areaUnit_->setText(QString::fromStdString(unitCaptions(s.field.prefs.feet).area));
}

void SurveyPage::refreshChart(int col, int row) {
    chart_->show(session_.profile(col, row));
}

void SurveyPage::copyCells() {
    run([this] {
        if (auto text = session_.copyCells(session_.selection))
            QApplication::clipboard()->setText(QString::fromStdString(*text));
    });
}

void SurveyPage::cutCells() {
    run([this] {
        if (auto text = session_.cutCells(session_.selection))
            QApplication::clipboard()->setText(QString::fromStdString(*text));
    });
}

void SurveyPage::pasteCells() {
    run([this] {
        const Selection& sel = session_.selection;
        session_.pasteCells(QApplication::clipboard()->text().toStdString(), {sel.firstCol, sel.firstRow});
    });
}

void SurveyPage::insertRow() { run([this] { session_.insertRow(); }); }
void SurveyPage::insertCol() { run([this] { session_.insertCol(); }); }
void SurveyPage::deleteRow() { run([this] { session_.deleteRow(); }); }
void SurveyPage::deleteCol() { run([this] { session_.deleteCol(); }); }

void SurveyPage::select(int firstCol, int firstRow, int lastCol, int lastRow) {
    QItemSelection sel(model_->index(firstRow - 1, firstCol - 1), model_->index(lastRow - 1, lastCol - 1));
    grid_->selectionModel()->select(sel, QItemSelectionModel::ClearAndSelect);
}

void SurveyPage::selectRow() {
    Selection s = session_.selectRow();
    select(s.firstCol, s.firstRow, s.lastCol, s.lastRow);
}

void SurveyPage::selectCol() {
    Selection s = session_.selectCol();
    select(s.firstCol, s.firstRow, s.lastCol, s.lastRow);
}

void SurveyPage::selectAll() {
    Selection s = session_.selectAll();
    select(s.firstCol, s.firstRow, s.lastCol, s.lastRow);
}

}  // namespace tarnwick

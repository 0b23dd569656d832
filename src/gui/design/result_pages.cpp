#include "gui/design/result_pages.h"

#include <algorithm>
#include <cmath>

#include <QButtonGroup>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/common/action_registry.h"
#include "gui/common/grid_delegate.h"
#include "gui/common/command_guard.h"
#include "gui/common/hint.h"
#include "gui/design/result_models.h"
#include "core/session/design_tools.h"
#include "core/session/session.h"
#include "gui/common/session_notifier.h"

namespace tarnwick {

namespace {

QString gridName(ResultGrid grid) {
    switch (grid) {
        case ResultGrid::Yardbook:
            return QStringLiteral("Yardbook");
        case ResultGrid::FullDesign:
            return QStringLiteral("FullDesign");
        case ResultGrid::FinalElevations:
            return QStringLiteral("FinalElevations");
    }
    return {};
}

// Grid look shared by every result grid: fixed cells of the width of a
// cut/fill text, read-only, plain selection.
void setUpGrid(QTableView* view, const QString& widest) {
    view->setItemDelegate(new GridDelegate(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    const QFontMetrics fm(view->font());
    view->horizontalHeader()->setDefaultSectionSize(fm.horizontalAdvance(widest) + 10);
    view->horizontalHeader()->setMinimumSectionSize(8);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

}  // namespace

ResultPage::ResultPage(Session& session, ResultGrid grid, QWidget* parent) : QWidget(parent), session_(session) {
    const QString name = gridName(grid);
    setObjectName(name + QStringLiteral("Page"));
    model_ = new ResultGridModel(session, grid, this);
    view_ = new QTableView(this);
    view_->setObjectName(name + QStringLiteral("Grid"));
    view_->setModel(model_);
    setUpGrid(view_, grid == ResultGrid::Yardbook ? QStringLiteral("C-00.00") : QStringLiteral("000.00"));

    full_ = new QRadioButton(QStringLiteral("Full Field Design"), this);
    full_->setObjectName(name + QStringLiteral("FullField"));
    sector_ = new QRadioButton(QStringLiteral("Sector Design"), this);
    sector_->setObjectName(name + QStringLiteral("Sector"));
    auto* group = new QButtonGroup(this);
    group->addButton(full_);
    group->addButton(sector_);
    connect(full_, &QRadioButton::clicked, this, [this] { emit viewChosen(DesignView::FullField); });
    connect(sector_, &QRadioButton::clicked, this, [this] { emit viewChosen(DesignView::Sector); });

    auto* choice = new QHBoxLayout;
    choice->setContentsMargins(6, 2, 6, 2);
    choice->addWidget(full_);
    choice->addSpacing(16);
    choice->addWidget(sector_);
    choice->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(choice);
    layout->addWidget(view_, 1);
    if (grid == ResultGrid::FinalElevations) makeEditable();
    if (grid == ResultGrid::Yardbook) makeRatioCheck(choice);
    showViewChoice();
}

void ResultPage::makeEditable() {
    view_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    setHint(view_, QStringLiteral("Enter Value to Force an Elevation"));
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("FinalElevationsPopupMenu"));
    QAction* specify = popup_->addAction(QStringLiteral("Specify Final Elevation"));
    specify->setObjectName(QStringLiteral("SpecifyFinalElevationItem"));
    connect(specify, &QAction::triggered, this,
            [this] { runCommand(window(), [&] { session_.specifyFinalElevation(); }); });
    // A right-click names the station the elevation is forced at.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const QModelIndex i = view_->indexAt(at); i.isValid())
            runCommand(window(), [&] { session_.rightClick(i.column() + 1, i.row() + 1); });
        popup_->popup(view_->viewport()->mapToGlobal(at));
    });
}

void ResultPage::makeRatioCheck(QLayout* above) {
    // Graded stations are picked with Ctrl and Shift clicks and by dragging.
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("YardbookPopupMenu"));
    QAction* check = popup_->addAction(QStringLiteral("Check Cut/Fill Ratio..."));
    check->setObjectName(QStringLiteral("CheckRatioPopupItem"));
    connect(check, &QAction::triggered, this, &ResultPage::checkCutFillRatio);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(view_->viewport()->mapToGlobal(at)); });

    ratioCheck_ = new QPushButton(QStringLiteral("Check Cut/Fill Ratio"), this);
    ratioCheck_->setObjectName(QStringLiteral("CheckRatioButton"));
    ratioCheck_->setFocusPolicy(Qt::NoFocus);
    // Hidden, it keeps its place: the grid does not jump when it shows.
    QSizePolicy keep = ratioCheck_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    ratioCheck_->setSizePolicy(keep);
    ratioCheck_->hide();
    connect(ratioCheck_, &QPushButton::clicked, this, &ResultPage::checkCutFillRatio);
    above->addWidget(ratioCheck_);

    // The button follows the selection whenever the mouse moves over the grid.
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
}

bool ResultPage::eventFilter(QObject* watched, QEvent* event) {
    if (ratioCheck_ && watched == view_->viewport() && event->type() == QEvent::MouseMove) showRatioCheckButton();
    return QWidget::eventFilter(watched, event);
}

void ResultPage::showRatioCheckButton() {
    ratioCheck_->setVisible(ratioCheckAvailable(selectedCells()));
}

std::vector<CellPos> ResultPage::selectedCells() const {
    std::vector<CellPos> cells;
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    cells.reserve(static_cast<size_t>(selected.size()));
    for (const QModelIndex& i : selected) cells.push_back({i.column() + 1, i.row() + 1});
    return cells;
}

void ResultPage::checkCutFillRatio() {
    const std::vector<CellPos> cells = selectedCells();
    runCommand(window(), [&] { tarnwick::checkCutFillRatio(session_, cells); });
}

void ResultPage::showViewChoice() {
    const bool sector = session_.view() == DesignView::Sector;
    full_->setChecked(!sector);
    sector_->setChecked(sector);
    sector_->setEnabled(session_.sectorDesignEnabled());
}

DesignParametersPage::DesignParametersPage(Session& session, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DesignParametersPage"));
    model_ = new DesignParametersModel(session, this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("DesignParametersGrid"));
    view_->setModel(model_);
    // The grid's column widths are fixed; a small font keeps the figures in them.
    QFont small = view_->font();
    small.setPointSizeF(8);
    view_->setFont(small);
    view_->horizontalHeader()->setFont(small);
    view_->verticalHeader()->setFont(small);
    setUpGrid(view_, QStringLiteral("00000"));
    // The widths keep the grid's proportions and are widened when the
    // font's figures would not fit a six-digit volume in "Totals".
    const double volume = QFontMetricsF(small).horizontalAdvance(QStringLiteral("000000")) + 8;
    const double scale = std::max(1.0, volume / DesignParametersTable::columnWidth(1));
    auto width = [scale](int col) { return int(std::lround(DesignParametersTable::columnWidth(col) * scale)); };
    QHeaderView* top = view_->horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 1; c < DesignParametersTable::kCols; ++c) top->resizeSection(c - 1, width(c));
    view_->verticalHeader()->setFixedWidth(width(0));
    view_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

ResultPages::ResultPages(Session& session, SessionNotifier& notifier, ActionRegistry& actions, QWidget* pageParent)
    : QObject(pageParent), session_(session) {
    parameters_ = new DesignParametersPage(session, pageParent);
    finalElevations_ = new ResultPage(session, ResultGrid::FinalElevations, pageParent);
    yardbook_ = new ResultPage(session, ResultGrid::Yardbook, pageParent);
    fullDesign_ = new ResultPage(session, ResultGrid::FullDesign, pageParent);
    for (ResultPage* page : {finalElevations_, yardbook_, fullDesign_})
        connect(page, &ResultPage::viewChosen, this, &ResultPages::chooseView);

    QAction* check = actions.add(this, QStringLiteral("CheckRatioItem"), QStringLiteral("Check Cut/Fill Ratio..."));
    connect(check, &QAction::triggered, this, &ResultPages::checkCutFillRatio);

    connect(&notifier, &SessionNotifier::resultsChanged, this, &ResultPages::refresh);
    connect(&notifier, &SessionNotifier::fieldReplaced, this, &ResultPages::refresh);
    connect(&notifier, &SessionNotifier::optionsChanged, this, &ResultPages::showViewChoice);
}

void ResultPages::refresh() {
    parameters_->model()->refresh();
    for (ResultPage* page : {finalElevations_, yardbook_, fullDesign_}) {
        page->model()->refresh();
        page->showViewChoice();
    }
}

void ResultPages::showViewChoice() {
    for (ResultPage* page : {finalElevations_, yardbook_, fullDesign_}) page->showViewChoice();
}

void ResultPages::checkCutFillRatio() {
    yardbook_->checkCutFillRatio();
}

void ResultPages::chooseView(DesignView view) {
    // The session tells every page what changed.
    runCommand(finalElevations_->window(), [&] { session_.setView(view); });
}

}  // namespace tarnwick

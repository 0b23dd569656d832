#include "gui/shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

#include "gui/common/artwork.h"
#include "gui/files/file_commands.h"
#include "gui/shell/about_box.h"
#include "gui/design/side_panel.h"
#include "gui/common/command_guard.h"
#include "gui/shell/help_viewer.h"
#include "gui/common/hint.h"
#include "gui/design/result_pages.h"
#include "core/session/session.h"
#include "gui/common/session_notifier.h"
#include "gui/field/survey_page.h"
#include "gui/field/survey_view.h"
#include "gui/view3d/view3d_page.h"
#include "gui/shell/work_area_fit.h"

namespace tarnwick {

namespace {

constexpr int kSidePanelWidth = 246;
constexpr QSize kClientSize(1024, 600);
constexpr QSize kMinimumSize(652, 492);

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("YardbookMain"));
    setWindowTitle(QStringLiteral("%1- Landgrading Design %2")
                       .arg(QString::fromUtf8(kProgramName), QString::fromUtf8(kVersionText)));
    guideFolders_ << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("guide"));
    // The window starts with the field as New leaves it, so the design
    // boxes show the default ratio and zero slopes instead of nothing.
    session_.clearForNewField();

    notifier_ = new SessionNotifier(session_, this);
    registerActions();
    new FileCommands(*this, session_, actions_);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    // The side panel scrolls when the window is too low for it.
    auto* scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("SidePanelScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(kSidePanelWidth);
    sidePanel_ = new SidePanel(session_, *notifier_, scroll);
    scroll->setWidget(sidePanel_);
    layout->addWidget(scroll);
    setCentralWidget(central);
    layout->addWidget(makePages(), 1);
    menu_ = new MainMenu(*this, actions_);

    makeStatusBar();
    about_ = new AboutBox(this);

    connect(notifier_, &SessionNotifier::optionsChanged, this, &MainWindow::showOptions);
    connect(notifier_, &SessionNotifier::fileNameChanged, this, &MainWindow::showFileName);
    connect(notifier_, &SessionNotifier::cursorChanged, this, &MainWindow::showSelection);
    connect(notifier_, &SessionNotifier::fieldReplaced, this, [this] {
        showFileName();
        showSelection();
        showOptions();
        // New and Open start again on the Survey page.
        showSurveyPage();
    });
    showFileName();
    showOptions();
    sizeAndCentre();
}

void MainWindow::registerActions() {
    QAction* exit = actions_.add(this, QStringLiteral("FileExitItem"), QStringLiteral("E&xit"),
                                 QStringLiteral("Exit|Exit application"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QAction* contents = actions_.add(this, QStringLiteral("HelpContentsItem"), QStringLiteral("Contents"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, &MainWindow::showUserGuide);
    QAction* about = actions_.add(this, QStringLiteral("HelpAboutItem"), QStringLiteral("&About..."));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    QAction* autoReCalc = actions_.add(this, QStringLiteral("AutoReCalcItem"), QStringLiteral("AutoReCalc"));
    autoReCalc->setCheckable(true);
    connect(autoReCalc, &QAction::triggered, this,
            [this](bool on) { runCommand(this, [&] { session_.setAutoReCalc(on); }); });
    QAction* reCalc = actions_.add(this, QStringLiteral("ReCalcButton"), QStringLiteral("&ReCalc"),
                                   QStringLiteral("Recalculate Field Design"));
    reCalc->setIconText(QStringLiteral("ReCalc"));
    reCalc->setIcon(toolIcon(ToolIcon::ReCalc));
    connect(reCalc, &QAction::triggered, this, [this] { runCommand(this, [&] { session_.reCalc(); }); });
}

void MainWindow::showOptions() {
    actions_.find(QStringLiteral("AutoReCalcItem"))->setChecked(session_.autoReCalc);
    actions_.find(QStringLiteral("ReCalcButton"))->setEnabled(!session_.autoReCalc);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::makePages() {
    pages_ = new QTabWidget(centralWidget());
    pages_->setObjectName(QStringLiteral("PageControl1"));
    surveyPage_ = new SurveyPage(session_, *notifier_, actions_, pages_);
    resultPages_ = new ResultPages(session_, *notifier_, actions_, pages_);
    view3DPage_ = new View3DPage(session_, *notifier_, pages_);

    pages_->addTab(surveyPage_, QStringLiteral("Survey"));
    pages_->addTab(resultPages_->designParameters(), QStringLiteral("Design Parameters"));
    pages_->addTab(resultPages_->finalElevations(), QStringLiteral("Final Elevations"));
    pages_->addTab(resultPages_->yardbook(), QStringLiteral("Yardbook"));
    pages_->setTabToolTip(YardbookTab, QStringLiteral("View Design Yardbook"));
    pages_->addTab(resultPages_->fullDesign(), QStringLiteral("Full Design"));
    pages_->setTabToolTip(FullDesignTab, QStringLiteral("View Old Values, New Values, Cuts/Fills"));
    pages_->addTab(view3DPage_, QStringLiteral("3D View"));
    pages_->tabBar()->setMouseTracking(true);
    pages_->tabBar()->installEventFilter(this);
    connect(pages_, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    return pages_;
}

void MainWindow::makeStatusBar() {
    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("StatusHint"));
    hint_->setFixedWidth(350);
    fileName_ = new QLabel(this);
    fileName_->setObjectName(QStringLiteral("StatusFileName"));
    fileName_->setFixedWidth(400);
    for (QLabel* panel : {hint_, fileName_}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        statusBar()->addWidget(panel);
    }
    statusBar()->setSizeGripEnabled(true);
}

void MainWindow::sizeAndCentre() {
    setMinimumSize(kMinimumSize);
    // The window's frame is known once the window system shows it; until
    // then a title bar and thin borders are assumed.
    fitToScreen(assumedFrame(style()->pixelMetric(QStyle::PM_TitleBarHeight)));
}

void MainWindow::fitToScreen(const QMargins& frame) {
    // 1024 x 600 below the menu bar; a smaller work area gets a window that
    // fits in it with its frame, tool bar and status bar.
    const QSize wanted = kClientSize + QSize(0, menuBar()->sizeHint().height());
    QRect area(QPoint(0, 0), wanted);
    if (QScreen* s = screen()) area = s->availableGeometry();
    setGeometry(fitToWorkArea(area, frame, wanted, kMinimumSize));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (fittedToFrame_ || event->spontaneous()) return;
    fittedToFrame_ = true;
    // Once the window system has framed the window, fit it again with the
    // real frame. A frame still unknown (none reported) keeps the assumed one.
    QTimer::singleShot(0, this, [this] {
        const QRect outer = frameGeometry(), inner = geometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        if (!frame.isNull() && !isMaximized() && !isFullScreen()) fitToScreen(frame);
    });
}

void MainWindow::showFileName() {
    fileName_->setText(QString::fromStdString(session_.FFileName));
}

void MainWindow::showSelection() {
    // The sector commands cut the selection back to the field or widen it
    // to a sector; the Survey grid shows the rectangle they work on.
    const Selection& s = session_.selection;
    if (s.lastCol < s.firstCol || s.lastRow < s.firstRow) return;
    SurveyView* grid = surveyPage_->grid();
    QAbstractItemModel* model = grid->model();
    const QModelIndex topLeft = model->index(s.firstRow - 1, s.firstCol - 1);
    const QModelIndex bottomRight = model->index(s.lastRow - 1, s.lastCol - 1);
    if (!topLeft.isValid() || !bottomRight.isValid()) return;
    QItemSelectionModel* selection = grid->selectionModel();
    const QModelIndexList shown = selection->selectedIndexes();
    if (shown.isEmpty() && s.firstCol == s.lastCol && s.firstRow == s.lastRow) return;  // the cursor alone
    QRect box;
    for (const QModelIndex& i : shown) box |= QRect(i.column() + 1, i.row() + 1, 1, 1);
    if (box == QRect(QPoint(s.firstCol, s.firstRow), QPoint(s.lastCol, s.lastRow))) return;
    selection->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

void MainWindow::pageChanged(int index) {
    if (revertingPage_ || index == SurveyTab) return;
    bool allowed = false;
    runCommand(this, [&] { allowed = session_.pageChangeAllowed(); });
    if (allowed) {
        if (index == DesignParametersTab) runCommand(this, [&] { session_.designParametersShown(); });
        if (index == View3DTab) view3DPage_->refresh();
        return;
    }
    revertingPage_ = true;
    pages_->setCurrentIndex(SurveyTab);
    revertingPage_ = false;
}

void MainWindow::showSurveyPage() {
    pages_->setCurrentIndex(SurveyTab);
    surveyPage_->grid()->setFocus();
}

void MainWindow::showUserGuide() {
    const QString index = findGuideIndex(guideFolders_);
    if (index.isEmpty()) {
        session_.prompt().warning(
            "The user guide was not found (" +
            QDir::toNativeSeparators(guideFolders_.value(0) + QStringLiteral("/index.html")).toStdString() + ").");
        return;
    }
    if (!help_) help_ = new HelpViewer(this);
    help_->showGuide(index);
}

void MainWindow::showAbout() {
    about_->versionLabel()->setText(QString::fromUtf8(kVersionText));
    about_->exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool close = false;
    runCommand(this, [&] { close = session_.closeCommand(); });
    if (!close) {
        event->ignore();
        return;
    }
    if (help_) help_->close();
    event->accept();
}

bool MainWindow::event(QEvent* event) {
    // The long part of a hint goes to the first panel of the status bar.
    if (event->type() == QEvent::StatusTip) {
        hint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pages_->tabBar()) {
        if (event->type() == QEvent::MouseMove) {
            const int tab = pages_->tabBar()->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            hint_->setText(tab < 0 ? QString() : longHint(pages_->tabToolTip(tab)));
        } else if (event->type() == QEvent::Leave) {
            hint_->clear();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tarnwick

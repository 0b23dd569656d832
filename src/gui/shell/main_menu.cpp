#include "gui/shell/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/common/artwork.h"
#include "core/session/field_tools.h"
#include "gui/common/command_guard.h"
#include "gui/common/hint.h"
#include "gui/files/ini_settings_store.h"
#include "core/session/session.h"
#include "gui/common/session_notifier.h"

namespace tarnwick {

namespace {

QMenu* submenu(QMenu* parent, const QString& caption, const QString& name) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name + QStringLiteral("Item"));
    return m;
}

QMenu* topMenu(QMainWindow& w, const QString& caption, const QString& name, const QString& hint = {}) {
    QMenu* m = w.menuBar()->addMenu(caption);
    m->setObjectName(name);
    if (!hint.isEmpty()) setHint(m->menuAction(), hint);
    return m;
}

}  // namespace

MainMenu::MainMenu(QMainWindow& window, Session& session, SessionNotifier& notifier)
    : QObject(&window), window_(window), session_(session) {
    buildFileMenu();
    buildEditMenu();
    buildDesignMenu();
    buildOptionsMenu();
    buildHelpMenu();
    buildToolBar();
    connect(&notifier, &SessionNotifier::optionsChanged, this, &MainMenu::showState);
    connect(&notifier, &SessionNotifier::fieldReplaced, this, &MainMenu::showState);
    showState();
}

QAction* MainMenu::add(QWidget* menu, const QString& caption, const QString& name, const QString& hint) {
    auto* a = new QAction(caption, &window_);
    a->setObjectName(name);
    if (!hint.isEmpty()) setHint(a, hint);
    menu->addAction(a);
    return a;
}

QAction* MainMenu::later(QWidget* menu, const QString& caption, const QString& name) {
    QAction* a = add(menu, caption, name);
    a->setEnabled(false);
    return a;
}

void MainMenu::run(void (*command)(Session&)) {
    runCommand(&window_, [&] { command(session_); });
}

void MainMenu::buildFileMenu() {
    QMenu* file =
        topMenu(window_, QStringLiteral("&File"), QStringLiteral("FileMenu"), QStringLiteral("File related commands"));
    new_ = add(file, QStringLiteral("&New"), QStringLiteral("FileNewItem"), QStringLiteral("New|Create a new file"));
    new_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    new_->setIcon(toolIcon(ToolIcon::New));
    new_->setIconText(QStringLiteral("New"));
    connect(new_, &QAction::triggered, this, [this] { run([](Session& s) { s.newField(); }); });

    open_ = add(file, QStringLiteral("&Open"), QStringLiteral("FileOpenItem"), QStringLiteral("Open|Open a file"));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open_->setIcon(toolIcon(ToolIcon::Open));
    open_->setIconText(QStringLiteral("Open"));
    connect(open_, &QAction::triggered, this, [this] { run([](Session& s) { s.openCommand(); }); });

    QMenu* import = submenu(file, QStringLiteral("Import Data..."), QStringLiteral("ImportMenu"));
    later(import, QStringLiteral("Generic txt (XYZ/NEZ) File  \"x,y,z\""), QStringLiteral("ImportGenericItem"));
    later(import, QStringLiteral("Excel .CSV File"), QStringLiteral("ImportCsvItem"));
    later(import, QStringLiteral("Laser-Tech File"), QStringLiteral("ImportLaserTechItem"));
    later(import, QStringLiteral("AGL Data File"), QStringLiteral("ImportAglItem"));
    later(import, QStringLiteral("AGPS Data File..."), QStringLiteral("ImportAgpsItem"));
    QMenu* exportMenu = submenu(file, QStringLiteral("Export Data..."), QStringLiteral("ExportMenu"));
    later(exportMenu, QStringLiteral("Export Generic XYZ Data File"), QStringLiteral("ExportGenericItem"));
    later(exportMenu, QStringLiteral("Export AGPS Final Elevation File"), QStringLiteral("ExportAgpsItem"));
    later(exportMenu, QStringLiteral("Export as Excel .CSV file"), QStringLiteral("ExportCsvItem"));

    save_ =
        add(file, QStringLiteral("&Save"), QStringLiteral("FileSaveItem"), QStringLiteral("Save|Save current file"));
    save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save_->setIcon(toolIcon(ToolIcon::Save));
    save_->setIconText(QStringLiteral("Save"));
    connect(save_, &QAction::triggered, this, [this] { run([](Session& s) { s.saveCommand(); }); });

    QAction* saveAs = add(file, QStringLiteral("Save &As..."), QStringLiteral("FileSaveAsItem"),
                          QStringLiteral("Save As|Save current file with different name"));
    connect(saveAs, &QAction::triggered, this, [this] { run([](Session& s) { s.saveAsCommand(); }); });

    file->addSeparator();
    later(file, QStringLiteral("Printer Setup..."), QStringLiteral("FilePrintSetupItem"));
    print_ = later(file, QStringLiteral("&Print"), QStringLiteral("FilePrintItem"));
    setHint(print_, QStringLiteral("Print Yardbook"));
    print_->setIcon(toolIcon(ToolIcon::Print));
    print_->setIconText(QStringLiteral("Print"));
    file->addSeparator();
    exit_ = add(file, QStringLiteral("E&xit"), QStringLiteral("FileExitItem"), QStringLiteral("Exit|Exit application"));
    connect(exit_, &QAction::triggered, &window_, &QWidget::close);
}

void MainMenu::buildEditMenu() {
    QMenu* edit =
        topMenu(window_, QStringLiteral("&Edit"), QStringLiteral("EditMenu"), QStringLiteral("Edit commands"));
    edit_[int(EditAction::Cut)] = add(edit, QStringLiteral("Cu&t"), QStringLiteral("EditCutItem"),
                                      QStringLiteral("Cut|Cuts the selection and puts it on the Clipboard"));
    edit_[int(EditAction::Cut)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    edit_[int(EditAction::Copy)] = add(edit, QStringLiteral("&Copy"), QStringLiteral("EditCopyItem"),
                                       QStringLiteral("Copy|Copies the selection and puts it on the Clipboard"));
    edit_[int(EditAction::Copy)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    edit_[int(EditAction::Paste)] = add(edit, QStringLiteral("&Paste"), QStringLiteral("EditPasteItem"),
                                        QStringLiteral("Paste|Inserts Clipboard contents"));
    edit_[int(EditAction::Paste)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    QMenu* insert = submenu(edit, QStringLiteral("Insert"), QStringLiteral("EditInsertMenu"));
    edit_[int(EditAction::InsertRow)] = add(insert, QStringLiteral("Row"), QStringLiteral("EditInsertRowItem"));
    edit_[int(EditAction::InsertCol)] = add(insert, QStringLiteral("Col"), QStringLiteral("EditInsertColItem"));
    QMenu* remove = submenu(edit, QStringLiteral("Delete"), QStringLiteral("EditDeleteMenu"));
    edit_[int(EditAction::DeleteRow)] = add(remove, QStringLiteral("Row"), QStringLiteral("EditDeleteRowItem"));
    edit_[int(EditAction::DeleteCol)] = add(remove, QStringLiteral("Col"), QStringLiteral("EditDeleteColItem"));
}

void MainMenu::buildDesignMenu() {
    QMenu* design = topMenu(window_, QStringLiteral("&Design"), QStringLiteral("DesignMenu"));
    // They act on the Survey grid's selection, wherever the window is.
    QAction* sectorSlope = add(design, QStringLiteral("Set Sector Slope..."), QStringLiteral("SetSectorSlopeItem"));
    connect(sectorSlope, &QAction::triggered, this, [this] { run([](Session& s) { s.setSectorSlope(); }); });
    QAction* sectorInfo = add(design, QStringLiteral("View Sector Info..."), QStringLiteral("ViewSectorInfoItem"));
    connect(sectorInfo, &QAction::triggered, this, [this] { run([](Session& s) { s.viewSectorInfo(); }); });
    QAction* partial = add(design, QStringLiteral("Set Partial Station"), QStringLiteral("SetPartialStationItem"));
    connect(partial, &QAction::triggered, this, [this] { run([](Session& s) { s.setPartialStation(); }); });
    // The ratio check takes the cells selected on the Yardbook grid.
    QAction* checkRatio = add(design, QStringLiteral("Check Cut/Fill Ratio..."), QStringLiteral("CheckRatioItem"));
    connect(checkRatio, &QAction::triggered, this, &MainMenu::ratioCheckRequested);
    QAction* clearAll = add(design, QStringLiteral("Clear All Sectors..."), QStringLiteral("ClearAllSectorsItem"));
    connect(clearAll, &QAction::triggered, this, [this] { run([](Session& s) { s.clearAllSectorsCommand(); }); });
}

void MainMenu::buildOptionsMenu() {
    QMenu* options = topMenu(window_, QStringLiteral("&Options"), QStringLiteral("OptionsMenu"));
    autoReCalc_ = add(options, QStringLiteral("AutoReCalc"), QStringLiteral("AutoReCalcItem"));
    autoReCalc_->setCheckable(true);
    connect(autoReCalc_, &QAction::triggered, this,
            [this](bool on) { runCommand(&window_, [&] { session_.setAutoReCalc(on); }); });
    QAction* prefs = add(options, QStringLiteral("Preferences..."), QStringLiteral("PreferencesItem"));
    connect(prefs, &QAction::triggered, this, [this] {
        runCommand(&window_, [&] {
            IniSettingsStore store;
            session_.preferencesCommand(&store);
        });
    });
    QAction* convert = add(options, QStringLiteral("Convert Data Type..."), QStringLiteral("ConvertDataTypeItem"));
    connect(convert, &QAction::triggered, this, [this] { run([](Session& s) { convertDataType(s); }); });
    QAction* laser = add(options, QStringLiteral("Laser Survey Adjusment..."), QStringLiteral("LaserAdjustmentItem"));
    connect(laser, &QAction::triggered, this, [this] { run([](Session& s) { adjustLaserSurvey(s); }); });
    later(options, QStringLiteral("&Survey with Laser Mast"), QStringLiteral("LaserMastItem"));
}

void MainMenu::buildHelpMenu() {
    QMenu* help = topMenu(window_, QStringLiteral("&Help"), QStringLiteral("HelpMenu"), QStringLiteral("Help topics"));
    QAction* contents = add(help, QStringLiteral("Contents"), QStringLiteral("HelpContentsItem"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, &MainMenu::helpRequested);
    QAction* about = add(help, QStringLiteral("&About..."), QStringLiteral("HelpAboutItem"));
    connect(about, &QAction::triggered, this, &MainMenu::aboutRequested);
}

void MainMenu::buildToolBar() {
    toolBar_ = window_.addToolBar(QStringLiteral("Tool bar"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->toggleViewAction()->setEnabled(false);
    toolBar_->addAction(new_);
    toolBar_->addAction(open_);
    toolBar_->addAction(save_);
    toolBar_->addAction(print_);

    reCalc_ = new QAction(QStringLiteral("&ReCalc"), &window_);
    reCalc_->setObjectName(QStringLiteral("ReCalcButton"));
    reCalc_->setIconText(QStringLiteral("ReCalc"));
    reCalc_->setIcon(toolIcon(ToolIcon::ReCalc));
    setHint(reCalc_, QStringLiteral("Recalculate Field Design"));
    connect(reCalc_, &QAction::triggered, this, [this] { run([](Session& s) { s.reCalc(); }); });
    toolBar_->addAction(reCalc_);
    toolBar_->addSeparator();

    // The laser panel comes with the laser-mast survey; the export button
    // with the command-line export. Both start hidden.
    auto* laser = new QWidget(toolBar_);
    laser->setObjectName(QStringLiteral("LaserPanel"));
    toolBar_->addWidget(laser)->setVisible(false);
    auto* exportFile = new QAction(QStringLiteral(": Export File"), &window_);
    exportFile->setObjectName(QStringLiteral("ExportFileButton"));
    toolBar_->addAction(exportFile);
    exportFile->setVisible(false);
}

QAction* MainMenu::editAction(EditAction which) const {
    return edit_[static_cast<int>(which)];
}

void MainMenu::showState() {
    autoReCalc_->setChecked(session_.autoReCalc);
    reCalc_->setEnabled(!session_.autoReCalc);
}

}  // namespace tarnwick

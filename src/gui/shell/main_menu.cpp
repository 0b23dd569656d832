#include "gui/shell/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "gui/common/action_registry.h"
#include "gui/common/artwork.h"
#include "gui/common/hint.h"

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

MainMenu::MainMenu(QMainWindow& window, ActionRegistry& actions)
    : QObject(&window), window_(window), actions_(actions) {
    buildMenus();
    buildToolBar();
}

QAction* MainMenu::action(const char* name, const char* caption) {
    if (QAction* a = actions_.find(QString::fromLatin1(name))) return a;
    QAction* a = actions_.add(this, QString::fromLatin1(name), QString::fromLatin1(caption ? caption : name));
    a->setEnabled(false);
    return a;
}

QAction* MainMenu::place(QMenu* menu, const char* name, const char* caption) {
    QAction* a = action(name, caption);
    menu->addAction(a);
    return a;
}

void MainMenu::buildMenus() {
    QMenu* file =
        topMenu(window_, QStringLiteral("&File"), QStringLiteral("FileMenu"), QStringLiteral("File related commands"));
    place(file, "FileNewItem");
    place(file, "FileOpenItem");
    QMenu* import = submenu(file, QStringLiteral("Import Data..."), QStringLiteral("ImportMenu"));
    place(import, "ImportGenericItem", "Generic txt (XYZ/NEZ) File  \"x,y,z\"");
    place(import, "ImportCsvItem", "Excel .CSV File");
    place(import, "ImportLaserTechItem", "Laser-Tech File");
    place(import, "ImportAglItem", "AGL Data File");
    place(import, "ImportAgpsItem", "AGPS Data File...");
    QMenu* exportMenu = submenu(file, QStringLiteral("Export Data..."), QStringLiteral("ExportMenu"));
    place(exportMenu, "ExportGenericItem", "Export Generic XYZ Data File");
    place(exportMenu, "ExportAgpsItem", "Export AGPS Final Elevation File");
    place(exportMenu, "ExportCsvItem", "Export as Excel .CSV file");
    place(file, "FileSaveItem");
    place(file, "FileSaveAsItem");
    file->addSeparator();
    place(file, "FilePrintSetupItem", "Printer Setup...");
    QAction* print = place(file, "FilePrintItem", "&Print");
    if (!print->isEnabled()) {
        // The stand-in keeps the tool bar button of the command to come.
        setHint(print, QStringLiteral("Print Yardbook"));
        print->setIcon(toolIcon(ToolIcon::Print));
        print->setIconText(QStringLiteral("Print"));
    }
    file->addSeparator();
    place(file, "FileExitItem");

    QMenu* edit =
        topMenu(window_, QStringLiteral("&Edit"), QStringLiteral("EditMenu"), QStringLiteral("Edit commands"));
    place(edit, "EditCutItem");
    place(edit, "EditCopyItem");
    place(edit, "EditPasteItem");
    QMenu* insert = submenu(edit, QStringLiteral("Insert"), QStringLiteral("EditInsertMenu"));
    place(insert, "EditInsertRowItem");
    place(insert, "EditInsertColItem");
    QMenu* remove = submenu(edit, QStringLiteral("Delete"), QStringLiteral("EditDeleteMenu"));
    place(remove, "EditDeleteRowItem");
    place(remove, "EditDeleteColItem");

    QMenu* design = topMenu(window_, QStringLiteral("&Design"), QStringLiteral("DesignMenu"));
    place(design, "SetSectorSlopeItem");
    place(design, "ViewSectorInfoItem");
    place(design, "SetPartialStationItem");
    place(design, "CheckRatioItem");
    place(design, "ClearAllSectorsItem");

    QMenu* options = topMenu(window_, QStringLiteral("&Options"), QStringLiteral("OptionsMenu"));
    place(options, "AutoReCalcItem");
    place(options, "PreferencesItem");
    place(options, "ConvertDataTypeItem");
    place(options, "LaserAdjustmentItem");
    place(options, "LaserMastItem", "&Survey with Laser Mast");

    QMenu* help = topMenu(window_, QStringLiteral("&Help"), QStringLiteral("HelpMenu"), QStringLiteral("Help topics"));
    place(help, "HelpContentsItem");
    place(help, "HelpAboutItem");
}

void MainMenu::buildToolBar() {
    toolBar_ = window_.addToolBar(QStringLiteral("Tool bar"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->toggleViewAction()->setEnabled(false);
    for (const char* name : {"FileNewItem", "FileOpenItem", "FileSaveItem", "FilePrintItem", "ReCalcButton"})
        toolBar_->addAction(action(name, nullptr));
    toolBar_->addSeparator();

    // The laser panel comes with the laser-mast survey; the export button
    // with the command-line export. Both start hidden.
    auto* laser = new QWidget(toolBar_);
    laser->setObjectName(QStringLiteral("LaserPanel"));
    toolBar_->addWidget(laser)->setVisible(false);
    QAction* exportFile = action("ExportFileButton", ": Export File");
    exportFile->setEnabled(true);
    toolBar_->addAction(exportFile);
    exportFile->setVisible(false);
}

}  // namespace tarnwick

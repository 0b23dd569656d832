// The main window as a user meets it: its caption, pages, menus and tool
// bar, the page change and close questions, the side panel and the result
// grids over a real field.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

#include "gui/shell/about_box.h"
#include "gui/design/side_panel.h"
#include "gui/shell/gui_prompt.h"
#include "gui/shell/main_window.h"
#include "gui/design/result_models.h"
#include "gui/design/result_pages.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"
#include "core/session/session.h"
#include "gui/shell/splash.h"
#include "support/scripted_prompt.h"
#include "support/scripted_window.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kDemo = QStringLiteral(TARNWICK_SOURCE_DIR "/examples/demo.fld");
const QString kSectors = QStringLiteral(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld");

QColor colourOf(CellColour c) {
    switch (c) {
        case CellColour::Red:
            return QColor(255, 0, 0);
        case CellColour::Green:
            return QColor(0, 128, 0);
        case CellColour::Blue:
            return QColor(0, 0, 255);
        case CellColour::Default:
            break;
    }
    return {};
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Window : ScriptedWindow {
        ResultPage* page(ResultGrid grid) {
            ResultPages* r = window.resultPages();
            return grid == ResultGrid::Yardbook     ? r->yardbook()
                   : grid == ResultGrid::FullDesign ? r->fullDesign()
                                                    : r->finalElevations();
        }
        QList<ResultPage*> viewPages() {
            return {page(ResultGrid::Yardbook), page(ResultGrid::FullDesign), page(ResultGrid::FinalElevations)};
        }
        QString label(const char* name) {
            auto* l = window.findChild<QLabel*>(QString::fromLatin1(name));
            return l ? l->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
        }
    };

private slots:
    void captionSizeAndPages() {
        Window w;
        QCOMPARE(w.window.windowTitle(), QString("Tarnwick- Landgrading Design V1.80"));
        QCOMPARE(w.window.minimumSize(), QSize(652, 492));
        QTabWidget* pages = w.window.pages();
        const QStringList captions{"Survey",   "Design Parameters", "Final Elevations",
                                   "Yardbook", "Full Design",       "3D View"};
        QCOMPARE(pages->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i) QCOMPARE(pages->tabText(i), captions[i]);
        QCOMPARE(pages->tabToolTip(3), QString("View Design Yardbook"));
        QCOMPARE(pages->tabToolTip(4), QString("View Old Values, New Values, Cuts/Fills"));
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(w.window.findChild<QWidget*>("SidePanelScroll")->width(), 246);
        QCOMPARE(w.window.hintPanel()->width(), 350);
        QCOMPARE(w.window.fileNamePanel()->width(), 400);
        QCOMPARE(w.window.fileNamePanel()->text(), QString("Untitled"));
    }

    void pageChangeNeedsTwoStations_data() {
        QTest::addColumn<QStringList>("cells");  // station texts of row 1
        QTest::addColumn<int>("shown");
        QTest::newRow("empty survey") << QStringList{} << 0;
        QTest::newRow("one reading") << QStringList{"100.00"} << 0;
        QTest::newRow("two readings") << QStringList{"100.00", "100.50"} << 1;
    }
    void pageChangeNeedsTwoStations() {
        QFETCH(QStringList, cells);
        QFETCH(int, shown);
        Window w;
        for (int c = 0; c < cells.size(); ++c) w.session.field.Survey.setText(c + 1, 1, cells[c].toStdString());
        w.window.pages()->setCurrentIndex(MainWindow::DesignParametersTab);
        QCOMPARE(w.window.pages()->currentIndex(), shown);
        // A click on the tab asks the same.
        QTabBar* bar = w.window.pages()->tabBar();
        w.window.pages()->setCurrentIndex(0);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(MainWindow::YardbookTab).center());
        QCOMPARE(w.window.pages()->currentIndex(), shown ? int(MainWindow::YardbookTab) : 0);
    }

    void autoReCalcToggledTwiceStaysChecked() {
        Window w;
        QAction* autoReCalc = w.action("AutoReCalcItem");
        QAction* reCalc = w.action("ReCalcButton");
        QVERIFY(autoReCalc->isCheckable());
        QVERIFY(autoReCalc->isChecked());
        QVERIFY(!reCalc->isEnabled());
        autoReCalc->trigger();
        QVERIFY(!autoReCalc->isChecked());
        QVERIFY(!w.session.autoReCalc);
        QVERIFY(reCalc->isEnabled());
        autoReCalc->trigger();
        QVERIFY(autoReCalc->isChecked());
        QVERIFY(w.session.autoReCalc);
        QVERIFY(!reCalc->isEnabled());
    }

    void commandsCaptionsShortcutsAndLaterOnesDisabled() {
        Window w;
        struct Item {
            const char* name;
            const char* caption;
            QKeySequence shortcut;
            bool enabled;
        };
        const Item items[] = {
            {"FileNewItem", "&New", QKeySequence("Ctrl+N"), true},
            {"FileOpenItem", "&Open", QKeySequence("Ctrl+O"), true},
            {"FileSaveItem", "&Save", QKeySequence("Ctrl+S"), true},
            {"FileSaveAsItem", "Save &As...", {}, true},
            {"FileExitItem", "E&xit", {}, true},
            {"EditCutItem", "Cu&t", QKeySequence("Ctrl+X"), true},
            {"EditCopyItem", "&Copy", QKeySequence("Ctrl+C"), true},
            {"EditPasteItem", "&Paste", QKeySequence("Ctrl+V"), true},
            {"AutoReCalcItem", "AutoReCalc", {}, true},
            {"PreferencesItem", "Preferences...", {}, true},
            {"HelpContentsItem", "Contents", QKeySequence("F1"), true},
            {"HelpAboutItem", "&About...", {}, true},
            {"ImportGenericItem", "Generic txt (XYZ/NEZ) File  \"x,y,z\"", {}, false},
            {"ImportCsvItem", "Excel .CSV File", {}, false},
            {"ImportLaserTechItem", "Laser-Tech File", {}, false},
            {"ImportAglItem", "AGL Data File", {}, false},
            {"ImportAgpsItem", "AGPS Data File...", {}, false},
            {"ExportGenericItem", "Export Generic XYZ Data File", {}, false},
            {"ExportAgpsItem", "Export AGPS Final Elevation File", {}, false},
            {"ExportCsvItem", "Export as Excel .CSV file", {}, false},
            {"FilePrintSetupItem", "Printer Setup...", {}, false},
            {"FilePrintItem", "&Print", {}, false},
            {"SetSectorSlopeItem", "Set Sector Slope...", {}, true},
            {"ViewSectorInfoItem", "View Sector Info...", {}, true},
            {"SetPartialStationItem", "Set Partial Station", {}, true},
            {"CheckRatioItem", "Check Cut/Fill Ratio...", {}, true},
            {"ClearAllSectorsItem", "Clear All Sectors...", {}, true},
            {"ConvertDataTypeItem", "Convert Data Type...", {}, true},
            {"LaserAdjustmentItem", "Laser Survey Adjusment...", {}, true},
            {"LaserMastItem", "&Survey with Laser Mast", {}, false},
        };
        for (const Item& item : items) {
            QAction* a = w.action(item.name);
            QVERIFY2(a, item.name);
            QCOMPARE(a->text(), QString::fromUtf8(item.caption));
            QCOMPARE(a->shortcut(), item.shortcut);
            QVERIFY2(a->isEnabled() == item.enabled, item.name);
        }
        // Tool bar: captions and hints, the hidden laser panel and export button.
        QAction* newAction = w.action("FileNewItem");
        QCOMPARE(newAction->toolTip(), QString("New"));
        QCOMPARE(newAction->statusTip(), QString("Create a new file"));
        QCOMPARE(w.action("FilePrintItem")->toolTip(), QString("Print Yardbook"));
        QCOMPARE(w.action("ReCalcButton")->toolTip(), QString("Recalculate Field Design"));
        QToolBar* bar = w.window.menu()->toolBar();
        QStringList shown;
        for (QAction* a : bar->actions())
            if (a->isVisible() && !a->isSeparator()) shown << a->iconText();
        QCOMPARE(shown, (QStringList{"New", "Open", "Save", "Print", "ReCalc"}));
        QVERIFY(!w.window.findChild<QWidget*>("LaserPanel")->isVisible());
        QVERIFY(!w.action("ExportFileButton")->isVisible());
        QCOMPARE(w.action("ExportFileButton")->text(), QString(": Export File"));
        // The Survey page owns the Edit menu's actions; the menu only places them.
        QCOMPARE(w.action("EditCopyItem")->parent(), static_cast<QObject*>(w.window.surveyPage()));
        QCOMPARE(w.action("EditDeleteColItem")->parent(), static_cast<QObject*>(w.window.surveyPage()));
        QCOMPARE(w.window.actions().find("CheckRatioItem")->parent(), static_cast<QObject*>(w.window.resultPages()));
    }

    void hintOfTheItemUnderTheMouseInTheStatusBar() {
        Window w;
        // What a menu does when the mouse rests on an item.
        w.action("FileSaveAsItem")->showStatusText(w.window.menuBar());
        QCOMPARE(w.window.hintPanel()->text(), QString("Save current file with different name"));
        // A control's hint, as Qt sends it when the mouse enters the control.
        auto* bestFit = w.window.findChild<QCheckBox*>("CheckBoxBestFit");
        QStatusTipEvent tip(bestFit->statusTip());
        QApplication::sendEvent(bestFit, &tip);
        QCOMPARE(w.window.hintPanel()->text(),
                 QString("This Sets Row and Column Slopes to Calulated Field Best Fit Values"));
        // The mouse resting on a tool bar button.
        QWidget* save = w.window.menu()->toolBar()->widgetForAction(w.action("FileSaveItem"));
        QTest::mouseMove(save);
        QTRY_COMPARE(w.window.hintPanel()->text(), QString("Save current file"));
        QCOMPARE(w.window.findChild<QCheckBox*>("CheckBox_ColBlend")->toolTip(), QString("Blend at Row Breaks"));
        QCOMPARE(w.window.findChild<QCheckBox*>("CheckBox_RowBlend")->toolTip(), QString("Blend at Column Breaks"));
    }

    void preferencesChangeTheUnitCaptions() {
        Window w;
        w.open(kDemo);
        w.prompt.onPreferences = [](Preferences& p) {
            p.feet = false;
            p.RodReadings = true;
        };
        w.action("PreferencesItem")->trigger();
        QCOMPARE(w.label("Label19"), QString("Rod Readings"));
        QCOMPARE(w.label("Label30"), QString("meters"));
        QCOMPARE(w.label("LabelBFUnit"), QString("Cu.Meters"));
        QCOMPARE(w.label("Label36"), QString("Cubic Meters"));
        QCOMPARE(w.label("Label44"), QString("Cu. Meters/Hectare"));
        // The field was designed again with the new preferences.
        QCOMPARE(w.label("Label_CVol"), QString::fromStdString(w.session.panel.totalCut));
        QCOMPARE(w.page(ResultGrid::Yardbook)->view()->model()->index(2, 2).data().toString(),
                 QString::fromStdString(w.session.results.yardbookText(3, 3)));
    }

    void closingAsksTheSession() {
        Window w;
        w.prompt.answers = {Answer::No};
        QVERIFY(!w.window.close());
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.prompt.messages.back(), std::string("question: Exit Tarnwick?"));
        w.prompt.answers = {Answer::Yes};
        w.action("FileExitItem")->trigger();
        QVERIFY(!w.window.isVisible());
    }

    void anErrorInACommandBecomesAnErrorBoxAndTheProgramGoesOn() {
        Window w;
        w.open(kSectors);
        // Edit > Cut asks first about the sectors; the question fails.
        w.prompt.onQuestion = [](const std::string&) { throw std::runtime_error("The dialog went away."); };
        w.session.selection = {5, 5, 6, 6};
        QString shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                    shown = box->text();
                    box->accept();
                }
        });
        w.action("EditCutItem")->trigger();
        QCOMPARE(shown, QString("The dialog went away."));
        QCOMPARE(w.session.field.NumSectors, 3);
        w.prompt.onQuestion = nullptr;
        // The window goes on: the next command runs.
        w.session.finishEdit(3, 3, "101.00");
        QCOMPARE(w.window.surveyPage()->model()->index(2, 2).data().toString(), QString("101.00"));
    }

    void demoFieldInTheResultGrids() {
        Window w;
        w.open(kDemo);
        QCOMPARE(w.window.fileNamePanel()->text(), kDemo);
        QCOMPARE(w.window.pages()->currentIndex(), 0);
        const ResultGrids& r = w.session.results;
        QVERIFY(r.filled());
        QSet<QRgb> colours;
        for (ResultGrid grid : {ResultGrid::Yardbook, ResultGrid::FullDesign, ResultGrid::FinalElevations}) {
            QAbstractItemModel* m = w.page(grid)->view()->model();
            int nonEmpty = 0;
            for (int row = 1; row <= 12; ++row) {
                for (int col = 1; col <= 12; ++col) {
                    std::string text;
                    CellColour colour = CellColour::Default;
                    switch (grid) {
                        case ResultGrid::Yardbook:
                            text = r.yardbookText(col, row);
                            colour = r.yardbookColour(col, row);
                            break;
                        case ResultGrid::FullDesign:
                            text = r.fullDesignText(col, row);
                            colour = r.fullDesignColour(col, row);
                            break;
                        case ResultGrid::FinalElevations:
                            text = r.finalElevationText(col, row);
                            colour = r.finalElevationColour(col, row);
                            break;
                    }
                    const QModelIndex i = m->index(row - 1, col - 1);
                    QCOMPARE(i.data().toString(), QString::fromStdString(text));
                    QCOMPARE(i.data(Qt::ForegroundRole).value<QColor>(), colourOf(colour));
                    QCOMPARE(i.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
                    if (!text.empty()) ++nonEmpty;
                    if (colour != CellColour::Default) colours.insert(colourOf(colour).rgb());
                }
            }
            QVERIFY(nonEmpty > 100);
            QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QString("C"));
            QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        }
        QCOMPARE(colours.size(), 3);  // cuts, grades and fills all occur
        // The Yardbook's totals sit after the last station row and column.
        QAbstractItemModel* yardbook = w.page(ResultGrid::Yardbook)->view()->model();
        const int n = r.numRows();
        QCOMPARE(yardbook->headerData(n + 1, Qt::Vertical).toString(), QString("Cut"));
        QCOMPARE(yardbook->headerData(n + 2, Qt::Vertical).toString(), QString("Fill"));
        QCOMPARE(yardbook->index(n + 1, 0).data().toString(), QString::fromStdString(r.yardbookText(1, n + 2)));
        QCOMPARE(yardbook->index(n + 1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        // Full Design: three rows per station row.
        QAbstractItemModel* full = w.page(ResultGrid::FullDesign)->view()->model();
        QCOMPARE(full->headerData(3, Qt::Vertical).toString(), QString("2"));
        QCOMPARE(full->headerData(4, Qt::Vertical).toString(), QString("-"));
        // The side panel shows the session's captions.
        QCOMPARE(w.label("avgEl"), QString::fromStdString(w.session.info.avgEl));
        QCOMPARE(w.label("CSBest"), QString::fromStdString(w.session.info.CSBest));
        QCOMPARE(w.label("BFYardsLbl"), QString::fromStdString(w.session.info.BFYards));
        QCOMPARE(w.label("Label19"), QString("Elevations"));
        QCOMPARE(w.label("Label30"), QString("feet"));
        QCOMPARE(w.label("Label_CVol"), QString::fromStdString(w.session.panel.totalCut));
        QCOMPARE(w.label("Label36"), QString("Cubic Yards"));
        QCOMPARE(w.label("Label44"), QString("Cu. Yards/Acre"));
        QCOMPARE(w.label("Label12"), QString::fromStdString(w.session.panel.compSlope));
        QVERIFY(!w.label("avgEl").isEmpty());
        auto* panel = w.window.sidePanel();
        QCOMPARE(panel->designBox(DesignBox::Ratio)->text(), QString::fromStdString(w.session.panel.ratio));
        QCOMPARE(panel->designBox(DesignBox::ColSlope)->text(), QString::fromStdString(w.session.panel.colSlope));
        // The Design Parameters grid's "Totals" column.
        QAbstractItemModel* params = w.window.resultPages()->designParameters()->model();
        QCOMPARE(params->index(2, 0).data().toString(), QString::fromStdString(w.session.parameters.at(1, 3)));
        QVERIFY(!params->index(2, 0).data().toString().isEmpty());
    }

    void designParametersCaptionsAndWidths() {
        Window w;
        QTableView* view = w.window.resultPages()->designParameters()->view();
        QAbstractItemModel* m = view->model();
        QCOMPARE(m->columnCount(), 16);
        QCOMPARE(m->rowCount(), 9);
        const QStringList rows{"Column Slope ",  "Row Slope ",         "Cut Volume ", "Fill Volume ", "Cut/Fill Ratio ",
                               "Import/Export ", "Average Elevation ", "Area ",       "Cut/Area"};
        for (int r = 0; r < rows.size(); ++r) {
            QCOMPARE(m->headerData(r, Qt::Vertical).toString(), rows[r]);
            QCOMPARE(m->headerData(r, Qt::Vertical, Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignRight | Qt::AlignVCenter));
        }
        const QStringList cols{"Totals",   "", "Sector 1", "", "Sector 2", "", "Sector 3", "",
                               "Sector 4", "", "Sector 5", "", "Sector 6", "", "Sector 7", ""};
        // The grid's proportions, widened as a whole when the font needs it.
        const double scale = view->verticalHeader()->width() / double(DesignParametersTable::columnWidth(0));
        QVERIFY(scale >= 0.99);
        auto expected = [scale](int col) { return DesignParametersTable::columnWidth(col) * scale; };
        for (int c = 0; c < cols.size(); ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), cols[c]);
            QVERIFY2(std::abs(view->columnWidth(c) - expected(c + 1)) <= 1.0, qPrintable(QString::number(c)));
        }
    }

    void viewPairsKeptInStep() {
        Window w;
        for (ResultPage* p : w.viewPages()) {
            QVERIFY(p->fullFieldButton()->isChecked());
            QVERIFY(!p->sectorButton()->isEnabled());  // no sectors
        }
        w.open(kSectors);
        QVERIFY(w.session.sectorDesignEnabled());
        w.window.pages()->setCurrentIndex(MainWindow::YardbookTab);
        ResultPage* yardbook = w.page(ResultGrid::Yardbook);
        QVERIFY(yardbook->sectorButton()->isEnabled());
        QTest::mouseClick(yardbook->sectorButton(), Qt::LeftButton);
        QCOMPARE(w.session.view(), DesignView::Sector);
        for (ResultPage* p : w.viewPages()) {
            QVERIFY(p->sectorButton()->isChecked());
            QVERIFY(!p->fullFieldButton()->isChecked());
        }
        // The outline of sector 1 around its first station, in every grid.
        const TDesignRecord& s = w.session.field.DesignRecords[1];
        const int topLeft = BorderTop | BorderLeft;
        QCOMPARE(yardbook->model()->index(s.FirstRow - 1, s.FirstCol - 1).data(BordersRole).toInt() & topLeft, topLeft);
        ResultPage* full = w.page(ResultGrid::FullDesign);
        QCOMPARE(full->model()->index(3 * s.FirstRow - 3, s.FirstCol - 1).data(BordersRole).toInt() & topLeft, topLeft);
        QCOMPARE(full->model()->index(3 * s.LastRow - 1, s.LastCol - 1).data(BordersRole).toInt() & BorderBottom,
                 int(BorderBottom));
        // The sector view shows the sector design's numbers.
        QCOMPARE(yardbook->model()->index(s.FirstRow - 1, s.FirstCol - 1).data().toString(),
                 QString::fromStdString(w.session.results.yardbookText(s.FirstCol, s.FirstRow)));

        w.window.pages()->setCurrentIndex(MainWindow::FinalElevationsTab);
        QTest::mouseClick(w.page(ResultGrid::FinalElevations)->fullFieldButton(), Qt::LeftButton);
        QCOMPARE(w.session.view(), DesignView::FullField);
        for (ResultPage* p : w.viewPages()) QVERIFY(p->fullFieldButton()->isChecked());
        QCOMPARE(yardbook->model()->index(s.FirstRow - 1, s.FirstCol - 1).data(BordersRole).toInt(), 0);
    }

    void designTabsFollowTheSectors() {
        Window w;
        QTabBar* tabs = w.window.sidePanel()->designTabs();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QString("Entire Field"));
        w.open(kSectors);
        QCOMPARE(tabs->count(), 1 + w.session.field.NumSectors);
        QCOMPARE(tabs->tabText(1), QString("Sector1"));
        auto* bestFit = w.window.findChild<QCheckBox*>("CheckBoxBestFit");
        QVERIFY(bestFit->isVisible());
        tabs->setCurrentIndex(2);
        QCOMPARE(w.session.designTab, 2);
        QVERIFY(!bestFit->isVisible());
        QCOMPARE(w.window.sidePanel()->designBox(DesignBox::ColSlope)->text(),
                 QString::fromStdString(w.session.panel.colSlope));
    }

    void designBoxesPassEntriesOn() {
        Window w;
        w.open(kDemo);
        DesignBoxEdit* ratio = w.window.sidePanel()->designBox(DesignBox::Ratio);
        DesignBoxEdit* colSlope = w.window.sidePanel()->designBox(DesignBox::ColSlope);
        QCOMPARE(ratio->maxLength(), 7);
        const QString cutBefore = w.label("SumTotalCut");

        // A slope above 20 beeps and the remembered value comes back.
        colSlope->setFocus();
        const QString slope = colSlope->text();
        colSlope->selectAll();
        QTest::keyClicks(colSlope, "25");
        QCOMPARE(colSlope->text(), slope);
        QCOMPARE(w.prompt.messages.back(), std::string("beep"));

        // Letters are refused; a changed box is red until Return designs again.
        ratio->setFocus();
        ratio->selectAll();
        QTest::keyClicks(ratio, "x1.5");
        QCOMPARE(ratio->text(), QString("1.5"));
        QVERIFY(ratio->changed());
        QCOMPARE(ratio->palette().color(QPalette::Text), QColor(255, 0, 0));
        QTest::keyClick(ratio, Qt::Key_Return);
        QVERIFY(!ratio->hasFocus());
        QCOMPARE(w.session.field.DesignRecords[0].CutFillRatio, 1.5);
        QVERIFY(!ratio->changed());
        QCOMPARE(ratio->text(), QString("1.50"));
        QVERIFY(w.label("SumTotalCut") != cutBefore);
    }

    void promptFiltersAndExtensions() {
        QCOMPARE(dialogFilter("Field Files (*.fld)|*.fld|All files (*.*)|*.*"),
                 QString("Field Files (*.fld);;All files (*.*)"));
        QCOMPARE(dialogFilter("Yardbook Files|*.fld"), QString("Yardbook Files (*.fld)"));
        QCOMPARE(withDefaultExtension("/tmp/north", "fld"), QString("/tmp/north.fld"));
        QCOMPARE(withDefaultExtension("/tmp/north.txt", "fld"), QString("/tmp/north.txt"));
        QCOMPARE(withDefaultExtension("/tmp/v1.2/north", "fld"), QString("/tmp/v1.2/north.fld"));
    }

    void aboutBoxAndSplash() {
        AboutBox about;
        QCOMPARE(about.windowTitle(), QString("About "));
        QCOMPARE(about.versionLabel()->text(), QString("V1.80"));
        Splash splash(0);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.findChild<QLabel*>("Version")->text(), QString("V1.80"));
        splash.showCentred();
        QVERIFY(splash.isVisible());
        splash.finish();
        QVERIFY(!splash.isVisible());
    }

    void missingGuideIsReported() {
        Window w;
        w.window.setGuideFolders({QDir::temp().filePath("no-such-guide-folder")});
        w.action("HelpContentsItem")->trigger();
        QVERIFY(QString::fromStdString(w.prompt.messages.back()).startsWith("warning: "));
        QVERIFY(w.window.isVisible());
        w.window.setGuideFolders({QStringLiteral(TARNWICK_SOURCE_DIR "/docs/guide")});
        w.action("HelpContentsItem")->trigger();
        auto* help = w.window.findChild<QWidget*>("HelpViewer");
        QVERIFY(help && help->isVisible());
        help->close();
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

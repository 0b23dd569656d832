// The design tools driven through the main window: "Minimize Yardage" on the
// design tab, the cut/fill ratio check over cells picked on the Yardbook
// grid, and the two Options commands that rewrite the readings, each with
// its real dialog.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "gui/design/side_panel.h"
#include "gui/shell/gui_prompt.h"
#include "gui/shell/main_window.h"
#include "core/base/number_format.h"
#include "gui/design/result_pages.h"
#include "core/session/design_tools.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"
#include "support/scripted_window.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kDemo = QStringLiteral(TARNWICK_SOURCE_DIR "/examples/demo.fld");
const QString kSectors = QStringLiteral(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld");

// What the views of a main window show.
struct Views {
    MainWindow& window;

    template <class T>
    T* child(const char* name) const {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    QString label(const char* name) const {
        auto* l = child<QLabel>(name);
        return l ? l->text().trimmed() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }
    QString survey(int col, int row) const {
        QAbstractItemModel* m = window.surveyPage()->model();
        return m->data(m->index(row - 1, col - 1), Qt::DisplayRole).toString();
    }
    ResultPage* yardbook() const { return window.resultPages()->yardbook(); }
    QTableView* yardbookGrid() const { return yardbook()->view(); }
    // Selects a block of the Yardbook grid, columns and rows from 1.
    void selectYardbook(int firstCol, int firstRow, int lastCol, int lastRow) const {
        QAbstractItemModel* m = yardbookGrid()->model();
        yardbookGrid()->selectionModel()->select(
            QItemSelection(m->index(firstRow - 1, firstCol - 1), m->index(lastRow - 1, lastCol - 1)),
            QItemSelectionModel::ClearAndSelect);
    }
    QPoint cellCentre(int col, int row) const {
        return yardbookGrid()->visualRect(yardbookGrid()->model()->index(row - 1, col - 1)).center();
    }
    // Each move goes to another cell: a move to where the mouse already is
    // is no move.
    void moveMouseOverYardbook() {
        moves = (moves + 1) % 4;
        QTest::mouseMove(yardbookGrid()->viewport(), cellCentre(2 + moves, 2));
    }
    int moves = 0;
};

std::vector<CellPos> block(int firstCol, int firstRow, int lastCol, int lastRow) {
    std::vector<CellPos> cells;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) cells.push_back({c, r});
    return cells;
}

// The main window over the program's own prompt: real message boxes and dialogs.
struct RealWindow {
    GuiPrompt prompt;
    Session session{prompt};
    MainWindow window{session};
    Views views{window};

    RealWindow() {
        prompt.setParentWidget(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
    }
    void open(const QString& path) { QVERIFY(session.openFieldCommand(path.toStdString())); }
};

// Hands the next modal dialog to `act` once it shows; `act` must close it.
// The flag tells whether a dialog was seen.
std::shared_ptr<bool> whenDialogShows(std::function<void(QDialog&)> act) {
    auto seen = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act, seen, ticks] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*ticks < 1000) return;
        timer->stop();
        timer->deleteLater();
        if (!dialog) return;
        *seen = true;
        act(*dialog);
    });
    timer->start();
    return seen;
}

QString text(QDialog& d, const char* name) {
    auto* l = d.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

void press(QDialog& d, const char* button) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(button));
    if (b)
        b->click();
    else
        d.reject();
}

// Records the caption a button shows each time it is painted.
class PaintedCaptions : public QObject {
public:
    explicit PaintedCaptions(QPushButton* b) : button_(b) { b->installEventFilter(this); }
    QStringList captions;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == button_ && e->type() == QEvent::Paint) captions << button_->text();
        return false;
    }

private:
    QPushButton* button_;
};

}  // namespace

class ToolsTest : public QObject {
    Q_OBJECT

private slots:
    void minimizeYardageLeavesTheBoxFirst_data() {
        QTest::addColumn<bool>("mouse");
        QTest::newRow("mouse click") << true;
        QTest::newRow("click without moving the focus") << false;
    }

    void minimizeYardageLeavesTheBoxFirst() {
        QFETCH(bool, mouse);
        ScriptedWindow w;
        Views v{w.window};
        w.open(kDemo);
        QCheckBox* bestFit = v.child<QCheckBox>("CheckBoxBestFit");
        bestFit->click();
        QVERIFY(bestFit->isChecked());

        // A ratio typed into its box and not yet left.
        DesignBoxEdit* ratio = w.window.sidePanel()->designBox(DesignBox::Ratio);
        ratio->setFocus(Qt::TabFocusReason);
        ratio->selectAll();
        const double ratioBefore = w.session.field.DesignRecords[0].CutFillRatio;
        QVERIFY(ratioBefore != 1.5);
        QTest::keyClicks(ratio, "1.50");
        QCOMPARE(w.session.field.DesignRecords[0].CutFillRatio, ratioBefore);

        QPushButton* button = w.window.sidePanel()->minimizeButton();
        QVERIFY(button->isEnabled());
        QVERIFY(button->isVisible());
        PaintedCaptions painted(button);
        if (mouse)
            QTest::mouseClick(button, Qt::LeftButton);
        else
            button->click();

        // The same field designed at that ratio by the command alone.
        ScriptedPrompt prompt;
        Session expected(prompt);
        QVERIFY(expected.openFieldCommand(kDemo.toStdString()));
        expected.field.DesignRecords[0].CutFillRatio = 1.5;
        expected.recalculate();
        const std::optional<SlopeSearchResult> found = minimizeYardage(expected);
        QVERIFY(found);

        const TDesignRecord& rec = w.session.field.DesignRecords[0];
        QCOMPARE(rec.CutFillRatio, 1.5);
        QCOMPARE(rec.RowSlope, found->rowSlope);
        QCOMPARE(rec.ColSlope, found->colSlope);
        QCOMPARE(v.label("CSBest"), QString::fromStdString(formatFixed(found->colSlope, 3)));
        QCOMPARE(v.label("RSBest"), QString::fromStdString(formatFixed(found->rowSlope, 3)));
        QCOMPARE(v.label("BFYardsLbl"), QString::fromStdString(formatFixed(*found->leastCut, 0)));
        QCOMPARE(w.window.sidePanel()->designBox(DesignBox::ColSlope)->text(),
                 QString::fromStdString(expected.panel.colSlope));
        QCOMPARE(w.window.sidePanel()->designBox(DesignBox::RowSlope)->text(),
                 QString::fromStdString(expected.panel.rowSlope));
        QCOMPARE(v.label("Label_CVol"), QString::fromStdString(expected.panel.totalCut).trimmed());
        QVERIFY(!bestFit->isChecked());
        QVERIFY(!w.session.useBestFitSlopes);

        // "Minimizing..." was on the button while the search ran.
        QVERIFY2(painted.captions.contains(QString(kMinimizingCaption)), qPrintable(painted.captions.join('|')));
        QCOMPARE(button->text(), QString(kMinimizeCaption));
        QVERIFY(w.prompt.messages.empty());
    }

    void ratioCheckButtonFollowsTheSelection() {
        ScriptedWindow w;
        Views v{w.window};
        w.open(kDemo);
        w.window.pages()->setCurrentIndex(MainWindow::YardbookTab);
        QCOMPARE(w.window.pages()->currentIndex(), int(MainWindow::YardbookTab));
        QPushButton* button = v.yardbook()->ratioCheckButton();
        QVERIFY(button);
        QCOMPARE(button->text(), QString("Check Cut/Fill Ratio"));
        QVERIFY(button->isHidden());

        // A click, then a Ctrl+click on a cell far away: two cells.
        QWidget* viewport = v.yardbookGrid()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, v.cellCentre(2, 3));
        v.moveMouseOverYardbook();
        QVERIFY(button->isHidden());
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, v.cellCentre(5, 6));
        QCOMPARE(v.yardbook()->selectedCells().size(), size_t(2));
        v.moveMouseOverYardbook();
        QVERIFY(button->isVisible());

        // One cell left: the next move hides it.
        v.selectYardbook(4, 4, 4, 4);
        v.moveMouseOverYardbook();
        QVERIFY(button->isHidden());
    }

    void ratioCheckTakesTheYardbookSelection() {
        ScriptedWindow w;
        Views v{w.window};
        w.open(kDemo);
        w.window.pages()->setCurrentIndex(MainWindow::YardbookTab);
        // Wider than high: swapped columns and rows would pick other stations.
        v.selectYardbook(3, 10, 16, 14);
        const std::vector<CellPos> cells = block(3, 10, 16, 14);
        QCOMPARE(v.yardbook()->selectedCells().size(), cells.size());
        v.moveMouseOverYardbook();

        // The pop-up menu has the one command.
        QTableView* grid = v.yardbookGrid();
        const QPoint at = v.cellCentre(5, 3);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &click);
        QMenu* popup = v.yardbook()->popupMenu();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->actions().size(), 1);
        QCOMPARE(popup->actions().front()->text(), QString("Check Cut/Fill Ratio..."));
        popup->actions().front()->trigger();
        popup->close();
        // The Design menu's item and the button above the grid do the same.
        w.action("CheckRatioItem")->trigger();
        QTest::mouseClick(v.yardbook()->ratioCheckButton(), Qt::LeftButton);
        QCOMPARE(w.prompt.ratioChecks.size(), size_t(3));

        // What the command shows for those stations named one by one.
        const double rowSlope = w.session.field.DesignRecords[0].RowSlope;
        ScriptedPrompt prompt;
        Session expected(prompt);
        QVERIFY(expected.openFieldCommand(kDemo.toStdString()));
        QVERIFY(checkCutFillRatio(expected, cells));
        const RatioCheckForm& want = prompt.ratioChecks.front();
        QVERIFY(want.fullRatio != "0.00");
        for (const RatioCheckForm& shown : w.prompt.ratioChecks) {
            QCOMPARE(shown.fullRatio, want.fullRatio);
            QCOMPARE(shown.fullDirection, want.fullDirection);
            QCOMPARE(shown.fullChange, want.fullChange);
            QVERIFY(!shown.sectorLineShown);
        }
        // The design and the selection are as they were.
        QCOMPARE(w.session.field.DesignRecords[0].RowSlope, rowSlope);
        QCOMPARE(v.yardbook()->selectedCells().size(), cells.size());
        QVERIFY(w.prompt.messages.empty());
    }

    void ratioCheckDialogShowsTheLines_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("sectorLine");
        QTest::newRow("whole field") << kDemo << false;
        QTest::newRow("with sectors") << kSectors << true;
    }

    void ratioCheckDialogShowsTheLines() {
        QFETCH(QString, field);
        QFETCH(bool, sectorLine);
        RealWindow w;
        w.open(field);
        w.window.pages()->setCurrentIndex(MainWindow::YardbookTab);
        w.views.selectYardbook(3, 10, 16, 14);

        struct Shown {
            QString title;
            QStringList texts;
            bool sectorVisible = false;
            bool fixed = false;
            QPoint offCentre;
        } shown;
        const char* names[] = {"FullCaptionLabel",   "FullRatioLabel",   "FullDirectionLabel",   "FullChangeLabel",
                               "SectorCaptionLabel", "SectorRatioLabel", "SectorDirectionLabel", "SectorChangeLabel"};
        auto seen = whenDialogShows([&](QDialog& d) {
            shown.title = d.windowTitle();
            for (const char* name : names) shown.texts << text(d, name);
            auto* sector = d.findChild<QLabel*>("SectorCaptionLabel");
            shown.sectorVisible = sector && sector->isVisible();
            shown.fixed = d.minimumSize() == d.maximumSize() && d.size() == d.minimumSize();
            shown.offCentre = d.frameGeometry().center() - d.screen()->availableGeometry().center();
            press(d, "OKBtn");
        });
        QTest::mouseClick(w.views.yardbook()->ratioCheckButton(), Qt::LeftButton);
        QVERIFY(*seen);

        ScriptedPrompt prompt;
        Session expected(prompt);
        QVERIFY(expected.openFieldCommand(field.toStdString()));
        QVERIFY(checkCutFillRatio(expected, block(3, 10, 16, 14)));
        const RatioCheckForm& f = prompt.ratioChecks.front();
        QCOMPARE(shown.title, QString("Check Cut/Fill Ratio"));
        QCOMPARE(shown.texts.mid(0, 4),
                 (QStringList{"Full Field - Actual Cut/Fill Ratio:", QString::fromStdString(f.fullRatio),
                              QString::fromStdString(f.fullDirection), QString::fromStdString(f.fullChange)}));
        QVERIFY(shown.texts[2] == "Raise Elevation" || shown.texts[2] == "Lower Elevation");
        QCOMPARE(shown.sectorVisible, sectorLine);
        if (sectorLine)
            QCOMPARE(shown.texts.mid(4),
                     (QStringList{"Sectors - Actual Cut/Fill Ratio:", QString::fromStdString(f.sectorRatio),
                                  QString::fromStdString(f.sectorDirection), QString::fromStdString(f.sectorChange)}));
        QVERIFY(shown.fixed);
        QVERIFY2(qAbs(shown.offCentre.x()) <= 2 && qAbs(shown.offCentre.y()) <= 2,
                 qPrintable(QString("%1,%2").arg(shown.offCentre.x()).arg(shown.offCentre.y())));
    }

    void convertDataDialogRewritesTheGrid() {
        RealWindow w;
        w.open(kDemo);
        w.window.showSurveyPage();
        const double c3 = parseReading(w.views.survey(3, 3).toStdString());
        const QString emptyBefore = w.views.survey(2, 1);
        QCOMPARE(w.views.label("Label19"), QString("Elevations"));

        QStringList texts;
        auto seen = whenDialogShows([&](QDialog& d) {
            texts << d.windowTitle() << text(d, "CurrentTypeLabel") << text(d, "TargetTypeLabel");
            auto* box = d.findChild<QLineEdit*>("BenchMarkEdit");
            texts << (box ? box->text() : QString());
            // The value is selected: typing replaces it.
            if (box && d.focusWidget() == box) QTest::keyClicks(box, "105");
            press(d, "OKBtn");
        });
        w.views.child<QAction>("ConvertDataTypeItem")->trigger();
        QVERIFY(*seen);
        QCOMPARE(texts, (QStringList{"Convert Data", "Elevations", "Rod Readings", "0.00"}));

        QCOMPARE(w.views.survey(3, 3), QString::fromStdString(formatFixed(105 - c3, 2)));
        QCOMPARE(w.views.survey(2, 1), emptyBefore);
        QVERIFY(w.session.field.prefs.RodReadings);
        QCOMPARE(w.views.label("Label19"), QString("Rod Readings"));
    }

    void laserDialogEnterMovesOnAndAdjusts() {
        RealWindow w;
        w.open(kDemo);
        w.window.showSurveyPage();
        QCOMPARE(w.session.field.prefs.rowSpacing(), 100);
        QCOMPARE(w.session.field.prefs.colSpacing(), 100);
        auto reading = [&](int c, int r) { return parseReading(w.views.survey(c, r).toStdString()); };
        const double a3 = reading(1, 3), c1 = reading(3, 1), c3 = reading(3, 3), d4 = reading(4, 4);

        QStringList focusChain;
        QString title, hint;
        auto seen = whenDialogShows([&](QDialog& d) {
            title = d.windowTitle();
            hint = d.toolTip();
            // Row slope 0.10, column slope -0.05, reference C3, each ended by Enter.
            for (const char* typed : {"0.10", "-0.05", "C3"}) {
                QWidget* box = d.focusWidget();
                focusChain << (box ? box->objectName() : QString());
                if (!box) break;
                QTest::keyClicks(box, typed);
                QTest::keyClick(box, Qt::Key_Return);
            }
            focusChain << (d.focusWidget() ? d.focusWidget()->objectName() : QString());
            if (d.focusWidget() && d.focusWidget()->objectName() == "OKBtn")
                QTest::keyClick(d.focusWidget(), Qt::Key_Return);
            else
                d.reject();
        });
        w.views.child<QAction>("LaserAdjustmentItem")->trigger();
        QVERIFY(*seen);
        QCOMPARE(title, QString("Laser Survey Adjustment"));
        QCOMPARE(hint, QString("Convert Survey Readings when survey with Laser Slope"));
        QCOMPARE(focusChain, (QStringList{"RowSlopeEdit", "ColSlopeEdit", "ReferenceStationEdit", "OKBtn"}));

        // The row slope acts from column to column, the column slope from row to row.
        auto shown = [](double v) { return QString::fromStdString(formatFixed(v, 2)); };
        QCOMPARE(w.views.survey(3, 3), shown(c3));
        QCOMPARE(w.views.survey(1, 3), shown(a3 + 0.20));
        QCOMPARE(w.views.survey(3, 1), shown(c1 - 0.10));
        QCOMPARE(w.views.survey(4, 4), shown(d4 - 0.05));
    }

    void laserDialogTexts() {
        RealWindow w;
        w.open(kDemo);
        QStringList texts;
        auto seen = whenDialogShows([&](QDialog& d) {
            for (QLabel* l : d.findChildren<QLabel*>()) texts << l->text();
            for (const char* name : {"RowSlopeEdit", "ColSlopeEdit", "ReferenceStationEdit"}) {
                auto* box = d.findChild<QLineEdit*>(name);
                texts << (box ? box->text() : QString("<missing>"));
            }
            press(d, "CancelBtn");
        });
        w.views.child<QAction>("LaserAdjustmentItem")->trigger();
        QVERIFY(*seen);
        QCOMPARE(texts, (QStringList{"Enter Laser  Slope", "Row  Slope (1-100)", "Column Slope (A-CZ)",
                                     "Laser Reference Station:", "Column-Row", "0.00", "0.00", "A1"}));
    }

    void cancelStillRecalculates_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("Convert Data Type") << "ConvertDataTypeItem";
        QTest::newRow("Laser Survey Adjustment") << "LaserAdjustmentItem";
    }

    void cancelStillRecalculates() {
        QFETCH(QString, item);
        ScriptedWindow w;
        Views v{w.window};
        w.open(kDemo);
        // A reading changed behind the window's back: only a recalculation shows it.
        w.session.field.Survey.setText(5, 5, "120.00");
        const QString average = v.label("avgEl");
        w.action(item.toLatin1().constData())->trigger();
        QCOMPARE(w.session.field.Survey.text(5, 5), std::string("120.00"));
        QVERIFY(!w.session.field.prefs.RodReadings);
        QVERIFY(v.label("avgEl") != average);
        QVERIFY(w.prompt.messages.empty());
    }
};

QTEST_MAIN(ToolsTest)
#include "tools_test.moc"

// Sectors, blending, slope steppers, partial stations and forced final
// elevations driven through the main window, and the design they make
// kept by the field file.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "gui/design/side_panel.h"
#include "gui/shell/main_window.h"
#include "core/base/number_format.h"
#include "gui/design/result_models.h"
#include "gui/design/result_pages.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"
#include "support/scripted_window.h"
#include "gui/field/survey_page.h"
#include "gui/field/survey_view.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kDemo = QStringLiteral(TARNWICK_SOURCE_DIR "/examples/demo.fld");
const QString kSectors = QStringLiteral(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld");

}  // namespace

class SectorsTest : public QObject {
    Q_OBJECT

    struct Window : ScriptedWindow {
        QAction* surveyPopup(const char* name) {
            return window.surveyPage()->popupMenu()->findChild<QAction*>(QString::fromLatin1(name));
        }
        template <class T>
        T* child(const char* name) {
            return window.findChild<T*>(QString::fromLatin1(name));
        }
        QTabBar* tabs() { return window.sidePanel()->designTabs(); }
        ResultPage* finalElevations() { return window.resultPages()->finalElevations(); }
        // Drags the mouse over a rectangle of the Survey grid.
        void selectCells(int firstCol, int firstRow, int lastCol, int lastRow) {
            SurveyView* grid = window.surveyPage()->grid();
            QAbstractItemModel* m = grid->model();
            grid->setCurrentIndex(m->index(firstRow - 1, firstCol - 1));
            grid->selectionModel()->select(
                QItemSelection(m->index(firstRow - 1, firstCol - 1), m->index(lastRow - 1, lastCol - 1)),
                QItemSelectionModel::ClearAndSelect);
        }
        // Types `text` into a Final Elevations cell and presses Enter.
        void typeElevation(int col, int row, const QString& text) {
            window.pages()->setCurrentIndex(MainWindow::FinalElevationsTab);
            QTableView* view = finalElevations()->view();
            view->setFocus();
            view->setCurrentIndex(view->model()->index(row - 1, col - 1));
            if (text.isEmpty()) {
                QTest::keyClick(view, Qt::Key_F2);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            } else {
                QTest::keyClick(view, text[0].toLatin1());
                QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
            }
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor);
            QCOMPARE(editor->text(), text);
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_VERIFY(!view->indexWidget(view->model()->index(row - 1, col - 1)));
        }
        QString finalElevationText(int col, int row) {
            return finalElevations()->model()->index(row - 1, col - 1).data().toString();
        }
        const TDesignRecord& rec(int k) const { return session.field.DesignRecords[size_t(k)]; }
        const TFieldData& station(int col, int row) const { return session.field.FieldData[size_t(col)][size_t(row)]; }
    };

    // What the field file must give back.
    struct Design {
        int sectors = 0;
        bool colBlend = false, rowBlend = false;
        std::vector<std::array<double, 10>> records;  // rectangle, slopes, ratio, volume, totals
        std::vector<double> secNE, fullNE, weights;
        std::vector<int> pictures;
        QStringList tabs;
    };
    static Design designOf(Window& w, const QList<QPoint>& stations) {
        Design d;
        const Field& f = w.session.field;
        d.sectors = f.NumSectors;
        d.colBlend = f.blend.colChecked;
        d.rowBlend = f.blend.rowChecked;
        for (int k = 0; k <= f.NumSectors; ++k) {
            const TDesignRecord& r = w.rec(k);
            d.records.push_back({double(r.FirstCol), double(r.FirstRow), double(r.LastCol), double(r.LastRow),
                                 r.RowSlope, r.ColSlope, r.CutFillRatio, r.ImportExport, r.TotalCut, r.TotalFill});
        }
        for (QPoint p : stations) {
            d.secNE.push_back(w.station(p.x(), p.y()).SecNE);
            d.fullNE.push_back(w.station(p.x(), p.y()).FullNE);
            d.weights.push_back(f.weight(p.x(), p.y()));
            d.pictures.push_back(f.Survey.picture(p.x(), p.y()));
        }
        for (int i = 0; i < w.tabs()->count(); ++i) d.tabs << w.tabs()->tabText(i);
        return d;
    }

private slots:
    void designMadeInTheWindowIsKeptByTheFile() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString saved = folder.filePath(QStringLiteral("two-sectors.fld"));
        QList<QPoint> stations{{1, 1}, {7, 12}, {15, 20}, {16, 1}, {25, 18}, {2, 25}, {4, 26}, {5, 30}, {30, 40}};
        Design before;
        {
            Window w;
            w.open(kDemo);
            QCOMPARE(w.session.field.NumCols, 30);
            QCOMPARE(w.session.field.NumRows, 40);

            // Two sectors side by side, each from a selection and the dialog.
            struct Sector {
                QRect cells;
                double colSlope, rowSlope;
                const char* heading;
            };
            const Sector sectors[] = {{QRect(QPoint(1, 1), QPoint(15, 20)), 0.1, 0.05, "Sector [1] - A1:O20"},
                                      {QRect(QPoint(16, 1), QPoint(30, 20)), 0.2, -0.1, "Sector [2] - P1:AD20"}};
            for (const Sector& s : sectors) {
                w.selectCells(s.cells.left(), s.cells.top(), s.cells.right(), s.cells.bottom());
                std::string heading;
                w.prompt.onSectorSlope = [&](SectorSlopeForm& f) {
                    heading = f.heading;
                    f.colSlope = s.colSlope;
                    f.rowSlope = s.rowSlope;
                    f.ratio = 1.2;
                    return true;
                };
                w.action("SetSectorSlopeItem")->trigger();
                QCOMPARE(heading, std::string(s.heading));
            }
            QCOMPARE(w.session.field.NumSectors, 2);
            QCOMPARE(w.tabs()->count(), 3);
            QCOMPARE(w.tabs()->tabText(2), QString("Sector2"));
            QCOMPARE(w.tabs()->currentIndex(), 2);
            QCOMPARE(w.session.field.Survey.picture(16, 1), kPictureFirstSector + 1);
            QVERIFY(w.finalElevations()->sectorButton()->isChecked());

            // Sector 1 ends before the last column and row: both Blend boxes
            // are offered; checking one unchecks the other.
            auto* colBlend = w.child<QCheckBox>("CheckBox_ColBlend");
            auto* rowBlend = w.child<QCheckBox>("CheckBox_RowBlend");
            QVERIFY(colBlend->isEnabled() && rowBlend->isEnabled());
            QTest::mouseClick(rowBlend, Qt::LeftButton);
            QVERIFY(w.session.field.blend.rowChecked);
            QTest::mouseClick(colBlend, Qt::LeftButton);
            QVERIFY(w.session.field.blend.colChecked && !w.session.field.blend.rowChecked);
            QVERIFY(colBlend->isChecked() && !rowBlend->isChecked());

            // Each blend gave sector 2 one of sector 1's slopes, and they stay.
            SidePanel* panel = w.window.sidePanel();
            QCOMPARE(w.rec(2).RowSlope, 0.05);
            QCOMPARE(w.rec(2).ColSlope, 0.1);
            QCOMPARE(panel->designBox(DesignBox::ColSlope)->text(), QString("0.100"));
            // The steppers turn sector 2's plane; the common column slope
            // follows into sector 1.
            QTest::mouseClick(w.child<QToolButton>("UpDown1Up"), Qt::LeftButton);
            QTest::mouseClick(w.child<QToolButton>("UpDown2Down"), Qt::LeftButton);
            QCOMPARE(w.rec(2).ColSlope, 0.105);
            QCOMPARE(w.rec(1).ColSlope, 0.105);
            QCOMPARE(w.rec(2).RowSlope, 0.045);
            QCOMPARE(w.rec(1).RowSlope, 0.05);
            QCOMPARE(panel->designBox(DesignBox::ColSlope)->text(), QString("0.105"));
            QCOMPARE(panel->designBox(DesignBox::RowSlope)->text(), QString("0.045"));
            const auto [comp, angle] = compoundSlopeText(0.045, 0.105);
            QCOMPARE(w.child<QLabel>("Label12")->text(), QString::fromStdString(comp));
            QCOMPARE(w.child<QLabel>("Label14")->text(), QString::fromStdString(angle));

            // Half-size stations from the Survey grid's pop-up menu.
            w.selectCells(2, 25, 4, 26);
            w.prompt.onPartialStation = [](PartialStationForm& f) {
                f.percent = 50;
                return true;
            };
            w.surveyPopup("PopupSetPartialStation")->trigger();
            QCOMPARE(w.session.field.weight(3, 26), 0.5);
            QCOMPARE(w.session.field.Survey.picture(4, 25), kPicturePartial);
            QCOMPARE(w.session.field.Survey.picture(5, 25), 0);

            // A final elevation typed on the whole-field view moves record 0.
            QTest::mouseClick(w.finalElevations()->fullFieldButton(), Qt::LeftButton);
            const double secondSector = w.station(25, 18).SecNE;
            w.typeElevation(5, 30, "101.5");
            QCOMPARE(w.station(5, 30).FullNE, 101.5);
            QCOMPARE(w.finalElevationText(5, 30), QString("101.50"));
            QCOMPARE(w.station(25, 18).SecNE, secondSector);
            QCOMPARE(w.session.designTab, 0);
            QCOMPARE(panel->designBox(DesignBox::Ratio)->text(),
                     QString::fromStdString(formatFixed(w.rec(0).CutFillRatio, 2)));
            // The cursor stays where the value was typed.
            QCOMPARE(w.finalElevations()->view()->currentIndex(), w.finalElevations()->model()->index(29, 4));

            w.prompt.files = {saved.toStdString()};
            w.action("FileSaveAsItem")->trigger();
            QVERIFY(w.session.FieldSaved);
            // The file keeps the forced plane's ratio, not the plane: opening
            // designs the whole field again for it, as ReCalc does here.
            w.session.field.DesignRecords[0].CutFillRatio = roundTo(w.rec(0).CutFillRatio, 2);
            w.session.reCalc();
            before = designOf(w, stations);
        }
        Window again;
        again.open(saved);
        const Design after = designOf(again, stations);
        QCOMPARE(after.sectors, 2);
        QCOMPARE(after.tabs, (QStringList{"Entire Field", "Sector1", "Sector2"}));
        QVERIFY(after.colBlend && !after.rowBlend);
        QVERIFY(again.child<QCheckBox>("CheckBox_ColBlend")->isChecked());
        QCOMPARE(after.records, before.records);
        QCOMPARE(after.secNE, before.secNE);
        QCOMPARE(after.fullNE, before.fullNE);
        QCOMPARE(after.weights, before.weights);
        QCOMPARE(after.weights[5], 0.5);
        QCOMPARE(after.pictures, before.pictures);
        QCOMPARE(after.tabs, before.tabs);
    }

    void finalElevationsEntriesAndPopup() {
        Window w;
        w.open(kDemo);
        // An empty entry, or one that is no number, forces nothing.
        for (const QString& text : {QString(), QStringLiteral("-")}) {
            const QString shown = w.finalElevationText(6, 8);
            const double ne = w.station(6, 8).FullNE;
            w.typeElevation(6, 8, text);
            QCOMPARE(w.station(6, 8).FullNE, ne);
            QCOMPARE(w.finalElevationText(6, 8), shown);
        }
        // Above 999 the cell is emptied and nothing moves.
        const double ne = w.station(6, 8).FullNE;
        w.typeElevation(6, 8, QStringLiteral("1000"));
        QCOMPARE(w.finalElevationText(6, 8), QString());
        QCOMPARE(w.station(6, 8).FullNE, ne);

        // A right-click names the station; the pop-up asks for the value.
        QTableView* view = w.finalElevations()->view();
        QCOMPARE(view->toolTip(), QString("Enter Value to Force an Elevation"));
        const QPoint at = view->visualRect(view->model()->index(3, 2)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &click);
        QCOMPARE(w.session.remembered, (CellPos{3, 4}));
        QMenu* popup = w.finalElevations()->popupMenu();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->actions().size(), 1);
        QCOMPARE(popup->actions().front()->text(), QString("Specify Final Elevation"));
        w.prompt.onSetElevation = [](SetElevationForm& f) {
            f.value = 100.254;
            return true;
        };
        popup->actions().front()->trigger();
        popup->close();
        QCOMPARE(w.station(3, 4).FullNE, 100.25);
        QCOMPARE(w.finalElevationText(3, 4), QString("100.25"));

        // The other result grids stay read-only.
        for (ResultPage* page : {w.window.resultPages()->yardbook(), w.window.resultPages()->fullDesign()}) {
            QCOMPARE(page->view()->editTriggers(), QAbstractItemView::NoEditTriggers);
            QVERIFY(!(page->model()->flags(page->model()->index(0, 0)) & Qt::ItemIsEditable));
        }
        QVERIFY(!w.window.resultPages()->fullDesign()->popupMenu());
    }

    void surveyPopupActsOnTheRightClickedSector() {
        Window w;
        w.open(kSectors);
        const int n = w.session.field.NumSectors;
        QVERIFY(n >= 2);
        const TDesignRecord first = w.rec(1);
        SurveyView* grid = w.window.surveyPage()->grid();
        auto rightClick = [&](int col, int row) {
            const QPoint at = grid->visualRect(grid->model()->index(row - 1, col - 1)).center();
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, at);
            w.window.surveyPage()->popupMenu()->close();
        };
        for (const char* name :
             {"PopupSetPartialStation", "PopupViewSectorInfo", "PopupSetSectorSlope", "PopupDeleteSector"})
            QVERIFY2(w.surveyPopup(name) && w.surveyPopup(name)->isEnabled(), name);

        // Inside sector 1: its information, and the whole sector selected.
        rightClick(first.FirstCol + 1, first.FirstRow + 1);
        std::string heading;
        w.prompt.onSectorInfo = [&](const SectorInfoForm& f) { heading = f.heading; };
        w.surveyPopup("PopupViewSectorInfo")->trigger();
        QCOMPARE(heading, "Sector[1]- " + stationName(first.FirstCol, first.FirstRow) + ":" +
                              stationName(first.LastCol, first.LastRow));
        const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), (first.LastCol - first.FirstCol + 1) * (first.LastRow - first.FirstRow + 1));

        // Only the last sector can go.
        w.surveyPopup("PopupDeleteSector")->trigger();
        QCOMPARE(w.prompt.messages.back(), "error: Must Delete Sector " + std::to_string(n) + " First");
        const TDesignRecord last = w.rec(n);
        rightClick(last.FirstCol, last.FirstRow);
        w.prompt.answers = {Answer::Yes};
        w.surveyPopup("PopupDeleteSector")->trigger();
        QCOMPARE(w.session.field.NumSectors, n - 1);
        QCOMPARE(w.tabs()->count(), n);
        QCOMPARE(w.tabs()->currentIndex(), n - 1);

        // "Clear All Sectors..." from the Design menu.
        w.prompt.answers = {Answer::Yes};
        w.action("ClearAllSectorsItem")->trigger();
        QCOMPARE(w.prompt.messages.back(), std::string("question: Delete All Sectors?"));
        QCOMPARE(w.session.field.NumSectors, 0);
        QCOMPARE(w.tabs()->count(), 1);
        QVERIFY(!w.child<QCheckBox>("CheckBox_ColBlend")->isEnabled());
        QVERIFY(!w.finalElevations()->sectorButton()->isEnabled());
    }

    void designParametersPageShowsTheWholeFieldOnItsTab() {
        Window w;
        w.open(kSectors);
        w.tabs()->setCurrentIndex(0);
        w.session.showDesignRecord(2);  // the panel shows a sector under "Entire Field"
        QCOMPARE(w.session.panel.record, 2);
        w.window.pages()->setCurrentIndex(MainWindow::DesignParametersTab);
        QCOMPARE(w.session.panel.record, 0);
        QCOMPARE(w.window.sidePanel()->designBox(DesignBox::ColSlope)->text(),
                 QString::fromStdString(formatFixed(w.rec(0).ColSlope, 3)));
    }
};

QTEST_MAIN(SectorsTest)
#include "sectors_test.moc"

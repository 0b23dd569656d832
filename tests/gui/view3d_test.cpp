// The "3D View" page in the main window: the station under the mouse, a
// drag that turns and zooms the view, the surface choice and its refresh,
// and the painted picture's height colours.

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "core/base/number_format.h"
#include "core/session/session.h"
#include "core/view3d/projection.h"
#include "gui/shell/main_window.h"
#include "gui/view3d/surface_painter.h"
#include "gui/view3d/surface_widget.h"
#include "gui/view3d/view3d_page.h"
#include "support/scripted_window.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// 12 x 12 stations in three bands across the columns: 90 (A..D), 100
// (E..H) and 110 (I..L), so whole cells lie at the low, middle and high
// end of the colour scale.
double band(int col) {
    return col <= 4 ? 90.0 : col <= 8 ? 100.0 : 110.0;
}

struct Window : ScriptedWindow {
    View3DPage* page() { return window.view3DPage(); }
    SurfaceWidget* plot() { return page()->plot(); }
    Window() {
        for (int r = 1; r <= 12; ++r)
            for (int c = 1; c <= 12; ++c) session.field.Survey.setText(c, r, formatFixed(band(c), 2));
        session.recalculate();
        window.pages()->setCurrentIndex(MainWindow::View3DTab);
        QApplication::processEvents();
    }
    // A point just inside the cell (col, row) from its corner station
    // (col, row), towards the cell's middle.
    QPoint nearStation(int col, int row) {
        SurfaceProjection p(page()->surface(), plot()->width(), plot()->height());
        const ScreenPoint a = p.station(col, row), b = p.station(col + 1, row + 1);
        return QPointF(a.x + (b.x - a.x) * 0.2, a.y + (b.y - a.y) * 0.2).toPoint();
    }
    QString angle() { return page()->angleLabel()->text(); }
};

int distance(QRgb a, Rgb b) {
    return std::abs(qRed(a) - b.r) + std::abs(qGreen(a) - b.g) + std::abs(qBlue(a) - b.b);
}

}  // namespace

class View3DTest : public QObject {
    Q_OBJECT

private slots:
    void pageLayout() {
        Window w;
        View3DPage* page = w.page();
        QCOMPARE(w.window.pages()->widget(MainWindow::View3DTab), page);
        QCOMPARE(page->findChild<QLabel*>("Label28")->text(), QStringLiteral("Station: "));
        QVERIFY(page->findChild<QLabel*>("Label33") == page->angleLabel());
        QVERIFY(page->findChild<QWidget*>("Plot3D1"));
        QCOMPARE(page->printGraphButton()->text(), QStringLiteral("Print Graph"));
        QCOMPARE(page->findChild<QLabel*>("View3DHint")->text(),
                 QStringLiteral(" Left-Click and Drag on Graph to Move View  --   Right-Click on Graph  and Drag to "
                                "Zoom "));
        QVERIFY(page->choiceButton(SurfaceChoice::SurveyReadings)->isChecked());
        QVERIFY(!page->choiceButton(SurfaceChoice::SectorDesign)->isVisible());
        QCOMPARE(page->surface().cellsDrawn(), 100);
    }

    void hoverNamesTheStation() {
        Window w;
        QTest::mouseMove(w.plot(), w.nearStation(5, 7));
        QCOMPARE(w.page()->stationLabel()->text(), QStringLiteral("Station: E7"));
        QTest::mouseMove(w.plot(), w.nearStation(11, 2));
        QCOMPARE(w.page()->stationLabel()->text(), QStringLiteral("Station: K2"));
        QTest::mouseMove(w.plot(), QPoint(3, 3));
        QCOMPARE(w.page()->stationLabel()->text(), QStringLiteral("Station:    "));
    }

    void dragTurnsAndZoomsAndOpenTurnsBack() {
        Window w;
        QCOMPARE(w.angle(), QString());  // emptied by the refresh
        const QPoint start(300, 200);
        QTest::mousePress(w.plot(), Qt::LeftButton, {}, start);
        QTest::mouseMove(w.plot(), start + QPoint(40, 20));
        QTest::mouseRelease(w.plot(), Qt::LeftButton, {}, start + QPoint(40, 20));
        QCOMPARE(w.angle(), QStringLiteral("X:80 Z:330"));
        QCOMPARE(w.page()->surface().angleZ(), 330.0);

        // Dragging far down with the right button zooms out to 0.4 at most.
        QTest::mousePress(w.plot(), Qt::RightButton, {}, start);
        QTest::mouseMove(w.plot(), start + QPoint(0, 300));
        QTest::mouseRelease(w.plot(), Qt::RightButton, {}, start + QPoint(0, 300));
        QCOMPARE(w.page()->surface().magnification(), 0.4);

        // New turns the view back (not saving the field, then clearing it).
        w.prompt.answers = {Answer::No, Answer::Yes};
        w.session.newField();
        QCOMPARE(w.page()->surface().angleX(), 70.0);
        QCOMPARE(w.page()->surface().angleZ(), 310.0);
    }

    void choiceAndDesignsRefreshTheSurface() {
        Window w;
        Surface3D& s = w.page()->surface();
        QCOMPARE(s.height(1, 1), 90.0);
        QTest::mouseClick(w.page()->choiceButton(SurfaceChoice::FullDesign), Qt::LeftButton);
        QCOMPARE(s.choice(), SurfaceChoice::FullDesign);
        const double before = s.height(1, 1);
        QCOMPARE(before, w.session.field.station(1, 1)->FullNE);
        // A new design while the page is shown redraws it.
        w.session.field.DesignRecords[0].ImportExport = 5000;
        w.session.recalculate();
        QVERIFY(s.height(1, 1) != before);
        QCOMPARE(s.height(1, 1), w.session.field.station(1, 1)->FullNE);
    }

    void pictureHoldsTheThreeHeightColours() {
        Window w;
        Surface3D& s = w.page()->surface();
        // Seen from high above, so that no band's step hides another band.
        s.afterMouseAction(20, 330, 1.0);
        const QSize size(900, 600);
        QImage image(size, QImage::Format_RGB32);
        QVERIFY(renderSurface(image, s, size));
        const SurfaceProjection p(s, size.width(), size.height());
        auto middleOf = [&](int col, int row) {
            const ScreenPoint a = p.station(col, row), b = p.station(col + 1, row + 1);
            const ScreenPoint c = p.station(col + 1, row), d = p.station(col, row + 1);
            return QPointF((a.x + b.x + c.x + d.x) / 4, (a.y + b.y + c.y + d.y) / 4).toPoint();
        };
        for (int row : {3, 6, 9}) {
            QVERIFY2(distance(image.pixel(middleOf(2, row)), kLightBlue) < 12, "low band light blue");
            QVERIFY2(distance(image.pixel(middleOf(6, row)), kLightGreen) < 12, "middle band light green");
            QVERIFY2(distance(image.pixel(middleOf(10, row)), kLightRed) < 12, "high band light red");
        }
        QCOMPARE(QColor(image.pixel(3, 3)), QColor(Qt::white));
    }
};

QTEST_MAIN(View3DTest)
#include "view3d_test.moc"

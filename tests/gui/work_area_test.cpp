// The main window on a small screen: the whole window, frame, tool bar and
// status bar included, lies inside the work area. The offscreen platform is
// given a 1024 x 600 screen through its configuration file.

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "gui/shell/work_area_fit.h"
#include "support/scripted_window.h"

using namespace tarnwick;
using namespace tarnwick::test;

class WorkAreaTest : public QObject {
    Q_OBJECT

private slots:
    void fitsTheFrameIntoTheWorkArea_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("client");
        // The window wants 1024 x 625 and is never smaller than 652 x 492.
        const QMargins title(4, 30, 4, 4);
        QTest::newRow("large screen: as wanted, centred")
            << QRect(0, 0, 1920, 1080) << title << QRect(448, 240, 1024, 625);
        QTest::newRow("1024 x 600 with a title bar") << QRect(0, 0, 1024, 600) << title << QRect(4, 30, 1016, 566);
        QTest::newRow("1024 x 600 without frame") << QRect(0, 0, 1024, 600) << QMargins() << QRect(0, 0, 1024, 600);
        QTest::newRow("800 x 600 below a panel") << QRect(0, 24, 800, 576) << title << QRect(4, 54, 792, 542);
        QTest::newRow("a panel at the left") << QRect(60, 0, 964, 600) << title << QRect(64, 30, 956, 566);
        QTest::newRow("smaller than the minimum: the title bar stays on it")
            << QRect(0, 0, 640, 480) << title << QRect(4, 30, 652, 492);
    }

    void fitsTheFrameIntoTheWorkArea() {
        QFETCH(QRect, area);
        QFETCH(QMargins, frame);
        QFETCH(QRect, client);
        const QRect got = fitToWorkArea(area, frame, QSize(1024, 625), QSize(652, 492));
        QCOMPARE(got, client);
        if (got.width() > 652 && got.height() > 492) QVERIFY(area.contains(got.marginsAdded(frame)));
    }

    void wholeWindowIsOnTheScreen() {
        ScriptedWindow w;
        QScreen* screen = w.window.screen();
        QCOMPARE(screen->availableGeometry(), QRect(0, 0, 1024, 600));
        QVERIFY(w.window.frameGeometry() != w.window.geometry());  // the frame counts
        // As large as the work area allows, with its frame.
        QTRY_COMPARE(w.window.frameGeometry(), screen->availableGeometry());
        for (QWidget* part : {static_cast<QWidget*>(w.window.statusBar()), static_cast<QWidget*>(w.window.menuBar()),
                              static_cast<QWidget*>(w.window.findChild<QToolBar*>())}) {
            QVERIFY(part->isVisible());
            const QRect onScreen(part->mapToGlobal(QPoint(0, 0)), part->size());
            QVERIFY2(screen->availableGeometry().contains(onScreen), qPrintable(part->objectName()));
        }
    }
};

int main(int argc, char** argv) {
    // A 1024 x 600 screen whose windows have a frame.
    QTemporaryDir dir;
    const QString config = dir.filePath("screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"windowFrameMargins": true,
                  "screens": [{"name": "work area", "x": 0, "y": 0, "width": 1024, "height": 600, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    WorkAreaTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "work_area_test.moc"

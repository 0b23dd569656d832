// The desktop program under load: one reading typed into a 130 x 130 field
// with "AutoReCalc" on, until every grid and caption shows the new design;
// and one frame of a drag on the 3D View page.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <cmath>

#include "gui/shell/main_window.h"
#include "core/base/number_format.h"
#include "core/session/prompt.h"
#include "core/session/session.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"
#include "gui/view3d/surface_widget.h"
#include "gui/view3d/view3d_page.h"

namespace {

using namespace tarnwick;

struct Program {
    SilentPrompt prompt;
    Session session{prompt};
    MainWindow window{session};
    QString path = QDir::temp().filePath("tarnwick-gui-bench-130x130.fld");

    Program() {
        // A rolling 130 x 130 field with seven sector bands, as the core
        // benchmarks use, saved and opened as a user would.
        Field& f = session.field;
        for (int r = 1; r <= 130; ++r)
            for (int c = 1; c <= 130; ++c)
                f.Survey.setText(c, r, formatFixed(100.0 + 0.8 * std::sin(c * 0.05) + 0.6 * std::cos(r * 0.07) +
                                                      0.004 * c - 0.003 * r + 0.05 * std::sin(c * 1.3 + r * 0.7),
                                                  2));
        fieldScan(f);
        f.NumSectors = 7;
        for (int k = 1; k <= 7; ++k)
            f.DesignRecords[static_cast<size_t>(k)] = {1, (k - 1) * 18 + 1, 130, k == 7 ? 130 : k * 18,
                                                       0.05 * k, -0.02 * k, 1.1 + 0.05 * k, 0};
        session.recalculate();
        session.writeField(path.toStdString());
        session.openFieldCommand(path.toStdString());
        window.resize(1024, 600);
        window.show();
        QApplication::processEvents();
    }
    ~Program() { QFile::remove(path); }
};

Program* program = nullptr;

void BM_TypeReadingEveryGridRefreshed(benchmark::State& state) {
    SurveyModel* model = program->window.surveyPage()->model();
    const QModelIndex c65 = model->index(64, 2);
    const QList<QTableView*> grids = program->window.findChildren<QTableView*>();
    int i = 0;
    for (auto _ : state) {
        // What the cell editor does when Enter is pressed on C65.
        model->setData(c65, (i++ % 2) ? QStringLiteral("101.25") : QStringLiteral("100.75"), Qt::EditRole);
        QApplication::processEvents();
        // Paint every grid as it would appear on its page, and the window
        // with its captions.
        for (QTableView* view : grids) {
            QImage image(view->viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
            view->viewport()->render(&image);
            benchmark::DoNotOptimize(image.bits());
        }
        QImage whole(program->window.size(), QImage::Format_ARGB32_Premultiplied);
        program->window.render(&whole);
        benchmark::DoNotOptimize(whole.bits());
    }
    state.counters["grids"] = static_cast<double>(grids.size());
}
BENCHMARK(BM_TypeReadingEveryGridRefreshed)->Unit(benchmark::kMillisecond);

// One frame of a drag on the 3D View page: the plot of the full design,
// 1000 x 700, turned by a degree and painted whole.
void BM_Surface3DRepaint(benchmark::State& state) {
    MainWindow& w = program->window;
    w.pages()->setCurrentIndex(MainWindow::View3DTab);
    View3DPage* page = w.view3DPage();
    page->choiceButton(SurfaceChoice::FullDesign)->click();
    SurfaceWidget* plot = page->plot();
    plot->resize(1000, 700);
    QApplication::processEvents();
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    double z = 310;
    for (auto _ : state) {
        page->surface().afterMouseAction(70, z += 1, 1.0);
        plot->surfaceChanged();
        plot->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["cells"] = page->surface().cellsDrawn();
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
}
BENCHMARK(BM_Surface3DRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Program p;
    program = &p;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program = nullptr;
    return 0;
}

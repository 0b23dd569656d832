// The grid models under Qt's own model checks while the user works, and the
// notices a typed reading sends: one Survey cell repainted, one results notice.

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "core/session/session.h"
#include "gui/common/session_notifier.h"
#include "gui/design/result_models.h"
#include "gui/design/result_pages.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"
#include "gui/field/survey_view.h"
#include "support/scripted_window.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const char* const kSectors = TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld";
const char* const kSmall = TARNWICK_TEST_DATA "/reference/small-6x5.fld";

struct Window : ScriptedWindow {
    SurveyModel* survey() { return window.surveyPage()->model(); }
    QList<QAbstractItemModel*> models() {
        ResultPages* r = window.resultPages();
        return {survey(), r->yardbook()->model(), r->fullDesign()->model(), r->finalElevations()->model(),
                r->designParameters()->model()};
    }
    void typeAt(int col, int row, const QString& text) {
        SurveyView* grid = window.surveyPage()->grid();
        window.showSurveyPage();
        grid->setCurrentIndex(survey()->index(row - 1, col - 1));
        for (QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

}  // namespace

class ModelsTest : public QObject {
    Q_OBJECT

private slots:
    void modelsPassQtsChecksThroughAWorkingSession() {
        Window w;
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (QAbstractItemModel* m : w.models())
            testers.push_back(
                std::make_unique<QAbstractItemModelTester>(m, QAbstractItemModelTester::FailureReportingMode::QtTest));
        w.open(kSectors);
        w.typeAt(3, 4, "101.25");
        w.session.setView(DesignView::Sector);
        w.session.current = {1, 5};
        w.session.insertRow();
        w.prompt.answers = {Answer::Yes};
        w.session.clearAllSectorsCommand();
        w.session.finalElevationTyped(4, 4, "99.00");
        // A smaller field: the result grids change size.
        w.open(kSmall);
        w.prompt.answers = {Answer::Yes};
        w.session.newField();
        QCOMPARE(w.survey()->rowCount(), 130);
    }

    void oneTypedReadingRepaintsItsCellAndSendsOneResultsNotice() {
        Window w;
        w.open(kSectors);
        SurveyModel* model = w.survey();
        QSignalSpy cells(model, &QAbstractItemModel::dataChanged);
        QSignalSpy results(&w.window.notifier(), &SessionNotifier::resultsChanged);
        QSignalSpy survey(&w.window.notifier(), &SessionNotifier::surveyChanged);
        QSignalSpy commands(&w.window.notifier(), &SessionNotifier::changed);

        w.typeAt(3, 4, "101.25");  // C4, Enter, AutoReCalc
        QCOMPARE(QString::fromStdString(w.session.field.Survey.text(3, 4)), QString("101.25"));
        QCOMPARE(cells.count(), 1);
        const QModelIndex c4 = model->index(3, 2);
        QCOMPARE(cells.at(0).at(0).value<QModelIndex>(), c4);
        QCOMPARE(cells.at(0).at(1).value<QModelIndex>(), c4);
        QCOMPARE(survey.count(), 1);
        QCOMPARE(survey.at(0).at(0).value<Rect>(), (Rect{3, 4, 3, 4}));
        QCOMPARE(results.count(), 1);
        // The edit and the Enter that moved the cursor on: two commands.
        QCOMPARE(commands.count(), 2);
        QVERIFY(commands.at(0).at(0).value<Changes>().stored);
        QVERIFY(commands.at(1).at(0).value<Changes>().cursor);
        QVERIFY(!commands.at(1).at(0).value<Changes>().results);
    }

    void cursorAndViewNoticesTouchNoGrid() {
        Window w;
        w.open(kSectors);
        QSignalSpy cells(w.survey(), &QAbstractItemModel::dataChanged);
        QSignalSpy results(&w.window.notifier(), &SessionNotifier::resultsChanged);
        QSignalSpy options(&w.window.notifier(), &SessionNotifier::optionsChanged);
        w.session.cycleDirection();
        w.session.leftClick(5, 5);
        QCOMPARE(options.count(), 1);
        QCOMPARE(cells.count(), 0);
        QCOMPARE(results.count(), 0);
    }
};

QTEST_MAIN(ModelsTest)
#include "models_test.moc"

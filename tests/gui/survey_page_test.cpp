// The Survey page driven through the keyboard and mouse, as a surveyor
// types a field in.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLineSeries>
#include <QValueAxis>
#include <QPushButton>
#include <QtTest>

#include "gui/field/profile_chart.h"
#include "core/session/session.h"
#include "gui/common/action_registry.h"
#include "gui/common/grid_roles.h"
#include "gui/common/session_notifier.h"
#include "support/scripted_prompt.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"
#include "gui/field/survey_view.h"

using namespace tarnwick;
using namespace tarnwick::test;

class SurveyPageTest : public QObject {
    Q_OBJECT

    struct Page {
        ScriptedPrompt prompt;
        Session session{prompt};
        SessionNotifier notifier{session};
        ActionRegistry actions;
        SurveyPage page{session, notifier, actions};
        Page() {
            page.resize(900, 600);
            page.show();
            QVERIFY(QTest::qWaitForWindowExposed(&page));
            page.grid()->setFocus();
            QApplication::setActiveWindow(&page);
        }
        SurveyView* grid() { return page.grid(); }
        QString cell(int col, int row) { return QString::fromStdString(session.field.Survey.text(col, row)); }
        void goTo(int col, int row) { grid()->setCurrentIndex(page.model()->index(row - 1, col - 1)); }
        // Keys go where a surveyor's would: to the focused widget (the grid
        // or its open cell editor).
        void type(const QString& text) {
            for (QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        }
        void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
        CellPos at() { return session.current; }
    };

private slots:
    void enterRepeatsLastValue() {
        Page p;
        p.goTo(1, 1);
        p.type("12");
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        p.key(Qt::Key_Return);
        QCOMPARE(p.cell(1, 1), QString("12.00"));
        QCOMPARE(p.at(), (CellPos{2, 1}));
        p.key(Qt::Key_Return);  // empty B1 takes the last reading
        QCOMPARE(p.cell(2, 1), QString("12.00"));
        QCOMPARE(p.at(), (CellPos{3, 1}));
        p.type("13");
        p.key(Qt::Key_Enter);
        QCOMPARE(p.session.LastValue, std::string("13.00"));
        QCOMPARE(p.cell(3, 1), QString("13.00"));
        p.key(Qt::Key_Home);
        QCOMPARE(p.at(), (CellPos{1, 1}));
        QCOMPARE(p.session.LastValue, std::string());
    }

    void typingReplacesTheOldReading() {
        Page p;
        p.session.field.Survey.setText(2, 2, "100.00");
        p.goTo(2, 2);
        p.type("9");
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("9"));
        p.type("9.5");
        p.key(Qt::Key_Return);
        QCOMPARE(p.cell(2, 2), QString("99.50"));
    }

    void refusedAndEmptiedEdits() {
        struct Case {
            const char* typed;
            const char* stored;
        };
        const Case cases[] = {{"1000", ""}, {"999", "999.00"}, {"-", ""}, {"-2.5", "-2.50"}, {"99.12345", "99.12"}};
        for (const Case& c : cases) {
            Page p;
            p.session.field.Survey.setText(1, 1, "100.00");
            p.goTo(1, 1);
            p.type(c.typed);
            p.key(Qt::Key_Return);
            QCOMPARE(p.cell(1, 1), QString(c.stored));
        }
    }

    void deleteKeyEmptiesTheCell() {
        Page p;
        p.session.field.Survey.setText(3, 2, "100.00");
        p.goTo(3, 2);
        p.key(Qt::Key_Delete);
        QCOMPARE(p.cell(3, 2), QString());
        p.session.field.Survey.setText(3, 2, "100.00");
        p.type("5");  // also while the editor is open
        p.key(Qt::Key_Delete);
        QCOMPARE(p.cell(3, 2), QString());
    }

    void directionButtonCycles() {
        Page p;
        QPushButton* b = p.page.directionButton();
        QCOMPARE(b->text(), QString("LR"));
        for (const char* next : {"RL", "UD", "DU", "LR"}) {
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(b->text(), QString(next));
        }
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::mouseClick(b, Qt::LeftButton);  // UD: down the column
        p.goTo(2, 2);
        p.type("100");
        p.key(Qt::Key_Return);
        QCOMPARE(p.at(), (CellPos{2, 3}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(p.grid()));
    }

    void pasteRoundsToTwoDecimals() {
        Page p;
        for (int c = 1; c <= 3; ++c)
            for (int r = 1; r <= 3; ++r) p.session.field.Survey.setText(c, r, "100.00");
        p.session.recalculate();
        QApplication::clipboard()->setText("101.2345\t99.87654\n");
        p.goTo(2, 2);
        p.page.pasteCells();
        QCOMPARE(p.cell(2, 2), QString("101.23"));
        QCOMPARE(p.cell(3, 2), QString("99.88"));
        QCOMPARE(QString::fromStdString(p.session.results.fullDesignText(2, 4)), QString("101.23"));
    }

    void copyAndCutTheSelection() {
        Page p;
        for (int c = 1; c <= 3; ++c)
            for (int r = 1; r <= 3; ++r) p.session.field.Survey.setText(c, r, QString("%1.%2").arg(100 + c).arg(r * 10).toStdString());
        p.session.recalculate();
        p.goTo(1, 1);
        QTest::keyClick(p.grid(), Qt::Key_Right, Qt::ShiftModifier);
        p.page.copyCells();
        QCOMPARE(QApplication::clipboard()->text(), QString("101.10\t102.10"));
        p.page.cutCells();
        QCOMPARE(p.cell(1, 1), QString());
        QCOMPARE(p.cell(2, 1), QString());
        QCOMPARE(p.cell(3, 1), QString("103.10"));
    }

    void deleteCellsWithSectorsAnsweredNo() {
        Page p;
        QVERIFY(p.session.openField(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld"));
        const QString before = p.cell(2, 2);
        p.goTo(2, 2);
        p.prompt.answers = {Answer::No};
        p.page.cutCells();
        QCOMPARE(p.cell(2, 2), before);
        QCOMPARE(p.session.field.NumSectors, 3);
        QCOMPARE(p.prompt.messages.back(), std::string("question: This Action will also Delete All Sectors. OK?"));
    }

    void insertRowAbovePartialStation() {
        Page p;
        QVERIFY(p.session.openField(TARNWICK_TEST_DATA "/reference/holes-partials-import-20x15.fld"));
        // M1 (13, 1) is a partial station of weight 0.6.
        QCOMPARE(p.page.model()->data(p.page.model()->index(0, 12), Qt::ToolTipRole).toString(), QString("Partial: 0.6"));
        const QString m1 = p.cell(13, 1);
        p.goTo(13, 1);
        p.page.insertRow();
        QCOMPARE(p.cell(13, 2), m1);
        QCOMPARE(p.cell(13, 1), QString());
        QCOMPARE(p.session.field.FieldData[13][1].Weight, 0.6);
        QCOMPARE(p.page.model()->data(p.page.model()->index(1, 12), PictureRole).toInt(), kPicturePartial);
    }

    void profileChartFollowsTheCell() {
        Page p;
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 3; ++r) p.session.field.Survey.setText(c, r, QString("%1.00").arg(100 + c + r).toStdString());
        p.session.recalculate();
        p.goTo(2, 3);
        QCOMPARE(p.page.chart()->rowSeries()->name(), QString("Row 3"));
        QCOMPARE(p.page.chart()->rowSeries()->count(), 4);
        QCOMPARE(p.page.chart()->rowSeries()->at(3).y(), 107.0);
        QCOMPARE(p.page.chart()->colSeries()->name(), QString("Col B"));
        p.goTo(6, 6);
        QCOMPARE(p.page.chart()->rowSeries()->name(), QString("Row Average"));
        QCOMPARE(p.page.chart()->colSeries()->name(), QString("Col Average"));
    }

    // Every point drawn on a profile's lines, as (station, reading).
    static QList<QPointF> drawn(const QList<QLineSeries*>& lines) {
        QList<QPointF> points;
        for (QLineSeries* l : lines) points += l->points();
        return points;
    }

    void profileChartGapsAndClearing() {
        Page p;
        for (int c = 1; c <= 5; ++c)
            for (int r = 1; r <= 4; ++r) p.session.field.Survey.setText(c, r, QString("%1.00").arg(100 + c + r).toStdString());
        p.session.field.Survey.setText(3, 2, "");  // C2 holds no reading
        p.session.recalculate();
        p.goTo(2, 2);
        ProfileChart* chart = p.page.chart();
        // Row 2 is drawn as two lines, A2:B2 and D2:E2, with nothing at C2.
        QCOMPARE(drawn(chart->rowLines()), (QList<QPointF>{{1, 103}, {2, 104}, {4, 106}, {5, 107}}));
        QCOMPARE(chart->rowSeries()->points(), (QList<QPointF>{{1, 103}, {2, 104}}));
        QCOMPARE(chart->colSeries()->count(), 4);

        // Row 2 emptied: its profile goes; column B keeps its gap.
        for (int c : {1, 2, 4, 5}) {
            p.goTo(c, 2);
            p.key(Qt::Key_Delete);
        }
        p.goTo(2, 2);
        QVERIFY(drawn(chart->rowLines()).isEmpty());
        QCOMPARE(drawn(chart->colLines()), (QList<QPointF>{{1, 103}, {3, 105}, {4, 106}}));

        // New clears the chart.
        p.session.clearForNewField();
        QVERIFY(drawn(chart->rowLines()).isEmpty());
        QVERIFY(drawn(chart->colLines()).isEmpty());
        QCOMPARE(chart->rowSeries()->name(), QString("Row"));
        QCOMPARE(chart->colSeries()->name(), QString("Col"));
    }

    void profileAxisTicksOnWholeStations_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("interval");
        QTest::newRow("2 x 2") << 2 << 2 << 1;
        QTest::newRow("12 x 4") << 12 << 4 << 1;
        QTest::newRow("30 x 40") << 30 << 40 << 5;
        QTest::newRow("130 x 130") << 130 << 130 << 10;
    }

    void profileAxisTicksOnWholeStations() {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, interval);
        Page p;
        for (int c = 1; c <= cols; ++c)
            for (int r = 1; r <= rows; ++r) p.session.field.Survey.setText(c, r, "100.00");
        p.session.recalculate();
        p.goTo(1, 1);
        QValueAxis* axis = p.page.chart()->stationAxis();
        QCOMPARE(axis->min(), 1.0);
        QCOMPARE(axis->max(), double(std::max(cols, rows)));
        QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(axis->tickAnchor(), 0.0);
        QCOMPARE(axis->tickInterval(), double(interval));
        QCOMPARE(axis->labelFormat(), QString("%d"));  // exact for ticks on whole stations
    }

    void currentHeadersStandOut() {
        Page p;
        p.goTo(3, 4);
        QVERIFY(p.page.model()->headerData(2, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QVERIFY(p.page.model()->headerData(3, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
        QVERIFY(!p.page.model()->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(p.page.model()->headerData(129, Qt::Horizontal, Qt::DisplayRole).toString(), QString("DZ"));
    }
};

QTEST_MAIN(SurveyPageTest)
#include "survey_page_test.moc"

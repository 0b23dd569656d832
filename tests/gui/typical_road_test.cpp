// The desktop program end to end: a surveyor types a reading and reads the
// design off every page, saves and reopens the field, and closes the window.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/files/ini_settings_store.h"
#include "gui/shell/main_window.h"
#include "core/base/number_format.h"
#include "gui/design/result_models.h"
#include "gui/design/result_pages.h"
#include "core/session/session.h"
#include "core/files/settings.h"
#include "support/scripted_prompt.h"
#include "support/scripted_window.h"
#include "gui/field/survey_model.h"
#include "gui/field/survey_page.h"
#include "gui/field/survey_view.h"
#include "core/base/text_file.h"

using namespace tarnwick;
using namespace tarnwick::test;

class TypicalRoadTest : public QObject {
    Q_OBJECT

    struct Window : ScriptedWindow {
        Window() { window.showSurveyPage(); }
        QString label(const char* name) {
            auto* l = window.findChild<QLabel*>(QString::fromLatin1(name));
            return l ? l->text().trimmed() : QString("<missing %1>").arg(name);
        }
        SurveyView* grid() { return window.surveyPage()->grid(); }
        void typeAt(int col, int row, const QString& text) {
            grid()->setFocus();
            grid()->setCurrentIndex(window.surveyPage()->model()->index(row - 1, col - 1));
            for (QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        void typeField(int cols, int rows) {
            for (int r = 1; r <= rows; ++r)
                for (int c = 1; c <= cols; ++c)
                    session.field.Survey.setText(c, r, QString::number(100.0 + 0.1 * c - 0.07 * r + (c * r % 3) * 0.05, 'f', 2).toStdString());
        }
        QString cell(ResultGrid grid, int col, int row) {
            ResultPages* pages = window.resultPages();
            ResultPage* page = grid == ResultGrid::Yardbook ? pages->yardbook()
                               : grid == ResultGrid::FullDesign ? pages->fullDesign() : pages->finalElevations();
            QAbstractItemModel* m = page->findChild<QTableView*>()->model();
            return m->data(m->index(row - 1, col - 1), Qt::DisplayRole).toString();
        }
    };

private slots:
    void typeOneReadingAndReadEveryPage() {
        Window w;
        QVERIFY(w.session.openFieldCommand(TARNWICK_SOURCE_DIR "/examples/demo.fld"));
        const double cutBefore = w.session.summary.cut;
        w.typeAt(3, 4, "101.25");  // C4, Enter, AutoReCalc
        const Session& s = w.session;
        QCOMPARE(QString::fromStdString(s.field.Survey.text(3, 4)), QString("101.25"));
        QCOMPARE(s.current, (CellPos{4, 4}));
        QVERIFY(s.summary.cut != cutBefore);
        // Every grid shows the new design at C4.
        const TFieldData& c4 = s.field.FieldData[3][4];
        QCOMPARE(w.cell(ResultGrid::Yardbook, 3, 4), QString::fromStdString(cutFillText(c4.FullCF)));
        QCOMPARE(w.cell(ResultGrid::FinalElevations, 3, 4), QString::fromStdString(formatFixed(c4.FullNE, 2)));
        QCOMPARE(w.cell(ResultGrid::FullDesign, 3, 10), QString("101.25"));
        QCOMPARE(w.cell(ResultGrid::FullDesign, 3, 11), QString::fromStdString(formatFixed(c4.FullNE, 2)));
        // And every caption.
        QCOMPARE(w.label("avgEl"), QString::fromStdString(s.info.avgEl));
        QCOMPARE(w.label("SumTotalCut"), QString::fromStdString(s.summary.totalCut));
        QCOMPARE(w.label("SumTotalFill"), QString::fromStdString(s.summary.totalFill));
        QCOMPARE(w.label("SumRatio"), QString::fromStdString(s.summary.ratioText));
        QCOMPARE(w.label("Label_CVol"), QString::fromStdString(s.panel.totalCut));
        QCOMPARE(w.label("Numsta_Tlabel"), QString("1192"));
        QCOMPARE(w.label("NumAcr_tlabel"), QString::fromStdString(s.info.NumAcr));
        QVERIFY(!s.FieldSaved);
    }

    void closeQuestionsFromFiveStations() {
        for (int stations : {4, 5}) {
            Window w;
            for (int i = 0; i < stations; ++i) w.typeAt(i % 3 + 1, i / 3 + 1, QString::number(100 + i));
            w.prompt.messages.clear();
            w.prompt.answers = {Answer::Yes, Answer::No};
            QVERIFY(w.window.close());
            std::vector<std::string> asked{"question: Exit Tarnwick?"};
            if (stations == 5) asked.push_back("question: Save Data Before Closing?");
            QCOMPARE(w.prompt.messages, asked);
        }
    }

    void openSaveSaveAsRoundTrip() {
        QTemporaryDir dir;
        const std::string first = (dir.path() + "/first.fld").toStdString();
        const std::string second = (dir.path() + "/second.fld").toStdString();
        Window w;
        w.prompt.files = {TARNWICK_TEST_DATA "/reference/small-6x5.fld"};
        w.action("FileOpenItem")->trigger();
        QCOMPARE(w.session.field.NumStations, 30);
        QCOMPARE(w.window.fileNamePanel()->text(), QString(TARNWICK_TEST_DATA "/reference/small-6x5.fld"));
        w.typeAt(2, 2, "100.75");

        // Unsaved changes: Open asks first; Cancel keeps the field.
        w.prompt.answers = {Answer::Cancel};
        w.prompt.files = {TARNWICK_TEST_DATA "/reference/rod-metric-export-15x12.fld"};
        w.action("FileOpenItem")->trigger();
        QCOMPARE(w.prompt.messages.back(), std::string("question: Save Data Before Closing?"));
        QCOMPARE(w.session.field.NumStations, 30);
        w.prompt.files.clear();

        w.prompt.files = {first};
        w.action("FileSaveAsItem")->trigger();
        QVERIFY(w.session.FieldSaved);
        QCOMPARE(w.window.fileNamePanel()->text(), QString::fromStdString(first));
        w.prompt.files = {second};
        w.action("FileSaveItem")->trigger();  // Save shows the dialog with the name
        QCOMPARE(*readWholeFile(first), *readWholeFile(second));

        Window again;
        again.prompt.files = {second};
        again.action("FileOpenItem")->trigger();
        QCOMPARE(again.session.field.Survey.text(2, 2), std::string("100.75"));
        QCOMPARE(again.session.summary.cut, w.session.summary.cut);
        QCOMPARE(again.cell(ResultGrid::Yardbook, 2, 2), w.cell(ResultGrid::Yardbook, 2, 2));

        // A second Save As onto an existing file asks before it writes.
        again.prompt.files = {first};
        again.prompt.answers = {Answer::No};
        again.action("FileSaveAsItem")->trigger();
        QCOMPARE(again.prompt.messages.back(), "question: File Exists. OK to overwrite " + first);
    }

    void newFieldAsksAndClears() {
        Window w;
        w.typeField(4, 4);
        w.session.recalculate();
        w.prompt.answers = {Answer::Yes};
        w.action("FileNewItem")->trigger();
        QCOMPARE(w.prompt.messages.back(), std::string("question: Clear Current Field Data?"));
        QCOMPARE(w.session.field.NumStations, 0);
        QCOMPARE(w.window.fileNamePanel()->text(), QString("Untitled"));
        QCOMPARE(w.window.pages()->currentIndex(), int(MainWindow::SurveyTab));
        QCOMPARE(w.label("avgEl"), QString());
    }

    void settingsWithMetersAtStart() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/tarnwick/tvk.ini";
        IniSettingsStore store(path);
        Settings s;
        s.yards = false;
        s.rowGrid = "25";
        s.colGrid = "20";
        s.elevations = false;
        QVERIFY(store.write(settingsEntries(s)));

        ScriptedPrompt prompt;
        Session session(prompt);
        applySettings(session, readSettings(IniSettingsStore(path)));  // what start-up does
        MainWindow window(session);
        window.show();
        QCOMPARE(session.field.prefs.Divisor(), 1.0);
        QCOMPARE(session.field.prefs.rowSpacingText, std::string("25"));
        QCOMPARE(session.field.prefs.colSpacingText, std::string("20"));
        QVERIFY(session.field.prefs.RodReadings);
        QCOMPARE(window.findChild<QLabel*>("Label19")->text(), QString("Rod Readings"));
        QCOMPARE(window.findChild<QLabel*>("StationSizeLabel")->text(), QString("25x20"));
    }
};

QTEST_MAIN(TypicalRoadTest)
#include "typical_road_test.moc"

// The desktop program end to end: a surveyor types a reading and reads the
// design off every page, saves and reopens the field, and closes the window.

#include <QApplication>
#include <QCheckBox>
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

    void bestFitTickedAfterSaveAsksToSave() {
        // The slopes stored in the field are not its best-fit slopes: taking
        // the best fit changes what the file holds.
        QTemporaryDir dir;
        const QString path = dir.path() + "/sectors.fld";
        QVERIFY(QFile::copy(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld", path));
        Window w;
        w.open(path);
        w.prompt.files = {path.toStdString()};
        w.action("FileSaveItem")->trigger();
        QVERIFY(w.session.FieldSaved);
        const double slope = w.session.field.DesignRecords[0].ColSlope;

        auto* bestFit = w.window.findChild<QCheckBox*>("CheckBoxBestFit");
        QTest::mouseClick(bestFit, Qt::LeftButton, {}, QPoint(6, bestFit->height() / 2));
        QVERIFY(bestFit->isChecked());
        QVERIFY(w.session.field.DesignRecords[0].ColSlope != slope);

        w.prompt.messages.clear();
        w.prompt.answers = {Answer::Yes, Answer::No};
        QVERIFY(w.window.close());
        QCOMPARE(w.prompt.messages,
                 (std::vector<std::string>{"question: Exit Tarnwick?", "question: Save Data Before Closing?"}));
    }

    // The design boxes and "Use Best Fit Slopes" as the window shows them.
    static QStringList designPanel(Window& w) {
        QStringList shown;
        for (const char* box : {"AdvEdit1", "AdvEdit2", "AdvEdit3", "AdvEdit4"})
            shown << w.window.findChild<QLineEdit*>(box)->text();
        shown << (w.window.findChild<QCheckBox*>("CheckBoxBestFit")->isChecked() ? "best fit" : "own slopes");
        return shown;
    }

    void startUpShowsWhatNewLeaves() {
        Window fresh;
        const QStringList atStart = designPanel(fresh);
        QCOMPARE(atStart, (QStringList{"1.25", "0.000", "0.000", "0", "best fit"}));
        Window w;
        w.open(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld");
        QCOMPARE(designPanel(w).back(), QString("own slopes"));  // Open unchecks it
        w.session.FieldSaved = true;
        w.prompt.answers = {Answer::Yes};
        w.action("FileNewItem")->trigger();
        QCOMPARE(w.session.field.NumStations, 0);
        QCOMPARE(designPanel(w), atStart);
    }

    void newFieldAsksAndClears_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QList<int>>("answers");  // Answer values
        QTest::addColumn<bool>("saveFile");       // a file is chosen in the save dialog
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("cleared");
        const QString save = "Save Data Before Closing?", clear = "Clear Current Field Data?";
        const int yes = int(Answer::Yes), no = int(Answer::No), cancel = int(Answer::Cancel);
        QTest::newRow("unsaved, Cancel keeps everything") << 4 << false << QList<int>{cancel} << false
                                                          << QStringList{save} << false;
        QTest::newRow("unsaved, not saved, cleared") << 4 << false << QList<int>{no, yes} << false
                                                     << QStringList{save, clear} << true;
        QTest::newRow("unsaved, not saved, kept") << 4 << false << QList<int>{no, no} << false
                                                  << QStringList{save, clear} << false;
        QTest::newRow("unsaved, saved first, cleared") << 4 << false << QList<int>{yes, yes} << true
                                                       << QStringList{save, clear} << true;
        QTest::newRow("unsaved, save dialog cancelled") << 4 << false << QList<int>{yes, yes} << false
                                                        << QStringList{save} << false;
        QTest::newRow("saved: only the clear question") << 4 << true << QList<int>{yes} << false
                                                        << QStringList{clear} << true;
        QTest::newRow("4 stations: only the clear question") << 2 << false << QList<int>{yes} << false
                                                             << QStringList{clear} << true;
    }

    void newFieldAsksAndClears() {
        QFETCH(int, cols);
        QFETCH(bool, saved);
        QFETCH(QList<int>, answers);
        QFETCH(bool, saveFile);
        QFETCH(QStringList, asked);
        QFETCH(bool, cleared);
        QTemporaryDir dir;
        const std::string file = (dir.path() + "/kept.fld").toStdString();
        Window w;
        w.typeField(cols, 2);
        w.session.recalculate();
        w.session.FieldSaved = saved;
        for (int a : answers) w.prompt.answers.push_back(Answer(a));
        if (saveFile) w.prompt.files = {file};
        w.action("FileNewItem")->trigger();
        QStringList seen;
        for (const std::string& m : w.prompt.messages) seen << QString::fromStdString(m).remove("question: ");
        QCOMPARE(seen, asked);
        QCOMPARE(w.session.field.NumStations, cleared ? 0 : cols * 2);
        QCOMPARE(QFile::exists(QString::fromStdString(file)), saveFile);
        if (!cleared) return;
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

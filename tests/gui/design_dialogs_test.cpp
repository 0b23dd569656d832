// The sector slope, partial station and set elevation dialogs themselves:
// what they show, what their buttons do, and what they hand back.

#include <QApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui/design/design_dialogs.h"

using namespace tarnwick;

class DesignDialogsTest : public QObject {
    Q_OBJECT

    // Acts on the dialog once it is shown, then lets the test go on.
    static void whenShown(const char* name, const std::function<void(QDialog*)>& act) {
        QTimer::singleShot(0, [=] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->objectName() == name && d->isVisible()) return act(d);
            QFAIL("dialog not shown");
        });
    }
    static QLineEdit* edit(QDialog* d, const char* name) { return d->findChild<QLineEdit*>(name); }

private slots:
    void sectorSlopeTakesTheBestFitAndTheBoxes() {
        SectorSlopeForm form;
        form.heading = "Sector [2] - A11:F20";
        form.average = "100.250";
        form.lengthUnit = "feet";
        form.bestColSlope = "-0.120";
        form.bestRowSlope = "0.045";
        form.ratio = 1.25;
        whenShown("TOKBottomDlg", [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString("Enter Sector Slope"));
            QCOMPARE(d->findChild<QLabel*>("Label2")->text(), QString("Sector [2] - A11:F20"));
            QCOMPARE(d->findChild<QLabel*>("Label38")->text(), QString("feet"));
            QCOMPARE(edit(d, "AdvEdit_Ratio")->text(), QString("1.25"));
            QTest::mouseClick(d->findChild<QPushButton*>("Button_Bfit"), Qt::LeftButton);
            QCOMPARE(edit(d, "AdvEdit_CS2")->text(), QString("-0.120"));
            edit(d, "AdvEdit_IO")->setText("-150");
            d->accept();
        });
        QVERIFY(showSectorSlopeDialog(nullptr, form));
        QCOMPARE(form.colSlope, -0.12);
        QCOMPARE(form.rowSlope, 0.045);
        QCOMPARE(form.importExport, -150.0);

        whenShown("TOKBottomDlg", [](QDialog* d) {
            edit(d, "AdvEdit_RS2")->setText("9");
            d->reject();
        });
        QVERIFY(!showSectorSlopeDialog(nullptr, form));
        QCOMPARE(form.rowSlope, 0.045);  // Cancel hands nothing back
    }

    void partialStationResetsTo100AndKeepsItsLimits() {
        PartialStationForm form;
        form.percent = 75;
        whenShown("TWeightDlg1", [](QDialog* d) {
            auto* spin = d->findChild<QDoubleSpinBox*>("AdvSpinEdit1");
            QCOMPARE(spin->value(), 75.0);
            spin->setValue(500);
            QCOMPARE(spin->value(), 200.0);
            QTest::mouseClick(d->findChild<QLabel*>("Label2"), Qt::LeftButton);  // "[-Reset-]"
            QCOMPARE(spin->value(), 100.0);
            spin->setValue(2);
            d->accept();
        });
        QVERIFY(showPartialStationDialog(nullptr, form));
        QCOMPARE(form.percent, 5.0);
    }

    void setElevationHandsBackTheValue() {
        SetElevationForm form;
        whenShown("TElevDlg", [](QDialog* d) {
            QCOMPARE(edit(d, "AdvEdit1")->text(), QString("0.00"));
            edit(d, "AdvEdit1")->setText("101.25");
            d->accept();
        });
        QVERIFY(showSetElevationDialog(nullptr, form));
        QCOMPARE(form.value, 101.25);
    }
};

QTEST_MAIN(DesignDialogsTest)
#include "design_dialogs_test.moc"

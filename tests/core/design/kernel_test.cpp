#include <gtest/gtest.h>

#include <cmath>

#include "core/design/kernel.h"
#include "core/design/statistics.h"
#include "support/field_builder.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// A design record over the whole field with the given values.
void setWhole(Field& f, double rowSlope, double colSlope, double ratio, double ie = 0) {
    TDesignRecord& r = f.DesignRecords[0];
    r = TDesignRecord{1, 1, f.NumCols, f.NumRows, rowSlope, colSlope, ratio, ie};
}

Field rolling(int cols, int rows) {
    return fieldOf(cols, rows, [](int c, int r) { return 100.0 + 0.3 * std::sin(c * 0.7) + 0.25 * std::cos(r * 0.45) + 0.01 * c; });
}

}  // namespace

TEST(PlanePass, CutFillSignsAndVolumes) {
    struct Case {
        bool rod;
        const char* reading;
        double base;  // new elevation with flat slopes
        double cutFill;
    };
    // Elevations: new - old; rod readings: old - new (a smaller rod reading is higher ground).
    const Case cases[] = {{false, "100.30", 100.0, -0.30}, {true, "5.20", 5.0, 0.20}, {false, "99.00", 100.0, 1.0}};
    for (const auto& c : cases) {
        Field f = fieldFromRows({{c.reading}});
        f.prefs.RodReadings = c.rod;
        DesignWork w(f, f.wholeField(), Target::WholeField, 0, 0);
        CutFill cf = w.planePass(c.base);
        w.writeBack();
        EXPECT_NEAR(f.FieldData[1][1].FullCF, c.cutFill, 1e-12);
        EXPECT_NEAR(c.cutFill < 0 ? cf.cut : cf.fill, std::fabs(c.cutFill) * 10000 / 27, 1e-9);
    }
}

TEST(PlanePass, PartialStationWeighsItsVolumeOnly) {
    Field f = fieldFromRows({{"100.30", "100.00"}});
    f.FieldData[1][1].Weight = 0.5;
    DesignWork w(f, f.wholeField(), Target::WholeField, 0, 0);
    CutFill cf = w.planePass(100.0);
    EXPECT_NEAR(cf.cut, 55.56, 0.005);  // 10000 x 0.5 x 0.30 / 27
    EXPECT_EQ(cf.fill, 0.0);           // a cut/fill of exactly 0 adds to neither
}

TEST(PlanePass, PlaneRisesWithItsSlopesFromTheFirstStation) {
    Field f = fieldOf(3, 2, [](int, int) { return 100; });
    DesignWork w(f, {2, 1, 3, 2}, Target::Sector, 0.5, 0.1);
    w.planePass(10.0);
    w.writeBack();
    EXPECT_DOUBLE_EQ(f.FieldData[2][1].SecNE, 10.6);  // r' = c' = 1
    EXPECT_DOUBLE_EQ(f.FieldData[3][2].SecNE, 10.0 + (2 * 0.5 + 2 * 0.1));
    EXPECT_EQ(f.FieldData[1][1].SecNE, 0.0);  // outside the rectangle
    EXPECT_EQ(f.FieldData[2][1].FullNE, 0.0);

    f.prefs.RodReadings = true;
    DesignWork rod(f, {2, 1, 3, 2}, Target::Sector, 0.5, 0.1);
    rod.planePass(10.0);
    rod.writeBack();
    EXPECT_DOUBLE_EQ(f.FieldData[2][1].SecNE, 9.4);
}

TEST(DesignRecord, FlatFieldStopsAfterOneEvaluation) {
    Field f = fieldOf(5, 5, [](int, int) { return 100; });
    setWhole(f, 0, 0, 1.25);
    ASSERT_TRUE(designRecord(f, 0));
    EXPECT_EQ(f.DesignRecords[0].TotalCut, 0.0);
    EXPECT_EQ(f.DesignRecords[0].TotalFill, 0.0);
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 5; ++r) EXPECT_EQ(f.FieldData[c][r].FullCF, 0.0);
}

TEST(DesignRecord, MeetsTheRatioWithinTheTolerance) {
    for (bool rod : {false, true}) {
        Field f = rolling(12, 9);
        f.prefs.RodReadings = rod;
        setWhole(f, 0.05, -0.02, 1.25);
        ASSERT_TRUE(designRecord(f, 0));
        const TDesignRecord& r = f.DesignRecords[0];
        EXPECT_LT(roundTo(std::fabs(r.TotalCut - 1.25 * r.TotalFill), 3), 0.2) << rod;
        EXPECT_DOUBLE_EQ(r.AvgElevation, rectangleAverage(f, f.wholeField()));
        EXPECT_NEAR(r.Area, 108 * 10000 / 43560.0, 1e-9);
    }
}

TEST(DesignRecord, TooFewStationsChangeNothing) {
    Field f = rolling(4, 4);
    f.NumSectors = 2;
    f.DesignRecords[1] = {2, 2, 2, 2, 0, 0, 1.25};       // one station
    f.DesignRecords[2] = {1, 1, 2, 1, 0, 0, 1.25};       // two cells, one reading
    f.Survey.setText(2, 1, "");
    fieldScan(f);
    EXPECT_FALSE(designRecord(f, 1));
    EXPECT_FALSE(designRecord(f, 2));
    EXPECT_EQ(f.FieldData[2][2].SecNE, 0.0);
    EXPECT_EQ(f.DesignRecords[1].AvgElevation, 0.0);
}

TEST(ImportExport, StepSizeOfATenByTenField) {
    Field f = fieldOf(10, 10, [](int, int) { return 100; });
    setWhole(f, 0, 0, 1.25, 100);
    DesignWork w(f, f.wholeField(), Target::WholeField, 0, 0);
    w.planePass(100.0);
    w.importExportStep(1.0, f.DesignRecords[0]);
    w.writeBack();
    EXPECT_NEAR(f.FieldData[4][4].FullNE - 100.0, 1.0 / (9 * 10000.0 * 10 - 1) * 10, 1e-14);

    f.prefs.feet = false;  // meters: a third instead of ten times
    DesignWork m(f, f.wholeField(), Target::WholeField, 0, 0);
    m.planePass(100.0);
    m.importExportStep(1.0, f.DesignRecords[0]);
    m.writeBack();
    EXPECT_NEAR(f.FieldData[4][4].FullNE - 100.0, 1.0 / (9 * 10000.0 * 10 - 1) / 3, 1e-14);
}

TEST(ImportExport, LoopsMeetTheirTargets) {
    struct Case {
        double ie;
        bool rod;
    };
    for (const Case c : {Case{100, false}, Case{-80, false}, Case{250, true}, Case{-150, true}}) {
        Field f = rolling(10, 10);
        f.prefs.RodReadings = c.rod;
        setWhole(f, 0, 0, 1.25, c.ie);
        ASSERT_TRUE(designRecord(f, 0));
        const TDesignRecord& r = f.DesignRecords[0];
        double residual = c.ie >= 0 ? c.ie + r.TotalCut / 1.25 - r.TotalFill : c.ie - (1.25 * r.TotalFill - r.TotalCut);
        EXPECT_LT(std::fabs(residual), 1.0) << c.ie << " rod " << c.rod;
    }
}

TEST(ImportExport, OneRowRectangleAndZeroRatioStayFinite) {
    // One row high: the step still moves the residual towards zero.
    Field row = fieldOf(12, 1, [](int c, int) { return 100.0 + 0.2 * std::sin(c); });
    setWhole(row, 0, 0, 1.25, 40);
    ASSERT_TRUE(designRecord(row, 0));
    const TDesignRecord& r = row.DesignRecords[0];
    EXPECT_LT(std::fabs(40 + r.TotalCut / 1.25 - r.TotalFill), 1.0);

    // A ratio of 0 with an import: the import is steered towards covering
    // the fill alone, never through a division by zero.
    Field f = rolling(8, 8);
    setWhole(f, 0, 0, 0, 0);
    ASSERT_TRUE(designRecord(f, 0));
    const double fillWithoutImport = f.DesignRecords[0].TotalFill;
    setWhole(f, 0, 0, 0, 150);
    ASSERT_TRUE(designRecord(f, 0));
    EXPECT_TRUE(std::isfinite(f.DesignRecords[0].TotalCut));
    EXPECT_LT(std::fabs(f.DesignRecords[0].TotalFill - 150), std::fabs(fillWithoutImport - 150) / 4);
    for (int c = 1; c <= 8; ++c) EXPECT_TRUE(std::isfinite(f.FieldData[c][3].FullNE));
}

TEST(TrialDesign, NeedsFiveStationsAndStoresTheDefaultRatio) {
    Field small = fieldOf(2, 2, [](int, int) { return 100; });
    EXPECT_FALSE(trialDesign(small, 0, 0));

    Field f = rolling(6, 5);
    f.prefs.defaultRatioText = "1.40";
    f.DesignRecords[0].CutFillRatio = 0;
    auto cut = trialDesign(f, 0.1, 0.0);
    ASSERT_TRUE(cut);
    EXPECT_EQ(f.DesignRecords[0].CutFillRatio, 1.4);
    EXPECT_EQ(*cut, roundTo(*cut, 1));
    EXPECT_NE(f.FieldData[3][3].FullNE, 0.0);  // the trial plane stays in the stations
}

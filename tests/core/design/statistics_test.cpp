#include <gtest/gtest.h>

#include "core/design/statistics.h"
#include "support/field_builder.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {
Field rising3x3() { return fieldOf(3, 3, [](int, int r) { return 99.0 + r; }); }
}  // namespace

TEST(BestFit, WholeFieldOfThreeRisingRows) {
    Field f = rising3x3();
    BestFit b = wholeFieldBestFit(f);
    EXPECT_DOUBLE_EQ(b.ColSlope, 1.0);
    EXPECT_DOUBLE_EQ(b.RowSlope, 0.0);
    EXPECT_DOUBLE_EQ(b.average, 101.0);
    Centroid c = rectangleCentroid(f, f.wholeField());
    EXPECT_EQ(c.count, 9);
    EXPECT_DOUBLE_EQ(c.meanRow, 2.0);
    EXPECT_DOUBLE_EQ(c.meanCol, 2.0);
    ASSERT_EQ(f.RowAverages.size(), 4u);
    EXPECT_DOUBLE_EQ(f.RowAverages[3], 102.0);
    EXPECT_DOUBLE_EQ(f.ColAverages[1], 101.0);

    f.prefs.rowSpacingText = "50";
    EXPECT_DOUBLE_EQ(wholeFieldBestFit(f).ColSlope, 2.0);
}

TEST(BestFit, PerStepSlopeIsRoundedBeforeItIsScaled) {
    // 0.01234 per step at 50 ft: rounded to 0.012 first, shown as 0.024.
    Field f;
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 2; ++c) f.Survey.setText(c, r, formatFixed(100.0 + 0.01234 * r, 5));
    fieldScan(f);
    f.prefs.rowSpacingText = "50";
    EXPECT_NEAR(wholeFieldBestFit(f).ColSlope, 0.024, 1e-15);
}

TEST(BestFit, ZeroReadingIsAStationButNotAValue) {
    // A reading of 0.00 fits like an empty cell but counts as a station.
    Field zero = rising3x3();
    zero.Survey.setText(2, 2, "0.00");
    fieldScan(zero);
    Field empty = rising3x3();
    empty.Survey.setText(2, 2, "");
    fieldScan(empty);
    BestFit a = wholeFieldBestFit(zero), b = wholeFieldBestFit(empty);
    EXPECT_DOUBLE_EQ(a.average, 101.0);
    EXPECT_EQ(a.average, b.average);
    EXPECT_EQ(a.ColSlope, b.ColSlope);
    EXPECT_EQ(a.RowSlope, b.RowSlope);
    EXPECT_EQ(zero.NumStations, 9);
    EXPECT_EQ(empty.NumStations, 8);
    EXPECT_EQ(rectangleCentroid(zero, zero.wholeField()).count, 9);
}

TEST(BestFit, RodReadingsTurnTheSign) {
    EXPECT_DOUBLE_EQ(readingsSlope({5.0, 6.0, 7.0}, true), -1.0);
    EXPECT_DOUBLE_EQ(seriesSlope({5.0, 6.0, 7.0}, false), 1.0);
    // Zeros are skipped and the rest regressed at their running count.
    EXPECT_DOUBLE_EQ(readingsSlope({1.0, 2.0, 0.0, 3.0}, false), 1.0);
    EXPECT_DOUBLE_EQ(seriesSlope({1.0, 2.0, 0.0, 3.0}, false), 0.4);
    EXPECT_EQ(readingsSlope({4.0}, false), 0.0);
    EXPECT_EQ(readingsSlope({}, false), 0.0);
}

TEST(BestFit, RowWithOneReadingStillCountsInTheDivisor) {
    // Rows 1 and 2 rise by 1 per column; row 3 has a single reading.
    Field f = fieldFromRows({{"100.00", "101.00", "102.00"}, {"100.00", "101.00", "102.00"}, {"100.00", "", ""}});
    BestFit b = wholeFieldBestFit(f);
    EXPECT_NEAR(b.RowSlope, roundTo(2.0 / 3.0, 3), 1e-12);
}

TEST(BestFit, SectorIsFittedThroughItsRowAndColumnAverages) {
    Field f = fieldOf(6, 6, [](int c, int) { return 100.0 + c; });
    f.Survey.setText(3, 3, "");  // gaps leave every column of the sector a reading
    f.Survey.setText(4, 5, "");
    fieldScan(f);
    BestFit b = bestFitOfRectangle(f, {2, 2, 5, 5});
    EXPECT_DOUBLE_EQ(b.RowSlope, 1.0);
    EXPECT_DOUBLE_EQ(b.average, 103.5);
    // A column without any reading enters as an average of 0.
    for (int r = 2; r <= 5; ++r) f.Survey.setText(5, r, "");
    EXPECT_LT(bestFitOfRectangle(f, {2, 2, 5, 5}).RowSlope, 0.0);
}

TEST(Averages, RoundedToThreeDecimalsAndSevenDigits) {
    Field f = fieldFromRows({{"612.34567", "612.34567"}});
    EXPECT_DOUBLE_EQ(rectangleAverage(f, f.wholeField()), 612.346);
    Field g = fieldFromRows({{"12345.6789"}});
    EXPECT_DOUBLE_EQ(rectangleAverage(g, g.wholeField()), 12345.68);
    Field e = fieldFromRows({{"", "0.00"}});
    EXPECT_EQ(rectangleAverage(e, e.wholeField()), 0.0);
}

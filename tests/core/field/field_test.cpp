#include <gtest/gtest.h>

#include "core/field/field.h"
#include "support/field_builder.h"

using namespace tarnwick;
using namespace tarnwick::test;

TEST(FieldScan, CountsTheRectangleOfReadingsMinusEmptyStations) {
    Field f;
    f.Survey.setText(3, 5, "100.00");  // C5
    f.Survey.setText(1, 2, "99.50");   // A2
    fieldScan(f);
    EXPECT_EQ(f.NumCols, 3);
    EXPECT_EQ(f.NumRows, 5);
    EXPECT_EQ(f.NumStations, 2);
    EXPECT_EQ(f.FieldData.size(), 4u);
    EXPECT_EQ(f.FieldData[3].size(), 6u);
    EXPECT_EQ(f.FieldData[3][5].oe, 100.0);
}

TEST(FieldScan, UnreadableCellStillHoldsAReadingOfZero) {
    Field f = fieldFromRows({{"12.5C", "F3", "CC1"}});
    EXPECT_EQ(f.NumStations, 3);
    EXPECT_EQ(f.FieldData[1][1].oe, 12.5);
    EXPECT_EQ(f.FieldData[2][1].oe, 3.0);
    EXPECT_EQ(f.FieldData[3][1].oe, 0.0);
}

TEST(FieldScan, ExtremesStartFromTheFirstReading) {
    struct Case {
        std::vector<std::string> readings;
        double max, min;
    };
    const Case cases[] = {
        {{"-5.00", "-2.50", "-7.25"}, -2.5, -7.25},     // all negative: the true maximum
        {{"999.00", "999.50", "1200.00"}, 1200, 999},   // all at or above 999: the true minimum
        {{"100.00", "", "98.00"}, 100, 98},
    };
    for (const auto& c : cases) {
        Field f = fieldFromRows({c.readings});
        EXPECT_EQ(f.MaxReading, c.max);
        EXPECT_EQ(f.MinReading, c.min);
    }
}

TEST(FieldScan, RepairsWeightsAndGrowsTheFullDesignGridOnly) {
    Field f = fieldOf(3, 40, [](int, int) { return 100; });
    EXPECT_EQ(f.fullDesignRows, 122);
    f.FieldData[2][2].Weight = 0;
    f.FieldData[2][3].Weight = -1;
    f.FieldData[2][4].Weight = 0.5;
    fieldScan(f);
    EXPECT_EQ(f.FieldData[2][2].Weight, 1.0);
    EXPECT_EQ(f.FieldData[2][3].Weight, 1.0);
    EXPECT_EQ(f.FieldData[2][4].Weight, 0.5);

    clearField(f);
    for (int r = 1; r <= 10; ++r) f.Survey.setText(1, r, "100.00");
    fieldScan(f);
    EXPECT_EQ(f.fullDesignRows, 122);
    EXPECT_EQ(f.FieldData[1][4].Weight, 1.0);  // clearing forgets partial stations
}

TEST(FieldArea, WeightsAndUnits) {
    Field f = fieldOf(2, 2, [](int, int) { return 100; });
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r) f.FieldData[c][r].Weight = 0.5;
    EXPECT_NEAR(rectangleArea(f, f.wholeField()), 20000.0 / 43560.0, 1e-12);  // 0.46 acres

    Field m = fieldOf(1, 2, [](int, int) { return 10; });
    m.Survey.setText(1, 2, "");
    fieldScan(m);
    m.prefs.feet = false;
    m.prefs.rowSpacingText = m.prefs.colSpacingText = "30";
    EXPECT_DOUBLE_EQ(rectangleArea(m, {1, 1, 1, 2}), 0.09);  // the empty station adds nothing
}

TEST(FieldArea, SpacingThatIsNotAWholeNumberStopsTheArea) {
    Field f = fieldOf(2, 2, [](int, int) { return 100; });
    f.prefs.rowSpacingText = "12.5";
    EXPECT_THROW(rectangleArea(f, f.wholeField()), SpacingError);
}

TEST(SurveyGrid, RowAndColumnMovesCarryTextAndPictures) {
    SurveyGrid g;
    g.setText(2, 3, "101.00");
    g.setPicture(2, 3, kPicturePartial);
    g.insertRow(2);
    EXPECT_EQ(g.text(2, 4), "101.00");
    EXPECT_EQ(g.picture(2, 4), kPicturePartial);
    EXPECT_TRUE(g.text(2, 3).empty());
    g.deleteCol(1);
    EXPECT_EQ(g.text(1, 4), "101.00");
    EXPECT_EQ(g.value(1, 4), 101.0);
    g.setText(1, kMaxStationRows, "5.00");
    g.insertRow(1);  // pushed past the last station row: dropped
    EXPECT_TRUE(g.text(1, kMaxStationRows).empty());
    EXPECT_EQ(g.text(1, 5), "101.00");
}

TEST(Sectors, SectorOfStation) {
    Field f = fieldOf(10, 20, [](int, int) { return 100; });
    f.NumSectors = 2;
    f.DesignRecords[1] = {1, 1, 5, 20};
    f.DesignRecords[2] = {6, 1, 10, 20};
    EXPECT_EQ(sectorOfStation(f, 5, 20), 1);
    EXPECT_EQ(sectorOfStation(f, 6, 1), 2);
    f.NumSectors = 1;  // records above NumSectors are stale
    EXPECT_EQ(sectorOfStation(f, 6, 1), 0);
}

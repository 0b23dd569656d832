#include <gtest/gtest.h>

#include "core/design/result_tables.h"
#include "support/field_builder.h"

using namespace tarnwick;
using namespace tarnwick::test;

TEST(Marks, ThresholdsAndColours) {
    struct Case {
        double cutFill;
        const char* text;
        CellColour colour;
    };
    const Case cases[] = {
        {-0.004, "G0.00", CellColour::Green}, {-0.006, "C-0.01", CellColour::Red},
        {-0.005, "G-0.01", CellColour::Red},  {0.005, "G0.01", CellColour::Blue},
        {0.30, "F0.30", CellColour::Blue},    {-0.25, "C-0.25", CellColour::Red},
        {0.0, "G0.00", CellColour::Green},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cutFillText(c.cutFill), c.text) << c.cutFill;
        EXPECT_EQ(colourOfText(c.text), c.colour) << c.text;
    }
    EXPECT_EQ(colourOfText("-177"), CellColour::Red);
    EXPECT_EQ(colourOfText("0"), CellColour::Green);
    EXPECT_EQ(colourOfText("101.25"), CellColour::Blue);
    EXPECT_EQ(colourOfText(""), CellColour::Default);
}

TEST(Yardbook, TotalsAreExactSumsOfStationVolumes) {
    // 100 stations in one row, each 0.4 cubic yards of fill: a running total
    // rounded after every addition would show 0; the exact sum is 40.
    Field f = fieldOf(100, 1, [](int, int) { return 100; });
    for (int c = 1; c <= 100; ++c) {
        f.FieldData[c][1].FullNE = 100.00108;
        f.FieldData[c][1].FullCF = 0.00108;  // 0.00108 x 10000 / 27 = 0.4
    }
    ResultGrids g;
    g.fill(f, DesignView::FullField);
    EXPECT_NEAR(g.totals().rowFill[1], 40.0, 1e-9);
    EXPECT_NEAR(g.totals().grandFill, 40.0, 1e-9);
    EXPECT_EQ(g.yardbookText(103, 1), "40");  // row fill total, column NumCols + 3
    EXPECT_EQ(g.yardbookText(102, 1), "0");   // a total that received nothing
    EXPECT_EQ(g.yardbookText(5, 3), "0");     // column cut total, row NumRows + 2
    EXPECT_EQ(g.yardbookText(103, 4), "40");  // grand fill
    EXPECT_EQ(g.yardbookText(103, 3), "");    // the other corners stay empty
    EXPECT_EQ(g.yardbookText(101, 1), "");
}

TEST(Yardbook, LayoutOfStationsTotalsAndHeaders) {
    Field f = fieldFromRows({{"100.30", "", "99.70"}, {"100.00", "100.10", "99.90"}});
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            if (f.Survey.holdsReading(c, r)) {
                f.FieldData[c][r].FullNE = 100.0;
                f.FieldData[c][r].FullCF = 100.0 - f.FieldData[c][r].oe;
            }
    ResultGrids g;
    g.fill(f, DesignView::FullField);
    EXPECT_EQ(g.yardbookText(1, 1), "C-0.30");
    EXPECT_EQ(g.yardbookText(2, 1), "");  // no reading, no design
    EXPECT_EQ(g.yardbookText(3, 1), "F0.30");
    EXPECT_EQ(g.yardbookColour(1, 1), CellColour::Red);
    EXPECT_EQ(g.yardbookText(5, 1), "-111");  // row cut: 0.30 x 10000 / 27
    EXPECT_EQ(g.yardbookColour(5, 1), CellColour::Red);
    EXPECT_EQ(g.yardbookText(6, 1), "111");
    EXPECT_NEAR(g.totals().grandCut, -111.111 - 37.037, 1e-9);
    EXPECT_EQ(g.yardbookText(0, 3), "  ");
    EXPECT_EQ(g.yardbookText(0, 4), "Cut");
    EXPECT_EQ(g.yardbookText(0, 5), "Fill");
    EXPECT_EQ(g.yardbookText(4, 0), "   ");
    EXPECT_EQ(g.yardbookText(5, 0), "Cut");
    EXPECT_EQ(g.yardbookText(6, 0), "Fill");
    EXPECT_EQ(g.yardbookText(7, 0), "G");
    EXPECT_EQ(g.yardbookText(0, 7), "7");

    EXPECT_EQ(g.fullDesignText(1, 1), "100.30");
    EXPECT_EQ(g.fullDesignText(1, 2), "100.00");
    EXPECT_EQ(g.fullDesignText(1, 3), "C-0.30");
    EXPECT_EQ(g.fullDesignColour(1, 3), CellColour::Red);
    EXPECT_EQ(g.fullDesignColour(1, 2), CellColour::Default);
    EXPECT_EQ(g.fullDesignText(2, 1), "");
    EXPECT_EQ(g.fullDesignText(0, 4), "2");
    EXPECT_EQ(g.fullDesignText(0, 5), "-");
    EXPECT_EQ(g.finalElevationText(3, 1), "100.00");
    EXPECT_EQ(g.finalElevationColour(3, 1), CellColour::Blue);
}

TEST(Yardbook, LargeFieldKeepsItsTotalsOnTheGrid) {
    Field f = fieldOf(129, 129, [](int, int) { return 100; });
    ResultGrids g;
    g.fill(f, DesignView::FullField);
    EXPECT_EQ(g.yardbookRowCount(), 133);
    EXPECT_EQ(g.yardbookColCount(), 133);
    EXPECT_EQ(g.yardbookText(0, 132), "Fill");
    EXPECT_EQ(g.fullDesignColCount(), 130);
}

TEST(SectorOutline, BordersOnlyInTheSectorView) {
    Field f = fieldOf(10, 20, [](int, int) { return 100; });
    f.NumSectors = 1;
    f.DesignRecords[1] = {2, 3, 4, 6};
    EXPECT_FALSE(sectorBorders(f, DesignView::FullField, 2, 3, false).any());
    CellBorders corner = sectorBorders(f, DesignView::Sector, 2, 3, false);
    EXPECT_TRUE(corner.top && corner.left && !corner.bottom && !corner.right);
    CellBorders last = sectorBorders(f, DesignView::Sector, 4, 6, false);
    EXPECT_TRUE(last.bottom && last.right);
    EXPECT_FALSE(sectorBorders(f, DesignView::Sector, 5, 6, false).any());
    EXPECT_TRUE(sectorBorders(f, DesignView::Sector, 3, 7, true).top);      // 3 x 3 - 2
    EXPECT_TRUE(sectorBorders(f, DesignView::Sector, 3, 18, true).bottom);  // 3 x 6
    EXPECT_FALSE(sectorBorders(f, DesignView::Sector, 3, 17, true).bottom);
}

// The 3D view without a window: the refresh of the plotted surface, the
// cells the before-drawing rule keeps, the mouse rules and labels, the
// drawing list and the hit test.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/base/number_format.h"
#include "core/session/session.h"
#include "core/session/surface_source.h"
#include "core/view3d/projection.h"
#include "core/view3d/surface.h"
#include "support/field_builder.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

Surface3D refreshed(const Field& f, bool rod = false) {
    Field copy = f;
    copy.prefs.RodReadings = rod;
    Surface3D s;
    EXPECT_TRUE(s.refresh({&copy, 100, 100}));
    return s;
}

// A field of `cols` x `rows` stations rising from 95 at A1 to 105 at the
// far corner, with the given stations left empty.
Field slope(int cols, int rows, std::set<std::pair<int, int>> empty = {}) {
    Field f = fieldOf(cols, rows, [&](int c, int r) { return 95.0 + 10.0 * (c + r - 2) / (cols + rows - 2); });
    for (auto [c, r] : empty) f.Survey.setText(c, r, "");
    fieldScan(f);
    return f;
}

}  // namespace

TEST(Surface3D, BeforeDrawingRuleKeepsCellsWithAllCornersAndTheStationTwoOn) {
    struct Case {
        const char* what;
        int cols, rows;
        std::set<std::pair<int, int>> empty;
        int drawn;
        std::vector<std::pair<int, int>> hidden;
    };
    const Case cases[] = {
        {"full 10 x 10: last row and column of cells hidden", 10, 10, {}, 64, {{9, 1}, {1, 9}, {9, 9}}},
        {"empty C3: its four cells and the cell at A1", 10, 10, {{3, 3}}, 59, {{2, 2}, {3, 2}, {2, 3}, {3, 3}, {1, 1}}},
        {"two rows: no cell has a station two rows on", 6, 2, {}, 0, {{1, 1}}},
        {"one column: no cell at all", 1, 5, {}, 0, {}},
        {"130 x 130: the station two on lies past the grid's last column", 130, 130, {}, 128 * 128, {{129, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Surface3D s = refreshed(slope(c.cols, c.rows, c.empty));
        EXPECT_EQ(s.cellsDrawn(), c.drawn);
        for (auto [col, row] : c.hidden) EXPECT_FALSE(s.cellDrawn(col, row)) << col << "," << row;
    }
    Surface3D s = refreshed(slope(10, 10, {{3, 3}}));
    EXPECT_TRUE(s.cellDrawn(4, 4));
    EXPECT_TRUE(s.cellDrawn(2, 1));
}

TEST(Surface3D, MatrixRepeatsTheHeightBeforeAnEmptyStation) {
    // A1 empty: 0 before the first reading; C1 empty repeats B1; A2 repeats
    // the last of row 1.
    Field f = fieldFromRows({{"", "101.00", "", "103.00"}, {"", "102.00", "104.00", "105.00"}});
    Surface3D s = refreshed(f);
    EXPECT_EQ(s.height(1, 1), 0);
    EXPECT_EQ(s.height(3, 1), 101);
    EXPECT_EQ(s.height(1, 2), 103);
    EXPECT_EQ(s.MinReading(), 101);
    EXPECT_EQ(s.MaxReading(), 105);
}

TEST(Surface3D, RangesColoursAndScales) {
    struct Case {
        const char* what;
        int cols, rows;
        bool rod;
        AxisRange z, color, x, y;
        double yScale;
        Rgb low, high;
    };
    const Case cases[] = {
        {"elevations 95 .. 105",
         10,
         10,
         false,
         {93.75, 106.25},
         {95, 105},
         {100, 1000},
         {100, 1000},
         1.0,
         kLightBlue,
         kLightRed},
        {"rod readings reverse the z axis and the colours",
         10,
         10,
         true,
         {106.25, 93.75},
         {95, 105},
         {100, 1000},
         {100, 1000},
         1.0,
         kLightRed,
         kLightBlue},
        {"20 columns, 10 rows",
         20,
         10,
         false,
         {93.75, 106.25},
         {95, 105},
         {100, 2000},
         {100, 1000},
         0.5,
         kLightBlue,
         kLightRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Surface3D s = refreshed(slope(c.cols, c.rows), c.rod);
        EXPECT_EQ(s.colorScale(), c.color);
        EXPECT_DOUBLE_EQ(s.zAxis().lo, c.z.lo);
        EXPECT_DOUBLE_EQ(s.zAxis().hi, c.z.hi);
        EXPECT_EQ(s.xAxis(), c.x);
        EXPECT_EQ(s.yAxis(), c.y);
        EXPECT_DOUBLE_EQ(s.scaleY(), c.yScale);
        EXPECT_EQ(s.lowColor(), c.low);
        EXPECT_EQ(s.highColor(), c.high);
        EXPECT_EQ(s.colorOf(95), c.low);
        EXPECT_EQ(s.colorOf(100), kLightGreen);
        EXPECT_EQ(s.colorOf(105), c.high);
    }
}

TEST(Surface3D, ExtremesSkipReadingsAtOrBelowMinus999) {
    Field f = fieldFromRows({{"-1000", "5", "7"}, {"6", "-999", "8"}});
    Surface3D s = refreshed(f);
    EXPECT_EQ(s.MinReading(), 5);
    EXPECT_EQ(s.MaxReading(), 8);
    // Nothing above -999: the minimum keeps its starting 999.
    Surface3D low = refreshed(fieldFromRows({{"-1000", "-1001"}, {"-1002", "-1003"}}));
    EXPECT_EQ(low.MinReading(), 999);
    EXPECT_EQ(low.MaxReading(), -999);
}

TEST(Surface3D, FlatSurfaceHasAnAxisAndTheMiddleColour) {
    Surface3D s = refreshed(fieldOf(5, 5, [](int, int) { return 100.0; }));
    EXPECT_EQ(s.zAxis(), (AxisRange{99, 101}));
    EXPECT_EQ(s.colorOf(100), kLightGreen);
    const SurfaceDrawing d = SurfaceProjection(s, 400, 300).drawing();
    ASSERT_EQ(d.cells.size(), 9u);
    for (const SurfaceCell& cell : d.cells)
        for (const ScreenPoint& p : cell.corners) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST(Surface3D, NoStationsKeepsThePicture) {
    Surface3D s = refreshed(slope(4, 4));
    Field empty;
    EXPECT_FALSE(s.refresh({&empty, 100, 100}));
    EXPECT_EQ(s.cols(), 4);
    EXPECT_EQ(s.cellsDrawn(), 4);
}

TEST(Surface3D, MouseRulesAndLabels) {
    Surface3D s;
    EXPECT_EQ(s.angleLabel(), "angle ");
    EXPECT_EQ(s.stationLabel(), "Station: ");
    s.resetAngles();
    s.afterMouseAction(s.angleX(), s.angleZ(), 0.25);
    EXPECT_EQ(s.magnification(), 0.4);
    EXPECT_EQ(s.angleLabel(), "X:70 Z:310");
    s.afterMouseAction(-20, 365.4, 1.7);
    EXPECT_EQ(s.magnification(), 1.7);
    EXPECT_EQ(s.angleLabel(), "X:340 Z:5");
    s.mouseOver(std::pair{27, 12});
    EXPECT_EQ(s.stationLabel(), "Station: AA12");
    s.mouseOver(std::nullopt);
    EXPECT_EQ(s.stationLabel(), "Station:    ");
    // A refresh empties the angle label.
    Field f = slope(4, 4);
    s.refresh({&f, 100, 100});
    EXPECT_EQ(s.angleLabel(), "");
}

TEST(Surface3D, ChoosesTheSurfaceAndDropsSectorDesignWithTheLastSector) {
    ScriptedPrompt prompt;
    Session session(prompt);
    session.field = slope(10, 10);
    session.field.NumSectors = 1;
    session.field.DesignRecords[1] = {1, 1, 5, 10, 0.1, 0, 1.25, 0};
    session.recalculate();
    Surface3D s;
    ASSERT_TRUE(refreshSurface(session, s));
    EXPECT_TRUE(s.sectorChoiceVisible());
    s.choose(SurfaceChoice::SectorDesign);
    refreshSurface(session, s);
    EXPECT_EQ(s.choice(), SurfaceChoice::SectorDesign);
    const Field& f = session.field;
    EXPECT_EQ(s.height(2, 3), f.station(2, 3)->SecNE);
    // Outside the sector the sector elevation is 0, which stretches the axis.
    EXPECT_EQ(s.height(8, 3), 0);
    EXPECT_EQ(s.MinReading(), 0);
    s.choose(SurfaceChoice::FullDesign);
    refreshSurface(session, s);
    EXPECT_EQ(s.height(8, 3), f.station(8, 3)->FullNE);

    s.choose(SurfaceChoice::SectorDesign);
    prompt.answers = {Answer::Yes};
    session.clearAllSectorsCommand();
    refreshSurface(session, s);
    EXPECT_FALSE(s.sectorChoiceVisible());
    EXPECT_EQ(s.choice(), SurfaceChoice::FullDesign);

    // A spacing that is not a whole number leaves the picture alone.
    session.field.prefs.colSpacingText = "1O0";
    EXPECT_FALSE(refreshSurface(session, s));
}

TEST(SurfaceProjection, PaintersOrderAxesAndLabels) {
    Surface3D s = refreshed(slope(10, 10));
    s.afterMouseAction(90, 0, 1.0);  // from the side, rows running away from the viewer
    const SurfaceDrawing d = SurfaceProjection(s, 800, 600).drawing();
    ASSERT_EQ(d.cells.size(), 64u);
    for (size_t i = 1; i < d.cells.size(); ++i) EXPECT_GE(d.cells[i - 1].row, d.cells[i].row);
    EXPECT_EQ(d.meshColor, kMaroon);
    EXPECT_EQ(d.backFrame.size() + d.frontFrame.size(), 12u);

    std::vector<std::string> captions, texts;
    for (const SurfaceLabel& l : d.labels) (l.caption ? captions : texts).push_back(l.text);
    EXPECT_EQ(captions, (std::vector<std::string>{"X", "Y", "Z"}));
    // X and Y ticks run 200 .. 1000 with no decimals, Z with two.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1000"), 2);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "100.00"), texts.end());
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find('.') != t.npos; }), 7);
}

TEST(SurfaceProjection, AxisTicks) {
    EXPECT_EQ(axisTicks(100, 1000, 3), (std::vector<double>{200, 400, 600, 800, 1000}));
    EXPECT_EQ(axisTicks(106.25, 93.75, 4), (std::vector<double>{94, 96, 98, 100, 102, 104, 106}));
    EXPECT_EQ(axisTicks(-0.5, 0.5, 3), (std::vector<double>{-0.5, 0, 0.5}));
    EXPECT_EQ(axisTicks(5, 5, 3), (std::vector<double>{5}));
}

TEST(SurfaceProjection, HitTestNamesTheCornerStationsInTwoViews) {
    Surface3D s = refreshed(slope(10, 10));
    for (auto [ax, az] : {std::pair{70.0, 310.0}, std::pair{40.0, 135.0}}) {
        SCOPED_TRACE(std::to_string(ax) + " " + std::to_string(az));
        s.afterMouseAction(ax, az, 1.0);
        const SurfaceProjection p(s, 1000, 700);
        const ScreenPoint centre = p.station(5, 5);
        for (auto [c, r, name] : {std::tuple{1, 1, "A1"}, {10, 1, "J1"}, {1, 10, "A10"}, {10, 10, "J10"}}) {
            // A little way in from the corner, towards the middle of the field.
            const ScreenPoint corner = p.station(c, r);
            const double x = corner.x + (centre.x - corner.x) * 0.04, y = corner.y + (centre.y - corner.y) * 0.04;
            auto hit = p.stationAt(x, y);
            ASSERT_TRUE(hit) << name;
            EXPECT_EQ(stationName(hit->first, hit->second), name);
        }
        EXPECT_FALSE(p.stationAt(2, 2));
    }
}

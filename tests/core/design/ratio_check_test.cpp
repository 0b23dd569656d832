#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/design/kernel.h"
#include "core/base/number_format.h"
#include "core/design/ratio_check.h"
#include "core/session/design_tools.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

double rolling(int c, int r) {
    return 100.0 + 0.4 * std::sin(c * 0.8) + 0.3 * std::cos(r * 0.6) + 0.03 * c;
}

// A cols x rows field of rolling ground, designed; rod readings are the
// same ground read from an instrument height of 110.
void designField(Session& s, int cols, int rows, bool rod = false) {
    s.field.prefs.RodReadings = rod;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            s.field.Survey.setText(c, r, formatFixed(rod ? 110.0 - rolling(c, r) : rolling(c, r), 2));
    s.recalculate();
}

std::vector<CellPos> block(int firstCol, int firstRow, int lastCol, int lastRow) {
    std::vector<CellPos> cells;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) cells.push_back({c, r});
    return cells;
}

// The first n stations in row order.
std::vector<CellPos> firstStations(const Field& f, int n) {
    std::vector<CellPos> cells;
    for (int r = 1; r <= f.NumRows && static_cast<int>(cells.size()) < n; ++r)
        for (int c = 1; c <= f.NumCols && static_cast<int>(cells.size()) < n; ++c) cells.push_back({c, r});
    return cells;
}

// The stations designed as cut, and one fill station: a ratio well above
// the design's.
std::vector<CellPos> mostlyCut(const Field& f) {
    std::vector<CellPos> cells;
    bool fill = false;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            const double cf = f.FieldData[static_cast<size_t>(c)][static_cast<size_t>(r)].FullCF;
            if (cf < 0 || (cf > 0 && !fill)) cells.push_back({c, r});
            fill = fill || cf > 0;
        }
    return cells;
}

}  // namespace

TEST(RatioCheck, CountsDistinctSelectedStationsInsideTheField) {
    ScriptedPrompt prompt;
    Session s(prompt);
    designField(s, 6, 5);
    const Field& f = s.field;
    struct Case {
        const char* name;
        std::vector<CellPos> cells;
        int count;
        bool available;
    };
    const Case cases[] = {
        {"a block", block(2, 2, 4, 3), 6, true},
        {"a cell twice", {{3, 3}, {3, 3}}, 1, false},
        {"the total margins", {{1, 7}, {2, 8}, {8, 2}}, 0, true},
        {"the headers and beyond", {{0, 1}, {1, 0}, {7, 5}, {6, 6}, {6, 5}}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(selectedStationsCount(f, c.cells), c.count);
        EXPECT_EQ(ratioCheckAvailable(c.cells), c.available);
    }
}

TEST(RatioCheck, FewerThanTwoCellsDoNothing) {
    ScriptedPrompt prompt;
    Session s(prompt);
    designField(s, 6, 5);
    EXPECT_FALSE(checkCutFillRatio(s, {}));
    EXPECT_FALSE(checkCutFillRatio(s, {{2, 2}, {2, 2}}));
    EXPECT_TRUE(prompt.ratioChecks.empty());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(RatioCheck, WarnsOnlyAboveThreeQuartersOfTheStations) {
    struct Case {
        int selected;
        bool warning;
    };
    for (const Case c : {Case{75, false}, Case{76, true}, Case{100, true}}) {
        SCOPED_TRACE(c.selected);
        ScriptedPrompt prompt;
        Session s(prompt);
        designField(s, 10, 10);
        auto r = checkCutFillRatio(s, firstStations(s.field, c.selected));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->selectedStations, c.selected);
        EXPECT_EQ(r->warning, c.warning);
        const std::vector<std::string> expected =
            c.warning
                ? std::vector<std::string>{"info: Over 75% of the field Completed - These estimates will be invalid"}
                : std::vector<std::string>{};
        EXPECT_EQ(prompt.messages, expected);
        EXPECT_EQ(prompt.ratioChecks.size(), 1u);  // the check runs anyway
    }
}

TEST(RatioCheck, RatiosAreTheWeightedCutOverTheWeightedFill) {
    ScriptedPrompt prompt;
    Session s(prompt);
    designField(s, 6, 5);
    auto set = [&](int c, int r, double fullCF, double secCF, double weight) {
        TFieldData& st = s.field.FieldData[static_cast<size_t>(c)][static_cast<size_t>(r)];
        st.FullCF = fullCF;
        st.SecCF = secCF;
        st.Weight = weight;
    };
    set(1, 1, -20, -6, 1.0);
    set(2, 1, -20, -6, 0.5);  // -30 of cut
    set(3, 1, 40, 4, 0.5);    // +20 of fill
    set(4, 1, 0, 0, 1.0);     // neither
    auto r = checkCutFillRatio(s, block(1, 1, 4, 1));
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->fullRatio, 1.5);
    EXPECT_DOUBLE_EQ(r->sectorRatio, 4.5);
    ASSERT_EQ(prompt.ratioChecks.size(), 1u);
    EXPECT_EQ(prompt.ratioChecks[0].fullRatio, "1.50");
    EXPECT_FALSE(prompt.ratioChecks[0].sectorLineShown);  // no sectors
}

// A selection without fill has no ratio: the dialog shows "---", as "C/F
// Ratio:" does, not 0.00; fill without cut is a real ratio of 0.
TEST(RatioCheck, ASelectionWithoutFillShowsNoRatio) {
    const struct {
        const char* name;
        double cf[2][2];  // {FullCF, SecCF} of the two selected stations
        const char* full;
        const char* sector;
    } cases[] = {
        {"cut only", {{-20, -6}, {-10, -3}}, "---", "---"},
        {"cut and fill", {{-20, 6}, {10, -3}}, "2.00", "0.50"},
        {"grade only", {{0, 0}, {0, 0}}, "---", "---"},
        {"fill only in the whole field", {{30, -6}, {10, 0}}, "0.00", "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        Session s(prompt);
        s.field.NumSectors = 1;
        s.field.DesignRecords[1] = {1, 1, 3, 6, 0.0, 0.0, 1.25, 0};
        designField(s, 6, 5);
        for (int i = 0; i < 2; ++i) {
            TFieldData& st = s.field.FieldData[static_cast<size_t>(i + 1)][1];
            st.FullCF = c.cf[i][0];
            st.SecCF = c.cf[i][1];
        }
        ASSERT_TRUE(checkCutFillRatio(s, block(1, 1, 2, 1)));
        ASSERT_EQ(prompt.ratioChecks.size(), 1u);
        EXPECT_EQ(prompt.ratioChecks[0].fullRatio, c.full);
        ASSERT_TRUE(prompt.ratioChecks[0].sectorLineShown);
        EXPECT_EQ(prompt.ratioChecks[0].sectorRatio, c.sector);
    }
}

TEST(RatioCheck, MarginCellsOnlyGiveRatiosOfZeroAndNoWarning) {
    ScriptedPrompt prompt;
    Session s(prompt);
    designField(s, 4, 3);  // 12 stations: three selected cells would be 25%
    s.field.DesignRecords[0].CutFillRatio = 1.25;
    auto r = checkCutFillRatio(s, {{1, 5}, {2, 5}, {3, 6}});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->selectedStations, 0);
    EXPECT_FALSE(r->warning);
    EXPECT_EQ(r->fullRatio, 0.0);
    ASSERT_EQ(prompt.ratioChecks.size(), 1u);
    EXPECT_EQ(prompt.ratioChecks[0].fullRatio, "---");
    // A ratio of 0 is designed at the default ratio, which is the design's.
    EXPECT_EQ(prompt.ratioChecks[0].fullChange, "0.000");
    EXPECT_EQ(prompt.ratioChecks[0].fullDirection, "Raise Elevation");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(RatioCheck, ChangeDescribesTheGroundForElevationsAndRodReadings) {
    double changes[2] = {};
    for (bool rod : {false, true}) {
        SCOPED_TRACE(rod ? "rod readings" : "elevations");
        ScriptedPrompt prompt;
        Session s(prompt);
        designField(s, 10, 8, rod);
        auto r = checkCutFillRatio(s, mostlyCut(s.field));
        ASSERT_TRUE(r);
        ASSERT_TRUE(r->reference);
        EXPECT_EQ(*r->reference, (CellPos{9, 7}));
        EXPECT_GT(r->fullRatio, 1.25);

        // More cut for the same fill: the plane goes down.
        Field trial = s.field;
        trial.DesignRecords[0].CutFillRatio = r->fullRatio;
        ASSERT_TRUE(designRecord(trial, 0));
        const double moved = trial.FieldData[9][7].FullNE - s.field.FieldData[9][7].FullNE;
        EXPECT_NEAR(r->fullChange, rod ? -moved : moved, 1e-12);
        EXPECT_LT(r->fullChange, -0.01);
        ASSERT_EQ(prompt.ratioChecks.size(), 1u);
        EXPECT_EQ(prompt.ratioChecks[0].fullDirection, "Lower Elevation");
        EXPECT_EQ(prompt.ratioChecks[0].fullChange, formatFixed(r->fullChange, 3));
        changes[rod] = r->fullChange;
    }
    EXPECT_NEAR(changes[0], changes[1], 1e-9);
}

TEST(RatioCheck, EverySectorGetsItsRatioAndDesignBack) {
    ScriptedPrompt prompt;
    Session s(prompt);
    Field& f = s.field;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) f.Survey.setText(c, r, formatFixed(rolling(c, r), 2));
    f.NumSectors = 3;
    f.DesignRecords[0].CutFillRatio = 1.2;
    f.DesignRecords[1] = {1, 1, 10, 3, 0.1, 0.0, 1.1, 0};
    f.DesignRecords[2] = {1, 4, 5, 10, -0.2, 0.1, 1.3, 0};
    f.DesignRecords[3] = {6, 4, 10, 10, 0.0, -0.3, 0.9, 50};
    s.recalculate();
    const auto records = f.DesignRecords;
    const TFieldData before = f.FieldData[9][9];  // the reference station, in sector 3

    auto r = checkCutFillRatio(s, block(6, 4, 8, 6));
    ASSERT_TRUE(r);
    for (int k = 0; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(f.DesignRecords[static_cast<size_t>(k)].CutFillRatio, records[static_cast<size_t>(k)].CutFillRatio);
        EXPECT_EQ(f.DesignRecords[static_cast<size_t>(k)].TotalCut, records[static_cast<size_t>(k)].TotalCut);
    }
    EXPECT_EQ(f.FieldData[9][9].FullNE, before.FullNE);
    EXPECT_EQ(f.FieldData[9][9].SecNE, before.SecNE);

    // The sector line: the change of sector 3's plane at I9.
    Field trial = f;
    trial.DesignRecords[3].CutFillRatio = r->sectorRatio;
    ASSERT_TRUE(designRecord(trial, 3));
    EXPECT_NEAR(r->sectorChange, trial.FieldData[9][9].SecNE - before.SecNE, 1e-12);
    EXPECT_NE(r->sectorChange, 0.0);
    ASSERT_EQ(prompt.ratioChecks.size(), 1u);
    const RatioCheckForm& form = prompt.ratioChecks[0];
    EXPECT_TRUE(form.sectorLineShown);
    EXPECT_EQ(form.sectorCaption, "Sectors - Actual Cut/Fill Ratio:");
    EXPECT_EQ(form.sectorRatio, formatFixed(r->sectorRatio, 2));
    EXPECT_EQ(form.sectorDirection, r->sectorChange >= 0 ? "Raise Elevation" : "Lower Elevation");
    EXPECT_EQ(form.sectorChange, formatFixed(r->sectorChange, 3));
}

TEST(RatioCheck, ReferenceSearchStopsAtTheFieldsEdge) {
    struct Case {
        const char* name;
        int cols, rows;
        std::vector<CellPos> empty;
        std::optional<CellPos> reference;
    };
    const Case cases[] = {
        {"the station before the far corner", 5, 4, {}, CellPos{4, 3}},
        {"next on the diagonal", 5, 4, {{4, 3}, {3, 2}}, CellPos{2, 1}},
        {"an empty diagonal: first station in row order", 4, 4, {{3, 3}, {2, 2}, {1, 1}}, CellPos{2, 1}},
        {"one row: no diagonal", 6, 1, {{1, 1}}, CellPos{2, 1}},
        {"one column", 1, 6, {}, CellPos{1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        Session s(prompt);
        for (int r = 1; r <= c.rows; ++r)
            for (int col = 1; col <= c.cols; ++col) s.field.Survey.setText(col, r, formatFixed(rolling(col, r), 2));
        for (const CellPos& p : c.empty) s.field.Survey.setText(p.col, p.row, "");
        s.field.Survey.setText(c.cols, c.rows, formatFixed(rolling(c.cols, c.rows), 2));  // keeps the field's size
        s.recalculate();
        EXPECT_EQ(ratioCheckReference(s.field), c.reference);

        // The check measures the plane there.
        const CellPos ref = *c.reference;
        auto r = checkCutFillRatio(s, {{c.cols, c.rows}, {1, c.rows}, {c.cols, 1}});
        ASSERT_TRUE(r);
        Field trial = s.field;
        trial.DesignRecords[0].CutFillRatio = r->fullRatio == 0 ? 1.25 : r->fullRatio;
        ASSERT_TRUE(designRecord(trial, 0));
        const double moved = trial.FieldData[static_cast<size_t>(ref.col)][static_cast<size_t>(ref.row)].FullNE -
                             s.field.FieldData[static_cast<size_t>(ref.col)][static_cast<size_t>(ref.row)].FullNE;
        EXPECT_NEAR(r->fullChange, moved, 1e-12);
    }
    Field emptyField;
    EXPECT_EQ(ratioCheckReference(emptyField), std::nullopt);
}

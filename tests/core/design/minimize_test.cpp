#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/design/kernel.h"
#include "core/design/minimize.h"
#include "core/base/number_format.h"
#include "core/session/design_tools.h"
#include "core/session/session.h"
#include "support/field_builder.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Writes readings into the Survey grid; nothing for a station where
// reading() gives NAN.
void survey(Session& s, int cols, int rows, const std::function<double(int, int)>& reading) {
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const double v = reading(c, r);
            if (!std::isnan(v)) s.field.Survey.setText(c, r, formatFixed(v, 2));
        }
}

// Surveyed on every other column: each row's regression runs over its
// readings only, so the best-fit row slope is twice the true one and the
// search has a long way to go.
double everyOtherColumn(int c, int r) {
    if (c % 2 == 0) return NAN;
    return 100.0 + 0.3 * c - 0.2 * r + 0.05 * std::sin(c * 1.3 + r * 0.7);
}

struct Counter : SessionListener {
    int results = 0;
    void changed(const Changes& c) override { results += c.results ? 1 : 0; }
};

}  // namespace

TEST(TrialDesigner, GivesExactlyTheCutOfTheTrialDesign) {
    struct Case {
        const char* name;
        bool rod;
        bool feet;
        const char* rowSpacing;
        const char* colSpacing;
    };
    const Case cases[] = {{"elevations, feet", false, true, "100", "100"},
                          {"rod readings, meters", true, false, "30", "20"},
                          {"elevations, uneven spacing", false, true, "50", "80"}};
    const double slopes[][2] = {{0, 0}, {0.12, -0.3}, {-0.457, 0.021}, {1.5, 2.25}, {-3, -0.001}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Field f = fieldOf(11, 9, [&](int col, int row) {
            const double ground = 100.0 + 0.4 * std::sin(col * 0.8) + 0.3 * std::cos(row * 0.5) + 0.05 * col;
            return c.rod ? 110.0 - ground : ground;
        });
        f.Survey.setText(4, 3, "");  // a hole
        f.Survey.setText(7, 9, "");
        fieldScan(f);
        f.FieldData[5][5].Weight = 0.5;  // a partial station
        f.prefs.RodReadings = c.rod;
        f.prefs.feet = c.feet;
        f.prefs.rowSpacingText = c.rowSpacing;
        f.prefs.colSpacingText = c.colSpacing;
        f.DesignRecords[0].CutFillRatio = 1.1;

        TrialDesigner trial(f);
        ASSERT_TRUE(trial.ready());
        for (const auto& s : slopes) {
            SCOPED_TRACE(s[0]);
            EXPECT_EQ(trial.cut(s[0], s[1]), trialDesign(f, s[0], s[1], false));
        }
        // The plane of the last trial is the trial design's plane.
        trial.writeBack();
        const double kept = f.FieldData[9][8].FullNE;
        trialDesign(f, slopes[4][0], slopes[4][1], true);
        EXPECT_EQ(f.FieldData[9][8].FullNE, kept);
    }
}

TEST(TrialDesigner, MakesNoTrialBelowFiveStationsAndTakesTheDefaultRatio) {
    Field four = fieldFromRows({{"100.00", "100.50"}, {"99.80", "100.20"}});
    TrialDesigner none(four);
    EXPECT_FALSE(none.ready());
    EXPECT_EQ(none.cut(0, 0), std::nullopt);

    Field f = fieldOf(3, 2, [](int c, int r) { return 100.0 + 0.1 * c - 0.2 * r; });
    f.prefs.defaultRatioText = "1.40";
    TrialDesigner trial(f);
    EXPECT_TRUE(trial.ready());
    EXPECT_EQ(f.DesignRecords[0].CutFillRatio, 1.4);
}

TEST(SlopeSearch, StartingSlopesThatAreBestStay) {
    // A plane: at its best-fit slopes the design lies on the ground, and any
    // step tilts it away, so the first step of every direction raises the cut.
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, 6, 5, [](int c, int r) { return 100.0 + 0.3 * c + 0.5 * r; });
    s.recalculate();
    const BestFit bf = *s.info.bestFit;
    ASSERT_EQ(formatFixed(bf.RowSlope, 3), "0.300");
    ASSERT_EQ(formatFixed(bf.ColSlope, 3), "0.500");

    auto r = minimizeYardage(s);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->trials, 1 + 2 * 4);
    EXPECT_EQ(r->rowSlope, bf.RowSlope);
    EXPECT_EQ(r->colSlope, bf.ColSlope);
    EXPECT_EQ(r->leastCut, *s.info.yardage);
    EXPECT_EQ(s.info.BFYards, formatFixed(*s.info.yardage, 0));
    EXPECT_EQ(s.info.RSBest, "0.300");
    EXPECT_EQ(s.info.CSBest, "0.500");
}

TEST(SlopeSearch, EqualCutsAreWalkedOnToTheEndOfEveryDirection) {
    // Stations one foot apart move so little soil that every trial cut
    // rounds to 0.0: each direction takes all its 50 moves.
    Field f = fieldOf(3, 3, [](int, int) { return 100.0; });
    f.prefs.rowSpacingText = f.prefs.colSpacingText = "1";
    auto r = slopeSearch(f, 0.2, -0.1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->trials, 1 + 2 * 4 * 50);
    EXPECT_EQ(r->leastCut, 0.0);
    // Up 50, down 50 in each slope and step: back where it started.
    EXPECT_NEAR(r->rowSlope, 0.2, 1e-9);
    EXPECT_NEAR(r->colSlope, -0.1, 1e-9);
}

TEST(SlopeSearch, WalksToLessCutAndLeavesTheStationsAlone) {
    Field f;
    {
        SilentPrompt quiet;
        Session s(quiet);
        survey(s, 13, 10, everyOtherColumn);
        s.recalculate();
        f = s.field;
    }
    const BestFit bf = wholeFieldBestFit(f);
    const double startCut = *trialDesign(f, bf.RowSlope, bf.ColSlope, false);
    const double ne = f.FieldData[5][4].FullNE;
    auto r = slopeSearch(f, bf.RowSlope, bf.ColSlope);
    ASSERT_TRUE(r);
    EXPECT_LT(r->leastCut, startCut);
    EXPECT_GT(r->trials, 9);
    EXPECT_LE(r->trials, 401);
    EXPECT_LT(r->rowSlope, bf.RowSlope);  // towards the true 0.3
    EXPECT_EQ(r->leastCut, trialDesign(f, r->rowSlope, r->colSlope, false));
    EXPECT_EQ(f.FieldData[5][4].FullNE, ne);
}

TEST(MinimizeYardage, DesignsTheWholeFieldWithTheFoundSlopes) {
    ScriptedPrompt prompt;
    Session s(prompt);
    Counter views;
    s.addListener(&views);
    survey(s, 13, 10, everyOtherColumn);
    s.useBestFitSlopes = true;
    s.recalculate();
    s.FieldSaved = true;
    views.results = 0;
    std::vector<std::string> captions;

    auto r = minimizeYardage(s, [&](const std::string& c) { captions.push_back(c); });
    ASSERT_TRUE(r);
    EXPECT_EQ(captions, (std::vector<std::string>{"Minimizing...", "Minimize Yardage"}));
    const TDesignRecord& rec = s.field.DesignRecords[0];
    EXPECT_EQ(rec.RowSlope, r->rowSlope);
    EXPECT_EQ(rec.ColSlope, r->colSlope);
    EXPECT_EQ(s.info.BFYards, formatFixed(*r->leastCut, 0));
    EXPECT_EQ(s.info.RSBest, formatFixed(r->rowSlope, 3));
    EXPECT_EQ(s.info.CSBest, formatFixed(r->colSlope, 3));
    EXPECT_LT(r->leastCut, *s.info.yardage);  // the best fit's own yardage stays known
    EXPECT_FALSE(s.useBestFitSlopes);
    EXPECT_FALSE(s.FieldSaved);

    // Record 0 and the views hold the design of the found slopes.
    Field fresh = s.field;
    ASSERT_TRUE(designRecord(fresh, 0));
    EXPECT_EQ(rec.TotalCut, fresh.DesignRecords[0].TotalCut);
    EXPECT_EQ(s.field.FieldData[7][6].FullNE, fresh.FieldData[7][6].FullNE);
    EXPECT_EQ(s.panel.rowSlope, formatFixed(r->rowSlope, 3));
    EXPECT_EQ(s.panel.totalCut, formatFixed(rec.TotalCut, 0));
    EXPECT_EQ(s.summary.totalCut, formatFixed(rec.TotalCut, 0));
    EXPECT_EQ(s.results.finalElevationText(7, 6), formatFixed(fresh.FieldData[7][6].FullNE, 2));
    EXPECT_GT(views.results, 0);
    EXPECT_TRUE(prompt.messages.empty());

    // Checking "Use Best Fit Slopes" again goes back to the best fit.
    s.setUseBestFitSlopes(true);
    EXPECT_EQ(s.info.RSBest, formatFixed(s.info.bestFit->RowSlope, 3));
}

TEST(MinimizeYardage, LeavesTheSectorDesignsAlone) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, 13, 10, everyOtherColumn);
    Field& f = s.field;
    f.NumSectors = 2;
    f.DesignRecords[1] = {1, 1, 13, 5, 0.2, -0.1, 1.0, 0};
    f.DesignRecords[2] = {1, 6, 13, 10, 0.4, -0.3, 1.5, 0};
    s.recalculate();
    const TDesignRecord s1 = f.DesignRecords[1], s2 = f.DesignRecords[2];
    const double secNE = f.FieldData[3][7].SecNE;
    const double fullNE = f.FieldData[3][7].FullNE;

    auto r = minimizeYardage(s);
    ASSERT_TRUE(r);
    EXPECT_EQ(f.DesignRecords[1].TotalCut, s1.TotalCut);
    EXPECT_EQ(f.DesignRecords[2].TotalFill, s2.TotalFill);
    EXPECT_EQ(f.DesignRecords[2].RowSlope, s2.RowSlope);
    EXPECT_EQ(f.FieldData[3][7].SecNE, secNE);
    EXPECT_NE(f.FieldData[3][7].FullNE, fullNE);
    EXPECT_EQ(f.DesignRecords[0].RowSlope, r->rowSlope);
    EXPECT_EQ(s.panel.rowSlope, formatFixed(r->rowSlope, 3));
}

TEST(MinimizeYardage, TooFewStationsOrABadSpacingChangeNoDesign) {
    struct Case {
        const char* name;
        int stations;
        const char* rowSpacing;
        const char* bfYards;  // the caption afterwards
        int errors;
    };
    const Case cases[] = {{"three stations", 3, "100", "keep", 0},
                          {"spacing not a whole number", 6, "1O0", "keep", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        Session s(prompt);
        const char* readings[] = {"100.00", "100.40", "99.70", "100.10", "99.90", "100.30"};
        for (int i = 0; i < c.stations; ++i) s.field.Survey.setText(1 + i % 3, 1 + i / 3, readings[i]);
        s.info.BFYards = "keep";
        s.field.DesignRecords[0].RowSlope = 0.25;
        s.field.prefs.rowSpacingText = c.rowSpacing;
        std::vector<std::string> captions;
        EXPECT_FALSE(minimizeYardage(s, [&](const std::string& t) { captions.push_back(t); }));
        EXPECT_EQ(captions.back(), "Minimize Yardage");
        EXPECT_EQ(s.info.BFYards, c.bfYards);
        EXPECT_EQ(s.field.DesignRecords[0].RowSlope, 0.25);
        EXPECT_EQ(static_cast<int>(prompt.messages.size()), c.errors);
    }
}

// Four stations have a best fit but no trial volume: the search is skipped
// and the whole field is designed with the best-fit slopes.
TEST(MinimizeYardage, FourStationsTakeTheBestFitSlopes) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, 2, 2, [](int c, int r) { return 100.0 + 0.3 * c - 0.2 * r + (c == r ? 0.05 : 0.0); });
    s.field.DesignRecords[0].RowSlope = 0.25;
    s.useBestFitSlopes = true;
    s.info.BFYards = "keep";
    auto r = minimizeYardage(s);
    ASSERT_TRUE(r);
    const BestFit bf = wholeFieldBestFit(s.field);
    EXPECT_EQ(r->rowSlope, bf.RowSlope);
    EXPECT_EQ(r->colSlope, bf.ColSlope);
    EXPECT_FALSE(r->leastCut);
    EXPECT_EQ(r->trials, 0);
    const TDesignRecord& rec = s.field.DesignRecords[0];
    EXPECT_EQ(rec.RowSlope, bf.RowSlope);
    EXPECT_EQ(rec.ColSlope, bf.ColSlope);
    EXPECT_GT(rec.TotalCut, 0);
    EXPECT_EQ(s.info.BFYards, "");
    EXPECT_EQ(s.info.RSBest, formatFixed(bf.RowSlope, 3));
    EXPECT_FALSE(s.useBestFitSlopes);
    EXPECT_FALSE(s.results.yardbookText(1, 1).empty());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(MinimizeYardage, ARatioOfZeroTakesTheDefault) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, 6, 5, [](int c, int r) { return 100.0 + 0.2 * std::sin(c * 1.1) + 0.1 * r; });
    s.field.prefs.defaultRatioText = "1.40";
    ASSERT_TRUE(minimizeYardage(s));
    EXPECT_EQ(s.field.DesignRecords[0].CutFillRatio, 1.4);
    EXPECT_LT(roundTo(std::fabs(s.field.DesignRecords[0].TotalCut - 1.4 * s.field.DesignRecords[0].TotalFill), 3), 0.2);
}

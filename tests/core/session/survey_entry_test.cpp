#include <gtest/gtest.h>

#include "core/session/session.h"
#include "support/field_builder.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

struct Counter : SessionListener {
    int results = 0;
    void changed(const Changes& c) override { results += c.results ? 1 : 0; }
};

struct Fixture {
    ScriptedPrompt prompt;
    Session s{prompt};
    Counter counter;
    Fixture() { s.addListener(&counter); }
    void fill(int cols, int rows) {
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c) s.field.Survey.setText(c, r, formatFixed(100.0 + 0.1 * c + 0.05 * r + ((c * r) % 3) * 0.07, 2));
        s.recalculate();
    }
    const std::string& cell(int c, int r) { return s.field.Survey.text(c, r); }
};

}  // namespace

TEST(SurveyEntry, EnterRepeatsTheLastReadingAndAdvances) {
    Fixture f;
    Session& s = f.s;
    EXPECT_EQ(s.finishEdit(1, 1, "12"), EditOutcome::Accepted);
    s.pressEnter();
    EXPECT_EQ(f.cell(1, 1), "12.00");
    EXPECT_EQ(s.current, (CellPos{2, 1}));
    s.pressEnter();  // empty B1 takes 12.00 again
    EXPECT_EQ(f.cell(2, 1), "12.00");
    EXPECT_EQ(s.current, (CellPos{3, 1}));
    s.finishEdit(3, 1, "13");
    EXPECT_EQ(s.LastValue, "13.00");
    s.pressOtherKey();
    EXPECT_EQ(s.LastValue, "");
    s.current = {4, 1};
    s.pressEnter();  // nothing to repeat
    EXPECT_TRUE(f.cell(4, 1).empty());
    s.LastValue = "5.00";
    s.pressHome();
    EXPECT_EQ(s.LastValue, "");
    EXPECT_EQ(s.current, (CellPos{1, 1}));
}

TEST(SurveyEntry, EditValidation) {
    struct Case {
        const char* typed;
        EditOutcome outcome;
        const char* stored;
    };
    const Case cases[] = {
        {"101.375", EditOutcome::Accepted, "101.38"}, {"-", EditOutcome::Emptied, ""},
        {"1000", EditOutcome::Refused, ""},           {"999", EditOutcome::Accepted, "999.00"},
        {"-3.5", EditOutcome::Accepted, "-3.50"},     {"1-2", EditOutcome::Refused, ""},
        {"", EditOutcome::Refused, ""},  // empty with no last value
    };
    for (const auto& c : cases) {
        Fixture f;
        f.s.field.Survey.setText(2, 2, "100.00");
        EXPECT_EQ(f.s.finishEdit(2, 2, c.typed), c.outcome) << c.typed;
        EXPECT_EQ(f.cell(2, 2), c.stored) << c.typed;
        EXPECT_FALSE(f.s.FieldSaved);
    }
    Fixture f;
    f.s.LastValue = "98.00";
    f.s.finishEdit(1, 1, "");
    EXPECT_EQ(f.cell(1, 1), "98.00");
}

TEST(SurveyEntry, RecalculatesOnlyWhatTheRulesSay) {
    Fixture f;
    f.fill(3, 3);
    int before = f.counter.results;
    f.s.finishEdit(2, 2, "-");  // emptied without a recalculation
    EXPECT_EQ(f.counter.results, before);
    f.s.finishEdit(2, 2, "101");
    EXPECT_EQ(f.counter.results, before + 1);
    f.s.setAutoReCalc(false);
    f.s.finishEdit(2, 2, "102");
    EXPECT_EQ(f.counter.results, before + 1);
    f.s.leaveSurveyGrid();
    EXPECT_EQ(f.counter.results, before + 2);
    f.s.current = {2, 2};
    f.s.setAutoReCalc(true);
    f.s.pressDelete();
    EXPECT_TRUE(f.cell(2, 2).empty());
    EXPECT_EQ(f.counter.results, before + 3);
}

TEST(SurveyEntry, DirectionsCycleAndStopAtTheEdges) {
    Fixture f;
    Session& s = f.s;
    const char* captions[] = {"RL", "UD", "DU", "LR"};
    for (const char* c : captions) {
        s.cycleDirection();
        EXPECT_STREQ(directionCaption(s.direction), c);
    }
    s.direction = Direction::RL;
    s.current = {1, 5};
    s.pressEnter();
    EXPECT_EQ(s.current, (CellPos{1, 5}));
    s.direction = Direction::UD;
    s.current = {3, kMaxStationRows};
    s.pressEnter();
    EXPECT_EQ(s.current, (CellPos{3, kMaxStationRows}));
    s.direction = Direction::DU;
    s.current = {3, 4};
    s.pressEnter();
    EXPECT_EQ(s.current, (CellPos{3, 3}));
}

TEST(SurveyEntry, CopyAndPasteTabSeparatedText) {
    Fixture f;
    f.fill(4, 4);
    f.s.field.Survey.setText(2, 1, "");
    auto text = f.s.copyCells({1, 1, 3, 2});
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, f.cell(1, 1) + "\t\t" + f.cell(3, 1) + "\n" + f.cell(1, 2) + "\t" + f.cell(2, 2) + "\t" + f.cell(3, 2));

    // Four decimals are rounded to two before the design sees them.
    f.s.pasteCells("101.2345\t99.9951\r\n", {2, 3});
    EXPECT_EQ(f.cell(2, 3), "101.23");
    EXPECT_EQ(f.cell(3, 3), "100.00");
    EXPECT_EQ(f.s.field.FieldData[2][3].oe, 101.23);
    EXPECT_EQ(f.s.results.fullDesignText(2, 7), "101.23");

    Fixture few;
    few.s.field.Survey.setText(1, 1, "100.00");
    few.s.recalculate();
    EXPECT_FALSE(few.s.copyCells({1, 1, 1, 1}));  // below 2 stations
}

TEST(SurveyEntry, CutWithSectorsAsksFirst) {
    Fixture f;
    f.fill(6, 6);
    f.s.field.NumSectors = 2;
    f.s.field.DesignRecords[1] = {1, 1, 3, 6, 0, 0, 1.25};
    f.s.field.DesignRecords[2] = {4, 1, 6, 6, 0, 0, 1.25};
    const std::string b2 = f.cell(2, 2);
    f.prompt.answers = {Answer::No};
    EXPECT_FALSE(f.s.cutCells({2, 2, 3, 3}));
    EXPECT_EQ(f.cell(2, 2), b2);
    EXPECT_EQ(f.s.field.NumSectors, 2);
    EXPECT_EQ(f.prompt.messages.back(), "question: This Action will also Delete All Sectors. OK?");

    f.prompt.answers = {Answer::Yes};
    auto cut = f.s.cutCells({2, 2, 3, 3});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->substr(0, b2.size()), b2);
    EXPECT_TRUE(f.cell(2, 2).empty());
    EXPECT_EQ(f.s.field.NumSectors, 0);
    EXPECT_EQ(f.s.field.NumStations, 32);
}

TEST(SurveyEntry, InsertingARowMovesTextButNotWeights) {
    Fixture f;
    f.fill(4, 4);
    f.s.field.FieldData[2][3].Weight = 0.5;
    f.s.field.Survey.setPicture(2, 3, kPicturePartial);
    const std::string b3 = f.cell(2, 3);
    f.s.current = {1, 2};
    f.s.insertRow();
    EXPECT_TRUE(f.cell(2, 2).empty());
    EXPECT_EQ(f.cell(2, 4), b3);
    EXPECT_EQ(f.s.field.Survey.picture(2, 4), kPicturePartial);
    EXPECT_EQ(f.s.field.FieldData[2][3].Weight, 0.5);  // the weight keeps its row number
    EXPECT_EQ(f.s.partialStationHint(2, 3), "Partial: 0.5");
    EXPECT_EQ(f.s.field.NumRows, 5);

    f.s.deleteRow();
    EXPECT_EQ(f.cell(2, 3), b3);
    f.s.current = {2, 1};
    f.s.insertCol();
    EXPECT_EQ(f.cell(3, 3), b3);
    f.s.deleteCol();
    EXPECT_EQ(f.cell(2, 3), b3);
}

TEST(SurveyEntry, InsertRefusedWhenItWouldPushReadingsOffTheField) {
    Fixture f;
    f.fill(3, 3);
    f.s.field.Survey.setText(1, kMaxStationRows, "100.00");
    f.s.recalculate();
    f.s.insertRow();
    EXPECT_EQ(f.cell(1, kMaxStationRows), "100.00");
    EXPECT_EQ(f.prompt.messages.back(), "error: Row 130 holds readings: there is no room to insert a row.");
}

TEST(SurveyPage, PageChangeHintsWidthsAndProfiles) {
    Fixture f;
    f.s.field.Survey.setText(3, 3, "100.00");
    EXPECT_FALSE(f.s.pageChangeAllowed());
    f.s.field.Survey.setText(1, 1, "100.00");
    EXPECT_TRUE(f.s.pageChangeAllowed());

    Fixture g;
    g.fill(5, 4);
    EXPECT_EQ(g.s.surveyColumnWidth(), 40);
    g.s.field.NumSectors = 1;
    EXPECT_EQ(g.s.surveyColumnWidth(), 55);  // readings above 100
    g.s.field.MaxReading = 50;
    EXPECT_EQ(g.s.surveyColumnWidth(), 50);
    g.s.field.MaxReading = 5;
    EXPECT_EQ(g.s.surveyColumnWidth(), 45);
    g.s.field.NumSectors = 0;

    ProfileData inside = g.s.profile(2, 3);
    ASSERT_TRUE(inside.shown);
    ASSERT_TRUE(inside.readingRange);
    EXPECT_EQ(*inside.readingRange, std::pair(g.s.field.MinReading - 1, g.s.field.MaxReading + 1));
    EXPECT_EQ(inside.xMax, 5);
    EXPECT_EQ(inside.row.title, "Row 3");
    EXPECT_EQ(inside.col.title, "Col B");
    ASSERT_EQ(inside.row.lines.size(), 1u);
    ASSERT_EQ(inside.row.lines[0].size(), 5u);
    EXPECT_EQ(inside.row.lines[0][3], std::make_pair(4.0, parseReading(g.cell(4, 3))));
    ProfileData outside = g.s.profile(2, 9);
    EXPECT_EQ(outside.row.title, "Row Average");
    EXPECT_EQ(outside.col.title, "Col Average");
    EXPECT_EQ(outside.col.lines[0][1].second, g.s.field.RowAverages[2]);

    Fixture few;
    few.fill(3, 1);
    EXPECT_FALSE(few.s.profile(1, 1).shown);
    // Three stations set the axis already; two leave it as it was.
    EXPECT_TRUE(few.s.profile(1, 1).readingRange);
    Fixture two;
    two.fill(2, 1);
    EXPECT_FALSE(two.s.profile(1, 1).readingRange);
}

// An empty station is a gap in its profile, not a reading of 0; a line
// without readings has no profile at all.
TEST(SurveyPage, ProfilesHaveGapsAtEmptyStations) {
    const struct {
        const char* name;
        std::vector<CellPos> empty;  // stations emptied in a 6 x 5 field
        CellPos at;                  // the selected cell
        std::vector<std::vector<double>> rowRuns, colRuns;  // station numbers of each run
    } cases[] = {
        {"full lines", {}, {2, 3}, {{1, 2, 3, 4, 5, 6}}, {{1, 2, 3, 4, 5}}},
        {"a hole in both", {{2, 3}}, {2, 3}, {{1}, {3, 4, 5, 6}}, {{1, 2}, {4, 5}}},
        {"a single reading between gaps", {{2, 1}, {4, 1}}, {3, 1}, {{1}, {3}, {5, 6}}, {{1, 2, 3, 4, 5}}},
        {"an emptied row", {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}, {3, 2}, {}, {{1}, {3, 4, 5}}},
        {"averages skip an empty column", {{3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}}, {2, 8},
         {{1, 2}, {4, 5, 6}}, {{1, 2, 3, 4, 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.fill(6, 5);
        for (const CellPos& p : c.empty) f.s.field.Survey.setText(p.col, p.row, "");
        f.s.recalculate();
        const ProfileData p = f.s.profile(c.at.col, c.at.row);
        ASSERT_TRUE(p.shown);
        auto stations = [](const ProfileSeries& s) {
            std::vector<std::vector<double>> runs;
            for (const auto& line : s.lines) {
                runs.emplace_back();
                for (const auto& [x, y] : line) {
                    runs.back().push_back(x);
                    EXPECT_GT(y, 50);  // readings, never a drop to 0
                }
            }
            return runs;
        };
        EXPECT_EQ(stations(p.row), c.rowRuns);
        EXPECT_EQ(stations(p.col), c.colRuns);
    }
}

TEST(SurveyPage, ProfileAxisTicksOnWholeStations) {
    const struct {
        int xMax, interval;
    } cases[] = {{2, 1}, {4, 1}, {13, 1}, {14, 2}, {27, 2}, {28, 5}, {65, 5}, {70, 10}, {130, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xMax);
        EXPECT_EQ(profileTickInterval(c.xMax), c.interval);
        EXPECT_LE(c.xMax / c.interval, 13);
    }
    Fixture f;
    f.fill(4, 30);
    const ProfileData p = f.s.profile(1, 1);
    EXPECT_EQ(p.xMax, 30);
    EXPECT_EQ(p.tickInterval, 5);
}

#include <gtest/gtest.h>

#include <cmath>

#include "core/field/conversion.h"
#include "core/base/number_format.h"
#include "core/session/field_tools.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Rows of Survey texts, row 1 first, scanned and designed.
void survey(Session& s, const std::vector<std::vector<std::string>>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            s.field.Survey.setText(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
    s.recalculate();
}

std::vector<std::vector<std::string>> texts(const Session& s, int cols, int rows) {
    std::vector<std::vector<std::string>> out(static_cast<size_t>(rows));
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) out[static_cast<size_t>(r - 1)].push_back(s.field.Survey.text(c, r));
    return out;
}

const std::vector<std::vector<std::string>> kField = {
    {"100.00", "98.50", "99.20"}, {"99.75", "", "100.40"}, {"100.10", "99.90", "99.60"}};

auto answerConvert(double benchMark, std::vector<ConvertDataForm>* shown = nullptr) {
    return [=](ConvertDataForm& f) {
        if (shown) shown->push_back(f);
        f.benchMark = benchMark;
        return true;
    };
}

auto answerLaser(double rowSlope, double colSlope, std::string ref) {
    return [=](LaserAdjustmentForm& f) {
        EXPECT_EQ(f.referenceStation, "A1");  // the dialog's first text
        f.rowSlope = rowSlope;
        f.colSlope = colSlope;
        f.referenceStation = ref;
        return true;
    };
}

}  // namespace

TEST(ConvertDataType, TurnsElevationsIntoRodReadingsAndBack) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, kField);
    std::vector<ConvertDataForm> shown;
    prompt.onConvertData = answerConvert(105.0, &shown);
    const double cut = s.field.DesignRecords[0].TotalCut;

    EXPECT_EQ(convertDataType(s), RewriteOutcome::Done);
    EXPECT_TRUE(s.field.prefs.RodReadings);
    EXPECT_EQ(texts(s, 3, 3), (std::vector<std::vector<std::string>>{
                                  {"5.00", "6.50", "5.80"}, {"5.25", "", "4.60"}, {"4.90", "5.10", "5.40"}}));
    EXPECT_FALSE(s.FieldSaved);
    // Recalculated as rod readings: the same ground, the same volumes.
    EXPECT_EQ(s.field.FieldData[1][1].oe, 5.0);
    EXPECT_NEAR(s.field.DesignRecords[0].TotalCut, cut, 1e-6);

    EXPECT_EQ(convertDataType(s), RewriteOutcome::Done);
    EXPECT_FALSE(s.field.prefs.RodReadings);
    EXPECT_EQ(texts(s, 3, 3), kField);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].currentType, "Elevations");
    EXPECT_EQ(shown[0].targetType, "Rod Readings");
    EXPECT_EQ(shown[0].benchMark, 0.0);
    EXPECT_EQ(shown[1].currentType, "Rod Readings");
    EXPECT_EQ(shown[1].targetType, "Elevations");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(ConvertDataType, CancelKeepsTheReadingsButRecalculates) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, kField);
    s.FieldSaved = true;
    s.field.Survey.setText(2, 2, "101.00");  // typed while AutoReCalc was off
    EXPECT_EQ(convertDataType(s), RewriteOutcome::Cancelled);
    EXPECT_FALSE(s.field.prefs.RodReadings);
    EXPECT_EQ(s.field.Survey.text(1, 1), "100.00");
    EXPECT_EQ(s.field.NumStations, 9);  // the recalculation saw B2
    EXPECT_TRUE(s.FieldSaved);
}

TEST(ConvertDataType, AReadingThatIsNotANumberRewritesNothing) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, kField);
    s.field.Survey.setText(3, 2, "1OO.40");  // C2, read at the scan as 0
    const double cutBefore = s.field.DesignRecords[0].TotalCut;
    s.field.Survey.setText(1, 1, "100.00");
    prompt.onConvertData = answerConvert(105.0);

    EXPECT_EQ(convertDataType(s), RewriteOutcome::Failed);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: The reading \"1OO.40\" at C2 is not a number."});
    // Never half converted: every reading stays as it was.
    EXPECT_EQ(texts(s, 3, 3), (std::vector<std::vector<std::string>>{
                                  {"100.00", "98.50", "99.20"}, {"99.75", "", "1OO.40"}, {"100.10", "99.90", "99.60"}}));
    EXPECT_FALSE(s.field.prefs.RodReadings);                  // not toggled
    EXPECT_EQ(s.field.DesignRecords[0].TotalCut, cutBefore);  // not recalculated
}

TEST(ConvertDataType, NeedsTwoStations) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, {{"100.00"}});
    bool shown = false;
    prompt.onConvertData = [&](ConvertDataForm&) { return shown = true; };
    EXPECT_EQ(convertDataType(s), RewriteOutcome::NotRun);
    EXPECT_FALSE(shown);
    EXPECT_EQ(s.field.Survey.text(1, 1), "100.00");
}

TEST(ReferenceStation, ColumnLettersThenRow) {
    struct Case {
        const char* text;
        std::optional<CellPos> station;
    };
    const Case cases[] = {
        {"A1", CellPos{1, 1}},     {"AB12", CellPos{28, 12}},    {"D5", CellPos{4, 5}},   {"d5", CellPos{4, 5}},
        {"aB12", CellPos{28, 12}}, {"DZ130", CellPos{130, 130}}, {" C3 ", CellPos{3, 3}}, {"AB", std::nullopt},
        {"", std::nullopt},        {"12", std::nullopt},         {"1A", std::nullopt},    {"A1B", std::nullopt},
        {"ABC1", std::nullopt},    {"A0", std::nullopt},         {"A-2", std::nullopt},   {"A1.5", std::nullopt},
        {"Ä1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseReferenceStation(c.text), c.station);
    }
}

TEST(LaserAdjustment, TakesTheLaserSlopeOutRelativeToTheReference) {
    struct Case {
        const char* name;
        double rowSlope, colSlope;
        const char* ref;
        const char* rowSpacing;
        const char* colSpacing;
        std::vector<std::vector<std::string>> expected;
    };
    const Case cases[] = {
        // Along a row over the column spacing: C1 two columns on drops 0.20.
        {"row slope from A1",
         0.10,
         0,
         "A1",
         "100",
         "100",
         {{"100.00", "98.40", "99.00"}, {"99.75", "", "100.20"}, {"100.10", "99.80", "99.40"}}},
        // Column A is two columns before C3: it rises by 2 x 0.10 x 50 / 100.
        {"row slope from C3, 50 between columns",
         0.10,
         0,
         "c3",
         "100",
         "50",
         {{"100.10", "98.55", "99.20"}, {"99.85", "", "100.40"}, {"100.20", "99.95", "99.60"}}},
        // Down a column over the row spacing.
        {"column slope from B2",
         0,
         -0.25,
         "B2",
         "40",
         "100",
         {{"99.90", "98.40", "99.10"}, {"99.75", "", "100.40"}, {"100.20", "100.00", "99.70"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        Session s(prompt);
        s.field.prefs.rowSpacingText = c.rowSpacing;
        s.field.prefs.colSpacingText = c.colSpacing;
        survey(s, kField);
        prompt.onLaserAdjustment = answerLaser(c.rowSlope, c.colSlope, c.ref);
        EXPECT_EQ(adjustLaserSurvey(s), RewriteOutcome::Done);
        EXPECT_EQ(texts(s, 3, 3), c.expected);
        EXPECT_EQ(s.field.FieldData[3][3].oe, parseReading(c.expected[2][2]));  // recalculated
        EXPECT_TRUE(prompt.messages.empty());
    }
}

TEST(LaserAdjustment, RefusalsRewriteNothing) {
    struct Case {
        const char* name;
        const char* ref;
        const char* rowSpacing;
        const char* message;
    };
    const Case cases[] = {
        {"reference without a row", "AB", "100",
         "error: The reference station \"AB\" is not a column and row such as A1."},
        {"spacing not a whole number", "A1", "1OO", "error: The distance between rows \"1OO\" is not a whole number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        Session s(prompt);
        survey(s, kField);
        s.field.prefs.rowSpacingText = c.rowSpacing;
        s.field.Survey.setText(2, 2, "101.00");  // not yet recalculated
        prompt.onLaserAdjustment = answerLaser(0.5, 0.5, c.ref);
        EXPECT_EQ(adjustLaserSurvey(s), RewriteOutcome::Failed);
        EXPECT_EQ(prompt.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(s.field.Survey.text(3, 3), "99.60");
        EXPECT_EQ(s.field.NumStations, 8);  // no recalculation
    }
}

TEST(LaserAdjustment, AReadingThatIsNotANumberRewritesNothing) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, kField);
    s.field.Survey.setText(1, 2, "abc");
    prompt.onLaserAdjustment = answerLaser(0.10, 0, "A1");
    EXPECT_EQ(adjustLaserSurvey(s), RewriteOutcome::Failed);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: The reading \"abc\" at A2 is not a number."});
    EXPECT_EQ(texts(s, 3, 3), (std::vector<std::vector<std::string>>{
                                  {"100.00", "98.50", "99.20"}, {"abc", "", "100.40"}, {"100.10", "99.90", "99.60"}}));
}

TEST(LaserAdjustment, CancelKeepsTheReadingsButRecalculates) {
    ScriptedPrompt prompt;
    Session s(prompt);
    survey(s, kField);
    s.field.Survey.setText(2, 2, "101.00");
    EXPECT_EQ(adjustLaserSurvey(s), RewriteOutcome::Cancelled);
    EXPECT_EQ(texts(s, 3, 3)[0], kField[0]);
    EXPECT_EQ(s.field.NumStations, 9);
}

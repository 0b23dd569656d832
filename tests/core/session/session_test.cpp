#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/design/kernel.h"
#include "core/session/session.h"
#include "support/field_builder.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const std::string kData = TARNWICK_TEST_DATA;

void typeField(Session& s, int cols, int rows) {
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            s.field.Survey.setText(c, r, formatFixed(100.0 + 0.3 * std::sin(c * 0.9) + 0.2 * std::cos(r * 0.6) + 0.02 * r, 2));
}

}  // namespace

TEST(Recalculation, TypicalRoadFillsEveryView) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 6, 5);
    s.field.Survey.setText(3, 4, "101.25");  // C4
    s.recalculate();
    const Field& f = s.field;
    EXPECT_EQ(f.NumStations, 30);
    EXPECT_EQ(s.info.Numsta, "30");
    EXPECT_EQ(s.info.NumAcr, "6.89");
    EXPECT_EQ(f.DesignRecords[0].CutFillRatio, 1.25);  // the default ratio
    EXPECT_LT(roundTo(std::fabs(f.DesignRecords[0].TotalCut - 1.25 * f.DesignRecords[0].TotalFill), 3), 0.2);
    EXPECT_EQ(s.summary.totalCut, formatFixed(f.DesignRecords[0].TotalCut, 0));
    EXPECT_EQ(s.summary.ratioText, formatFixed(f.DesignRecords[0].TotalCut / f.DesignRecords[0].TotalFill, 2));
    EXPECT_FALSE(s.results.yardbookText(3, 4).empty());
    EXPECT_EQ(s.results.finalElevationText(3, 4), formatFixed(f.FieldData[3][4].FullNE, 2));
    EXPECT_EQ(s.results.fullDesignText(3, 10), "101.25");
    EXPECT_EQ(s.panel.totalCut, s.summary.totalCut);
    EXPECT_TRUE(s.panel.bestFitVisible);
    // No sector: the Totals column holds the whole field's record.
    EXPECT_EQ(s.parameters.at(1, 1), formatFixed(f.DesignRecords[0].ColSlope, 2));
    EXPECT_EQ(s.parameters.at(1, 5), "1.25");
    EXPECT_EQ(s.parameters.at(3, 0), "Sector 1");
    EXPECT_EQ(s.parameters.at(0, 7), "Average Elevation ");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(Recalculation, BestFitSlopesAreTakenAsShown) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 8, 7);
    s.field.prefs.rowSpacingText = "30";
    s.field.prefs.colSpacingText = "30";
    s.useBestFitSlopes = true;
    s.recalculate();
    const TDesignRecord& r = s.field.DesignRecords[0];
    EXPECT_EQ(r.ColSlope, parseReading(s.info.CSBest));
    EXPECT_EQ(r.RowSlope, parseReading(formatFixed(s.info.bestFit->RowSlope, 3)));
    EXPECT_EQ(r.RowSlope, roundTo(r.RowSlope, 3));
}

TEST(Recalculation, FewerThanFourStationsKeepThePreviousResults) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 3, 3);
    s.recalculate();
    const std::string before = s.results.yardbookText(1, 1);
    ASSERT_FALSE(before.empty());
    s.field.Survey.clearData();
    s.field.Survey.setText(1, 1, "99.00");
    s.field.Survey.setText(2, 1, "99.50");
    s.field.Survey.setText(3, 1, "99.70");
    s.recalculate();
    EXPECT_EQ(s.field.NumStations, 3);
    EXPECT_EQ(s.results.yardbookText(1, 1), before);
}

TEST(Recalculation, FourStationsDesignWithoutBestFitYardage) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 2, 2);
    s.recalculate();
    EXPECT_FALSE(s.info.yardage.has_value());
    EXPECT_TRUE(s.info.BFYards.empty());
    EXPECT_FALSE(s.results.yardbookText(1, 1).empty());
}

TEST(Recalculation, SectorsAreSummedAndShownInTheirView) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 10, 20);
    Field& f = s.field;
    f.NumSectors = 2;
    f.DesignRecords[1] = {1, 1, 5, 18, 0.1, 0.0, 1.25};
    f.DesignRecords[2] = {6, 1, 10, 18, 0.0, 0.05, 1.5, 30};
    s.recalculate();
    EXPECT_DOUBLE_EQ(s.summary.cut, f.DesignRecords[1].TotalCut + f.DesignRecords[2].TotalCut);
    EXPECT_DOUBLE_EQ(s.summary.importExport, 30);
    EXPECT_EQ(s.summary.cutPerArea, formatFixed(s.summary.cut / f.DesignRecords[0].Area, 0));
    EXPECT_TRUE(s.sectorDesignEnabled());
    EXPECT_EQ(s.parameters.at(1, 1), "       ---");
    EXPECT_EQ(s.parameters.at(1, 5), "       ---");
    EXPECT_EQ(s.parameters.at(3, 2), "0.10");
    EXPECT_EQ(s.parameters.picture[2][4], 19);
    EXPECT_EQ(s.parameters.at(5, 6), "30");
    EXPECT_EQ(s.parameters.at(7, 1), "");

    // Rows 19 and 20 lie in no sector: no sector design, empty cells.
    s.setView(DesignView::Sector);
    EXPECT_EQ(s.results.yardbookText(3, 19), "");
    EXPECT_FALSE(s.results.yardbookText(3, 18).empty());
    EXPECT_EQ(f.FieldData[3][19].SecNE, 0.0);
    double sectorCut = 0;
    for (int r = 1; r <= 20; ++r) sectorCut += s.results.totals().rowCut[static_cast<size_t>(r)];
    EXPECT_NEAR(-sectorCut, s.summary.cut, 0.001 * 200);
    s.setView(DesignView::FullField);
    EXPECT_FALSE(s.results.yardbookText(3, 19).empty());
}

TEST(DesignPanel, ShowsTheChosenRecord) {
    ScriptedPrompt prompt;
    Session s(prompt);
    typeField(s, 6, 6);
    s.field.NumSectors = 1;
    s.field.DesignRecords[1] = {1, 1, 3, 6, 0.3, -0.4, 1.1, -20};
    s.designTab = 1;
    s.recalculate();
    EXPECT_EQ(s.panel.record, 1);
    EXPECT_FALSE(s.panel.bestFitVisible);
    EXPECT_EQ(s.panel.rowSlope, "0.300");
    EXPECT_EQ(s.panel.colSlope, "-0.400");
    EXPECT_EQ(s.panel.ratio, "1.10");
    EXPECT_EQ(s.panel.importExport, "-20");
    EXPECT_EQ(s.panel.compSlope, "0.500");
    EXPECT_EQ(s.panel.rotate, "36.9");
    EXPECT_EQ(s.panel.totalCut, formatFixed(s.field.DesignRecords[1].TotalCut, 0));
}

TEST(DesignPanel, CompoundSlopeTexts) {
    EXPECT_EQ(compoundSlopeText(0.3, -0.4), std::make_pair(std::string("0.500"), std::string("36.9")));
    EXPECT_EQ(compoundSlopeText(0, -0.25), std::make_pair(std::string("-0.250"), std::string("0")));
    EXPECT_EQ(compoundSlopeText(0.2, 0.1).second, formatFixed(std::atan(0.5) * 180 / 3.14159, 1));
}

TEST(OpenCommand, RefusesWhatIsNotAFieldFile) {
    ScriptedPrompt prompt;
    Session s(prompt);
    s.FFileName = "current.fld";
    typeField(s, 3, 3);
    s.recalculate();
    auto dir = std::filesystem::temp_directory_path();
    std::string notField = (dir / "tarnwick-not-a-field.fld").string();
    std::ofstream(notField) << "hello\r\n";
    EXPECT_FALSE(s.openField(notField));
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"beep", "error: This is not Tarnwick File!"}));
    EXPECT_EQ(s.FFileName, "current.fld");
    EXPECT_EQ(s.field.NumStations, 9);  // the previous field is untouched

    prompt.messages.clear();
    EXPECT_FALSE(s.openField((dir / "tarnwick-missing.fld").string()));
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"error: Can't Open this File", "beep",
                                                         "error: This is not Tarnwick File!"}));
    std::filesystem::remove(notField);
}

// A file refused part way is read into a field of its own: the field
// worked on stays as it was, and nothing of the file reaches a design.
TEST(OpenCommand, RefusedFileLeavesTheFieldAsItWas) {
    const auto dir = std::filesystem::temp_directory_path();
    std::ifstream in(kData + "/reference/small-6x5.fld", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::string cut = (dir / "tarnwick-cut.fld").string(), old = (dir / "tarnwick-old.fld").string();
    std::ofstream(cut, std::ios::binary) << text.substr(0, text.find("\r\n1\r\n6\r\n"));
    std::ofstream(old, std::ios::binary) << "102,102\r\n1,1,100\r\n2,1,101\r\n12,101,x\r\n";
    for (const auto& [path, message] : {std::pair{cut, "error: Error Reading this File"},
                                        std::pair{old, "error: Invalid Field Data"}}) {
        ScriptedPrompt prompt;
        Session s(prompt);
        s.FFileName = "current.fld";
        typeField(s, 3, 3);
        s.recalculate();
        const std::string yardbook = s.results.yardbookText(1, 1);
        s.FieldSaved = true;
        EXPECT_FALSE(s.openField(path));
        EXPECT_EQ(prompt.messages, std::vector<std::string>{message});
        EXPECT_EQ(s.FFileName, "current.fld");
        EXPECT_EQ(s.field.NumStations, 9);
        EXPECT_EQ(s.results.yardbookText(1, 1), yardbook);
        EXPECT_TRUE(s.FieldSaved);
    }
    std::filesystem::remove(cut);
    std::filesystem::remove(old);
}

// The close question "Save Data Before Closing?" after a Save: it comes
// after every command that changes what the field file keeps, and after no
// other. The field has three sectors, partial stations and design slopes
// that are not its best fit, so that every command has something to change.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/files/preferences_rules.h"
#include "core/session/design_tools.h"
#include "core/session/field_tools.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;
namespace fs = std::filesystem;

namespace {

struct Case {
    const char* name;
    std::function<void(Session&, ScriptedPrompt&)> command;
    bool asks;
};

// Opens a copy of the three-sector field and saves it.
struct SavedField {
    ScriptedPrompt prompt;
    Session s{prompt};
    fs::path file;

    explicit SavedField(const std::string& name) {
        file = fs::temp_directory_path() / ("tarnwick-save-question-" + name + ".fld");
        fs::copy_file(TARNWICK_TEST_DATA "/reference/three-sectors-40x30.fld", file,
                      fs::copy_options::overwrite_existing);
        EXPECT_TRUE(s.openFieldCommand(file.string()));
        prompt.files = {file.string()};
        EXPECT_TRUE(s.saveCommand());
        EXPECT_TRUE(s.FieldSaved);
        prompt.messages.clear();
    }
    ~SavedField() { fs::remove(file); }

    // Exit: Yes; a save question: No.
    bool closeAsksToSave() {
        prompt.messages.clear();
        prompt.answers = {Answer::Yes, Answer::No};
        EXPECT_TRUE(s.closeCommand());
        return std::find(prompt.messages.begin(), prompt.messages.end(),
                         "question: Save Data Before Closing?") != prompt.messages.end();
    }
};

void select(Session& s, int firstCol, int firstRow, int lastCol, int lastRow) {
    s.selection = {firstCol, firstRow, lastCol, lastRow};
    s.remembered = {firstCol, firstRow};
}

void leaveBox(Session& s, DesignBox box, const std::string& before, const std::string& after) {
    s.enterDesignBox(box, before);
    s.leaveDesignBox(box, after);
}

const Case kCases[] = {
    // What the file keeps changes: the question comes.
    {"typed reading", [](Session& s, ScriptedPrompt&) { s.finishEdit(3, 4, "101.37"); }, true},
    {"Enter repeats the last reading into an empty station",
     [](Session& s, ScriptedPrompt&) {
         s.current = {41, 1};
         s.LastValue = "99.50";
         s.pressEnter();
     },
     true},
    {"Delete key", [](Session& s, ScriptedPrompt&) { s.current = {2, 2}, s.pressDelete(); }, true},
    {"paste", [](Session& s, ScriptedPrompt&) { s.pasteCells("101.11\t101.22", {2, 2}); }, true},
    {"cut cells (sectors go too)",
     [](Session& s, ScriptedPrompt& p) {
         p.answers = {Answer::Yes};
         s.cutCells({2, 2, 3, 3});
     },
     true},
    {"insert row", [](Session& s, ScriptedPrompt&) { s.current = {1, 5}, s.insertRow(); }, true},
    {"insert column", [](Session& s, ScriptedPrompt&) { s.current = {5, 1}, s.insertCol(); }, true},
    {"delete row", [](Session& s, ScriptedPrompt&) { s.current = {1, 5}, s.deleteRow(); }, true},
    {"delete column", [](Session& s, ScriptedPrompt&) { s.current = {5, 1}, s.deleteCol(); }, true},
    {"convert data type",
     [](Session& s, ScriptedPrompt& p) {
         p.onConvertData = [](ConvertDataForm& f) { return f.benchMark = 200, true; };
         convertDataType(s);
     },
     true},
    {"laser adjustment",
     [](Session& s, ScriptedPrompt& p) {
         p.onLaserAdjustment = [](LaserAdjustmentForm& f) { return f.rowSlope = 0.1, true; };
         adjustLaserSurvey(s);
     },
     true},
    {"add a sector",
     [](Session& s, ScriptedPrompt& p) {
         p.onSectorSlope = [](SectorSlopeForm&) { return true; };
         select(s, 1, 30, 40, 30);
         s.setSectorSlope();
     },
     true},
    {"edit a sector",
     [](Session& s, ScriptedPrompt& p) {
         p.onSectorSlope = [](SectorSlopeForm& f) { return f.rowSlope = 0.2, true; };
         select(s, 5, 5, 5, 5);
         s.setSectorSlope();
     },
     true},
    {"delete the last sector",
     [](Session& s, ScriptedPrompt& p) {
         p.answers = {Answer::Yes};
         select(s, 5, 28, 5, 28);
         s.deleteSector();
     },
     true},
    {"clear all sectors",
     [](Session& s, ScriptedPrompt& p) {
         p.answers = {Answer::Yes};
         s.clearAllSectorsCommand();
     },
     true},
    {"partial station",
     [](Session& s, ScriptedPrompt& p) {
         p.onPartialStation = [](PartialStationForm& f) { return f.percent = 50, true; };
         select(s, 2, 2, 3, 2);
         s.setPartialStation();
     },
     true},
    {"elevation typed into the Final Elevations grid",
     [](Session& s, ScriptedPrompt&) { s.finalElevationTyped(4, 4, "99.00"); }, true},
    {"Specify Final Elevation",
     [](Session& s, ScriptedPrompt& p) {
         p.onSetElevation = [](SetElevationForm& f) { return f.value = 99.5, true; };
         s.remembered = {6, 6};
         s.specifyFinalElevation();
     },
     true},
    {"Blend box", [](Session& s, ScriptedPrompt&) { s.clickBlendBox(false, true); }, true},
    {"ratio box", [](Session& s, ScriptedPrompt&) { leaveBox(s, DesignBox::Ratio, "1.10", "1.30"); }, true},
    {"column slope box", [](Session& s, ScriptedPrompt&) { leaveBox(s, DesignBox::ColSlope, "0.024", "0.1"); }, true},
    {"import/export box in a sector tab",
     [](Session& s, ScriptedPrompt&) {
         s.selectDesignTab(2);
         leaveBox(s, DesignBox::ImportExport, "0", "150");
     },
     true},
    {"slope stepper", [](Session& s, ScriptedPrompt&) { s.stepSlope(DesignBox::RowSlope, true, s.panel.rowSlope); },
     true},
    {"Minimize Yardage", [](Session& s, ScriptedPrompt&) { minimizeYardage(s); }, true},
    {"preferences that change the spacing",
     [](Session& s, ScriptedPrompt& p) {
         p.onPreferences = [](Preferences& prefs) { rowSpacingChosen(prefs, "50"); };
         s.preferencesCommand(nullptr);
     },
     true},
    {"Use Best Fit Slopes", [](Session& s, ScriptedPrompt&) { s.setUseBestFitSlopes(true); }, true},

    // Nothing the file keeps changes: no question.
    {"cursor moves and clicks",
     [](Session& s, ScriptedPrompt&) {
         s.leftClick(3, 3);
         s.rightClick(4, 4);
         s.pressHome();
         s.current = {2, 2};
         s.pressEnter();
     },
     false},
    {"auto advance cycled", [](Session& s, ScriptedPrompt&) { s.cycleDirection(); }, false},
    {"view switched", [](Session& s, ScriptedPrompt&) { s.setView(DesignView::Sector); }, false},
    {"design tab selected", [](Session& s, ScriptedPrompt&) { s.selectDesignTab(2); }, false},
    {"AutoReCalc off", [](Session& s, ScriptedPrompt&) { s.setAutoReCalc(false); }, false},
    {"ReCalc", [](Session& s, ScriptedPrompt&) { s.reCalc(); }, false},
    {"page change and Design Parameters shown",
     [](Session& s, ScriptedPrompt&) {
         s.pageChangeAllowed();
         s.designParametersShown();
     },
     false},
    {"copy cells", [](Session& s, ScriptedPrompt&) { s.copyCells({1, 1, 4, 4}); }, false},
    {"View Sector Info", [](Session& s, ScriptedPrompt&) { select(s, 5, 5, 5, 5), s.viewSectorInfo(); }, false},
    {"the same reading typed again", [](Session& s, ScriptedPrompt&) { s.finishEdit(1, 1, s.field.Survey.text(1, 1)); },
     false},
    {"a design box left unchanged", [](Session& s, ScriptedPrompt&) { leaveBox(s, DesignBox::Ratio, "1.10", "1.10"); },
     false},
    {"an unreadable forced elevation", [](Session& s, ScriptedPrompt&) { s.finalElevationTyped(4, 4, "-"); }, false},
    {"slope stepper beyond 20", [](Session& s, ScriptedPrompt&) { s.stepSlope(DesignBox::ColSlope, true, "20.000"); },
     false},
    {"sector dialog cancelled", [](Session& s, ScriptedPrompt&) { select(s, 1, 30, 40, 30), s.setSectorSlope(); },
     false},
    {"conversion cancelled", [](Session& s, ScriptedPrompt&) { convertDataType(s); }, false},
    {"preferences closed as they were", [](Session& s, ScriptedPrompt&) { s.preferencesCommand(nullptr); }, false},
    {"cut/fill ratio check", [](Session& s, ScriptedPrompt&) { checkCutFillRatio(s, {{2, 2}, {3, 3}, {4, 4}}); },
     false},
};

}  // namespace

TEST(SaveQuestion, ComesAfterEveryCommandThatChangesWhatTheFileKeeps) {
    int i = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SavedField f(std::to_string(i++));
        c.command(f.s, f.prompt);
        EXPECT_EQ(!f.s.FieldSaved, c.asks);
        EXPECT_EQ(f.closeAsksToSave(), c.asks);
    }
}

TEST(SaveQuestion, SaveAfterTheChangeMarksTheFieldSavedAgain) {
    SavedField f("again");
    f.s.finishEdit(3, 4, "101.37");
    EXPECT_FALSE(f.s.FieldSaved);
    f.prompt.files = {f.file.string()};
    EXPECT_TRUE(f.s.saveCommand());
    EXPECT_TRUE(f.s.FieldSaved);
    EXPECT_FALSE(f.closeAsksToSave());
}

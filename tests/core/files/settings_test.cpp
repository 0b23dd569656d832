#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/base/number_format.h"
#include "core/files/preferences_rules.h"
#include "core/session/session.h"
#include "core/files/settings.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Settings kept in memory; writes can be made to fail.
class MemoryStore : public SettingsStore {
public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    bool failWrites = false;
    int writes = 0;

    std::optional<std::string> value(const std::string& section, const std::string& key) const override {
        auto it = values.find({section, key});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    std::string stored(const std::string& section, const std::string& key) const {
        return value(section, key).value_or("<missing>");
    }
    bool write(const std::vector<SettingsEntry>& entries) override {
        ++writes;
        if (failWrites) return false;
        for (const auto& e : entries) values[{e.section, e.key}] = e.value;
        return true;
    }
};

void expectSameSettings(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.elevations, b.elevations);
    EXPECT_EQ(a.rowGrid, b.rowGrid);
    EXPECT_EQ(a.colGrid, b.colGrid);
    EXPECT_EQ(a.ratio, b.ratio);
    EXPECT_EQ(a.yards, b.yards);
    EXPECT_EQ(a.headerLines, b.headerLines);
    EXPECT_EQ(a.mast, b.mast);
    EXPECT_EQ(a.add, b.add);
    EXPECT_EQ(a.com, b.com);
}

void typeStations(Session& s, int cols, int rows) {
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) s.field.Survey.setText(c, r, formatFixed(100.0 + 0.1 * c - 0.05 * r * r, 2));
    fieldScan(s.field);
}

struct CountingListener : SessionListener {
    int preferences = 0;
    void changed(const Changes& c) override { preferences += c.preferences ? 1 : 0; }
};

}  // namespace

TEST(Settings, NoFileGivesTheDefaults) {
    MemoryStore store;
    const Settings s = readSettings(store);
    EXPECT_TRUE(s.elevations);
    EXPECT_EQ(s.rowGrid, "100");
    EXPECT_EQ(s.colGrid, "100");
    EXPECT_EQ(s.ratio, "1.25");
    EXPECT_TRUE(s.yards);
    EXPECT_EQ(s.headerLines[0], "Tarnwick");
    EXPECT_EQ(s.headerLines[1], "Landgrading Design Software");
    EXPECT_EQ(s.headerLines[3], "");
    EXPECT_EQ(s.mast, 1);
    EXPECT_EQ(s.add, "0");
    EXPECT_EQ(s.com, 1);  // the second port of the list

    ScriptedPrompt prompt;
    Session session(prompt);
    applySettings(session, s);
    const Preferences& p = session.field.prefs;
    EXPECT_FALSE(p.RodReadings);
    EXPECT_EQ(p.Divisor(), 27.0);
    EXPECT_EQ(p.stationSizeLabel(), "100x100");
    EXPECT_EQ(p.defaultRatioText, "1.25");
    EXPECT_EQ(session.laserModel, 1);
    EXPECT_EQ(session.serialPortIndex, 1);
}

// Settings files as they may be found, and what the program starts with.
TEST(Settings, StoredValuesBecomeThePreferences) {
    struct Case {
        const char* name;
        std::map<std::pair<std::string, std::string>, std::string> stored;
        bool rodReadings;
        bool feet;
        const char* stationSize;
        int laserModel;
    };
    const Case cases[] = {
        {"meters keep the stored spacings",
         {{{"Options", "Yards"}, "0"}, {{"Options", "RowGrid"}, "25"}, {{"Options", "ColGrid"}, "20"}},
         false,
         false,
         "25x20",
         1},
        {"rod readings with a row spacing of 25",
         {{{"Options", "elevations"}, "0"}, {{"Options", "RowGrid"}, "25"}},
         true,
         true,
         "25x100",
         1},
        {"any other integer is true",
         {{{"Options", "elevations"}, "-3"}, {{"Options", "Yards"}, " 2 "}},
         false,
         true,
         "100x100",
         1},
        {"unreadable Booleans take the defaults",
         {{{"Options", "elevations"}, "no"}, {{"Options", "Yards"}, ""}},
         false,
         true,
         "100x100",
         1},
        {"a fractional Boolean is unreadable", {{{"Options", "Yards"}, "0.0"}}, false, true, "100x100", 1},
        {"a known laser model", {{{"serial", "Mast"}, "0"}}, false, true, "100x100", 0},
        {"an unknown laser model keeps the default", {{{"serial", "Mast"}, "7"}}, false, true, "100x100", 1},
        {"an unreadable laser model keeps the default", {{{"serial", "Mast"}, "two"}}, false, true, "100x100", 1},
        {"spacings of 0 and beyond 10,000 take the default",
         {{{"Options", "RowGrid"}, "0"}, {{"Options", "ColGrid"}, "10001"}},
         false,
         true,
         "100x100",
         1},
        {"a spacing at the 32-bit limit takes the default",
         {{{"Options", "RowGrid"}, "2147483647"}, {{"Options", "ColGrid"}, "10000"}},
         false,
         true,
         "100x10000",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore store;
        store.values = c.stored;
        ScriptedPrompt prompt;
        Session session(prompt);
        applySettings(session, readSettings(store));
        const Preferences& p = session.field.prefs;
        EXPECT_EQ(p.RodReadings, c.rodReadings);
        EXPECT_EQ(p.feet, c.feet);
        EXPECT_EQ(p.Divisor(), c.feet ? 27.0 : 1.0);
        EXPECT_EQ(p.stationSizeLabel(), c.stationSize);
        EXPECT_EQ(session.laserModel, c.laserModel);
    }
}

TEST(Settings, ValuesOutOfRangeTakeTheirDefaults) {
    MemoryStore store;
    store.values = {{{"Options", "Ratio"}, "1e308"}, {{"serial", "add"}, "inf"}, {{"serial", "Com"}, "-4"}};
    Settings s = readSettings(store);
    EXPECT_EQ(s.ratio, "1.25");
    EXPECT_EQ(s.add, "0");
    EXPECT_EQ(s.com, 1);
    store.values = {{{"Options", "Ratio"}, "-1"}, {{"serial", "add"}, "-0.35"}, {{"serial", "Com"}, "7"}};
    s = readSettings(store);
    EXPECT_EQ(s.ratio, "1.25");
    EXPECT_EQ(s.add, "-0.35");
    EXPECT_EQ(s.com, 7);  // beyond the port list it selects no port; the list decides
}

TEST(Settings, EntriesAreWrittenInSectionOrderWithBooleansAsDigits) {
    Settings s;
    s.elevations = false;
    s.rowGrid = "50";
    s.colGrid = "25";
    s.ratio = "1.40";
    s.yards = false;
    s.headerLines = {"Smith, Sons & Co.", "Line two", "", ""};
    s.mast = 2;
    s.add = "-0.35";
    s.com = 0;
    const std::vector<std::tuple<std::string, std::string, std::string>> expected{
        {"Options", "elevations", "0"},  {"Options", "RowGrid", "50"}, {"Options", "ColGrid", "25"},
        {"Options", "Ratio", "1.40"},    {"Options", "Yards", "0"},    {"Header", "Line1", "Smith, Sons & Co."},
        {"Header", "Line2", "Line two"}, {"Header", "Line3", ""},      {"Header", "Line4", ""},
        {"serial", "Mast", "2"},         {"serial", "add", "-0.35"},   {"serial", "Com", "0"},
    };
    std::vector<std::tuple<std::string, std::string, std::string>> written;
    for (const auto& e : settingsEntries(s)) written.emplace_back(e.section, e.key, e.value);
    EXPECT_EQ(written, expected);
    const auto defaults = settingsEntries(Settings{});
    EXPECT_EQ(defaults[0].value, "1");
    EXPECT_EQ(defaults[4].value, "1");

    MemoryStore store;
    ASSERT_TRUE(store.write(settingsEntries(s)));
    expectSameSettings(readSettings(store), s);
}

TEST(Settings, SessionRoundTripLeavesTheSurveyAlone) {
    ScriptedPrompt prompt;
    Session from(prompt);
    from.field.prefs = Preferences{true, false, "30", "20", "1.10"};
    from.headerLines = {"A", "B", "C", "D"};
    from.laserModel = 0;
    from.laserAddTo = "2.5";
    from.serialPortIndex = 3;
    const Settings s = currentSettings(from);
    EXPECT_FALSE(s.elevations);
    EXPECT_FALSE(s.yards);

    Session to(prompt);
    typeStations(to, 3, 2);
    to.field.DesignRecords[0].CutFillRatio = 1.6;
    to.FieldSaved = true;
    const std::string reading = to.field.Survey.text(2, 2);
    applySettings(to, s);
    const Preferences& p = to.field.prefs;
    EXPECT_TRUE(p.RodReadings);
    EXPECT_FALSE(p.feet);
    EXPECT_EQ(p.stationSizeLabel(), "30x20");
    EXPECT_EQ(p.defaultRatioText, "1.10");
    EXPECT_EQ(to.headerLines, from.headerLines);
    EXPECT_EQ(to.laserModel, 0);
    EXPECT_EQ(to.laserAddTo, "2.5");
    EXPECT_EQ(to.serialPortIndex, 3);
    // The readings, counters and design of the open field are untouched.
    EXPECT_EQ(to.field.Survey.text(2, 2), reading);
    EXPECT_EQ(to.field.NumStations, 6);
    EXPECT_EQ(to.field.DesignRecords[0].CutFillRatio, 1.6);
    EXPECT_TRUE(to.FieldSaved);
}

TEST(PreferencesRules, RadioButtonsResetTheSpacingsToTheUnitDefault) {
    struct Case {
        bool rodReadings;
        bool feet;
        const char* spacing;
        double divisor;
    };
    for (const Case& c : {Case{false, false, "30", 1.0}, Case{true, false, "30", 1.0}, Case{false, true, "100", 27.0},
                          Case{true, true, "100", 27.0}}) {
        SCOPED_TRACE(std::string(c.feet ? "feet" : "meters") + (c.rodReadings ? ", rod readings" : ", elevations"));
        Preferences p{!c.rodReadings, !c.feet, "25", "20", "1.25"};
        preferencesRadioClicked(p, c.rodReadings, c.feet);
        EXPECT_EQ(p.rowSpacingText, c.spacing);
        EXPECT_EQ(p.colSpacingText, c.spacing);
        EXPECT_EQ(p.Divisor(), c.divisor);
        EXPECT_EQ(p.RodReadings, c.rodReadings);
        EXPECT_EQ(unitCaptions(p.feet).length, c.feet ? "feet" : "meters");
    }
}

TEST(PreferencesRules, RowChoiceSetsBothColumnChoiceOnlyItself) {
    Preferences p;
    rowSpacingChosen(p, "50");
    EXPECT_EQ(p.colSpacingText, "50");
    colSpacingChosen(p, "25");
    EXPECT_EQ(p.stationSizeLabel(), "50x25");
    // Typing changes only the box typed in.
    rowSpacingTyped(p, "40");
    EXPECT_EQ(p.stationSizeLabel(), "40x25");
    colSpacingTyped(p, "15");
    EXPECT_EQ(p.stationSizeLabel(), "40x15");
    // What is not a spacing is not taken: the spacing stays as it was.
    for (const char* text : {"", "0", "10001", "12.5", "x"}) {
        rowSpacingTyped(p, text);
        colSpacingTyped(p, text);
        EXPECT_EQ(p.stationSizeLabel(), "40x15") << '"' << text << '"';
    }
}

TEST(PreferencesRules, SpacingBoxTakesWholeNumbersFromOneToTenThousand) {
    const std::pair<const char*, bool> typed[] = {
        {"", true},       {"1", true},      {"10000", true}, {"9999", true}, {"0", false},  {"05", false},
        {"10001", false}, {"99999", false}, {"-5", false},   {"1.5", false}, {" 5", false}, {"123456", false},
    };
    for (const auto& [text, allowed] : typed) EXPECT_EQ(spacingTextAllowed(text), allowed) << '"' << text << '"';
    // A spacing of 0 reaching a design anyway is reported, never divided by.
    Preferences p;
    p.rowSpacingText = "0";
    try {
        (void)p.stationArea();
        ADD_FAILURE() << "a spacing of 0 was taken";
    } catch (const SpacingError& e) {
        EXPECT_STREQ(e.what(), "The distance between rows \"0\" is not between 1 and 10000.");
    }
}

TEST(PreferencesRules, DefaultRatioBox) {
    const std::pair<const char*, bool> typed[] = {
        {"", true},        {".", true},         {"1.", true},     {"1.25", true}, {"1234.56", true},
        {"1234567", true}, {"12345.67", false}, {"1.255", false}, {"-1", false},  {"1,25", false},
        {"1.2.", false},   {"1e2", false},      {" 1", false},
    };
    for (const auto& [text, allowed] : typed) EXPECT_EQ(ratioTextAllowed(text), allowed) << '"' << text << '"';

    const std::pair<const char*, const char*> finished[] = {
        {"1.5", "1.50"}, {"2", "2.00"}, {".5", "0.50"}, {"1.", "1.00"}, {"", "0.00"}, {"1234567", "1234567"},
    };
    for (const auto& [text, shown] : finished) {
        Preferences p;
        defaultRatioTyped(p, text);
        EXPECT_EQ(p.defaultRatioText, text);
        defaultRatioFinished(p);
        EXPECT_EQ(p.defaultRatioText, shown) << '"' << text << '"';
    }
}

TEST(PreferencesCommand, TakesTheDialogsChangesEverywhere) {
    ScriptedPrompt prompt;
    prompt.onPreferences = [](Preferences& p) {
        rowSpacingChosen(p, "50");
        colSpacingChosen(p, "25");
        defaultRatioTyped(p, "1.4");
        defaultRatioFinished(p);
    };
    Session s(prompt);
    CountingListener listener;
    s.addListener(&listener);
    typeStations(s, 5, 1);
    s.FieldSaved = true;
    MemoryStore store;
    s.headerLines[3] = "Fourth line";
    s.preferencesCommand(&store);

    EXPECT_EQ(store.writes, 1);
    EXPECT_EQ(store.stored("Options", "RowGrid"), "50");
    EXPECT_EQ(store.stored("Options", "ColGrid"), "25");
    EXPECT_EQ(store.stored("Options", "Ratio"), "1.40");
    EXPECT_EQ(store.stored("Header", "Line4"), "Fourth line");
    EXPECT_EQ(s.field.prefs.stationSizeLabel(), "50x25");
    EXPECT_EQ(listener.preferences, 1);
    EXPECT_FALSE(s.FieldSaved);
    // Five stations: recalculated with the new spacing, 5 x 50 x 25 square feet.
    EXPECT_EQ(s.info.Numsta, "5");
    EXPECT_EQ(s.info.NumAcr, formatFixed(5 * 50.0 * 25.0 / 43560.0, 2));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(PreferencesCommand, CopiesTheDefaultRatioAndRecalculatesAboveFourStations) {
    for (int stations : {0, 4, 5}) {
        SCOPED_TRACE(stations);
        ScriptedPrompt prompt;
        prompt.onPreferences = [](Preferences& p) { p.defaultRatioText = "1.10"; };
        Session s(prompt);
        typeStations(s, stations, stations > 0 ? 1 : 0);
        s.panel.ratio = "0.00";
        s.preferencesCommand(nullptr);
        if (stations > 4) {
            // The recalculation shows record 0, which took the new default ratio.
            EXPECT_EQ(s.field.DesignRecords[0].CutFillRatio, 1.10);
            EXPECT_EQ(s.panel.ratio, "1.10");
            EXPECT_EQ(s.info.Numsta, "5");
        } else {
            EXPECT_EQ(s.panel.ratio, "1.10");
            EXPECT_EQ(s.info.Numsta, "");
            EXPECT_EQ(s.field.DesignRecords[0].CutFillRatio, 0.0);
        }
        EXPECT_TRUE(prompt.messages.empty());
    }
}

TEST(PreferencesCommand, FailedWriteIsReported) {
    ScriptedPrompt prompt;
    prompt.onPreferences = [](Preferences& p) { preferencesRadioClicked(p, false, false); };
    Session s(prompt);
    MemoryStore store;
    store.failWrites = true;
    s.preferencesCommand(&store);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: Error updating INI file."});
    // The preferences are in force all the same.
    EXPECT_FALSE(s.field.prefs.feet);
    EXPECT_EQ(s.panel.ratio, "1.25");

    prompt.messages.clear();
    EXPECT_FALSE(s.writeSettingsTo(store));
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: Error updating INI file."});
    store.failWrites = false;
    prompt.messages.clear();
    EXPECT_TRUE(s.writeSettingsTo(store));
    EXPECT_EQ(store.stored("Options", "Yards"), "0");
    EXPECT_TRUE(prompt.messages.empty());
}

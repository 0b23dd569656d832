// What the command scope tells the views: once per command however many
// commands it runs inside, and also when the command fails part way.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/base/number_format.h"
#include "core/files/preferences_rules.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

struct Recorder : SessionListener {
    std::vector<Changes> told;
    void changed(const Changes& c) override { told.push_back(c); }
};

struct Fixture {
    ScriptedPrompt prompt;
    Session s{prompt};
    Recorder views;
    Fixture() {
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 6; ++c) s.field.Survey.setText(c, r, formatFixed(100 + 0.1 * c - 0.05 * r, 2));
        s.recalculate();
        s.FieldSaved = true;
        s.addListener(&views);
    }
};

}  // namespace

TEST(CommandScope, ACommandThatRunsOthersTellsOnceWithEverythingItChanged) {
    Fixture f;
    // Paste rewrites the cells, scans and recalculates: one notice.
    f.s.pasteCells("101.5\t101.6\n101.7", {2, 3});
    ASSERT_EQ(f.views.told.size(), 1u);
    const Changes& c = f.views.told[0];
    ASSERT_TRUE(c.survey);
    EXPECT_EQ(*c.survey, (Rect{2, 3, 3, 4}));
    EXPECT_TRUE(c.results);
    EXPECT_TRUE(c.stored);
    EXPECT_FALSE(c.preferences || c.sectors || c.replaced || c.fileName);
    EXPECT_FALSE(f.s.FieldSaved);
}

TEST(CommandScope, NothingChangedTellsNothing) {
    Fixture f;
    f.s.enterDesignBox(DesignBox::Ratio, f.s.panel.ratio);
    f.s.leaveDesignBox(DesignBox::Ratio, f.s.panel.ratio);  // left as it was
    f.s.copyCells({1, 1, 3, 3});
    f.s.setView(DesignView::FullField);  // the view it shows: the grids are filled again
    ASSERT_EQ(f.views.told.size(), 1u);
    EXPECT_TRUE(f.views.told[0].results);
    EXPECT_FALSE(f.views.told[0].options || f.views.told[0].stored);
    EXPECT_TRUE(f.s.FieldSaved);
}

TEST(CommandScope, ACommandThatFailsPartWayStillMarksTheFieldAndTellsTheViews) {
    Fixture f;
    f.prompt.onPreferences = [](Preferences& p) {
        rowSpacingChosen(p, "50");
        throw std::runtime_error("the dialog went away");
    };
    EXPECT_THROW(f.s.preferencesCommand(nullptr), std::runtime_error);
    EXPECT_EQ(f.s.field.prefs.rowSpacingText, "50");
    EXPECT_FALSE(f.s.FieldSaved);
    ASSERT_EQ(f.views.told.size(), 1u);
    EXPECT_TRUE(f.views.told[0].preferences);

    // The next command starts afresh.
    f.views.told.clear();
    f.s.cycleDirection();
    ASSERT_EQ(f.views.told.size(), 1u);
    EXPECT_TRUE(f.views.told[0].options);
    EXPECT_FALSE(f.views.told[0].preferences);
}

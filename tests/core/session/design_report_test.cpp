// The JSON report of a designed field: what it holds at the station counts
// where the whole-field pass stops early.

#include <gtest/gtest.h>

#include "core/base/number_format.h"
#include "core/session/design_report.h"
#include "core/session/session.h"
#include "support/json_lite.h"
#include "support/scripted_prompt.h"

using namespace tarnwick;
using namespace tarnwick::test;

TEST(DesignReport, BestFitAndYardbookFollowTheStationCount) {
    const struct {
        int cols, rows;
        bool bestFit;  // slopes and average
        bool yardage;
        bool yardbook;
    } cases[] = {
        {1, 2, false, false, false},
        {3, 1, false, false, false},
        {2, 2, true, false, true},
        {5, 1, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.cols * c.rows) + " stations");
        ScriptedPrompt prompt;
        Session s(prompt);
        for (int r = 1; r <= c.rows; ++r)
            for (int col = 1; col <= c.cols; ++col)
                s.field.Survey.setText(col, r, formatFixed(100 + 0.1 * col + 0.07 * r + (col * r % 3) * 0.04, 2));
        s.recalculate();
        const jsonlite::Value v = jsonlite::parse(designJson(s));
        const jsonlite::Value& bf = v["best_fit"];
        for (const char* key : {"row_slope", "col_slope", "average"}) EXPECT_EQ(bf[key].isNull(), !c.bestFit) << key;
        EXPECT_EQ(bf["yardage"].isNull(), !c.yardage);
        if (c.bestFit) {
            EXPECT_GT(bf["average"].number, 100);
        }
        const jsonlite::Value& yb = v["yardbook"];
        for (const char* key : {"col_cut", "col_fill"}) EXPECT_EQ(yb[key].size(), c.yardbook ? size_t(c.cols) : 0u);
        for (const char* key : {"row_cut", "row_fill"}) EXPECT_EQ(yb[key].size(), c.yardbook ? size_t(c.rows) : 0u);
    }
}

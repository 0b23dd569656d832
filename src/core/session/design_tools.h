#pragma once
// The design commands that drive the kernel's trial design: "Minimize
// Yardage" on the design tab and "Check Cut/Fill Ratio" over the cells
// selected on the Yardbook grid. The searching and measuring is in
// core/design (minimize.h, ratio_check.h); these commands take the session
// through it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/design/minimize.h"
#include "core/design/ratio_check.h"
#include "core/session/session.h"

namespace tarnwick {

// Captions of the design tab's button while the search runs and after it.
inline constexpr const char* kMinimizeCaption = "Minimize Yardage";
inline constexpr const char* kMinimizingCaption = "Minimizing...";

// Searches from the best-fit slopes for the whole field's row and column
// slopes with the least cut at its ratio and makes them its design slopes.
// `caption` (may be empty) receives the button's caption: "Minimizing..."
// first, "Minimize Yardage" when it ends, whatever the outcome. Below 4
// stations nothing changes. With exactly 4 the best-fit slopes are taken as
// they are (no trial volume to search on) and the whole field is designed
// with them. A spacing that is not a whole number is reported.
std::optional<SlopeSearchResult> minimizeYardage(Session& s,
                                                 const std::function<void(const std::string&)>& caption = {});

// The ratio check over the selected Yardbook cells: nothing below 2 cells.
// Shows the 75% message when it applies, redesigns at the found ratios,
// puts the ratios and the designs back, and shows the dialog.
std::optional<RatioCheckResult> checkCutFillRatio(Session& s, const std::vector<CellPos>& cells);

}  // namespace tarnwick

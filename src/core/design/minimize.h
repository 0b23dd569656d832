#pragma once
// "Minimize Yardage": searches, from the best-fit slopes, for the whole
// field's row and column slopes that need the least cut at its cut/fill
// ratio, and makes them the whole field's design slopes.

#include <functional>
#include <optional>
#include <string>

#include "core/field/field.h"

namespace tarnwick {

class Session;

// Captions of the design tab's button while the search runs and after it.
inline constexpr const char* kMinimizeCaption = "Minimize Yardage";
inline constexpr const char* kMinimizingCaption = "Minimizing...";

struct SlopeSearchResult {
    double rowSlope = 0;  // per 100 length units
    double colSlope = 0;
    // Cut of the trial design, 1 decimal; nothing with 4 stations, where the
    // trial design has no volume and the search is skipped.
    std::optional<double> leastCut;
    int trials = 0;  // trial designs made, at most 401
};

// Coordinate walk on the whole field's trial cut: steps of 0.01 then 0.001,
// row slope up, row slope down, column slope up, column slope down, at most
// 50 moves each; a move that raises the cut is taken back and ends its
// direction, an equal cut is accepted. Nothing below 5 stations. Leaves the
// station records as they were.
std::optional<SlopeSearchResult> slopeSearch(Field& f, double rowSlope, double colSlope);

// The command. `caption` (may be empty) receives the button's caption:
// "Minimizing..." first, "Minimize Yardage" when it ends, whatever the
// outcome. Below 4 stations nothing changes. With exactly 4 the best-fit
// slopes are taken as they are (no trial volume to search on) and the whole
// field is designed with them. A spacing that is not a whole number is
// reported.
std::optional<SlopeSearchResult> minimizeYardage(Session& s,
                                                 const std::function<void(const std::string&)>& caption = {});

}  // namespace tarnwick

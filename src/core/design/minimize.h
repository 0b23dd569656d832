#pragma once
// The search behind "Minimize Yardage": from the best-fit slopes, the
// whole field's row and column slopes that need the least cut at its
// cut/fill ratio.

#include <optional>

#include "core/field/field.h"

namespace tarnwick {

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

}  // namespace tarnwick

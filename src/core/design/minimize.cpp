#include "core/design/minimize.h"

#include "core/design/kernel.h"

namespace tarnwick {
namespace {

struct WalkDirection {
    double SlopeSearchResult::*slope;
    double sign;
};

// Row slope up, row slope down, column slope up, column slope down.
constexpr WalkDirection kDirections[] = {{&SlopeSearchResult::rowSlope, 1.0},
                                         {&SlopeSearchResult::rowSlope, -1.0},
                                         {&SlopeSearchResult::colSlope, 1.0},
                                         {&SlopeSearchResult::colSlope, -1.0}};
constexpr int kMovesPerDirection = 50;

}  // namespace

std::optional<SlopeSearchResult> slopeSearch(Field& f, double rowSlope, double colSlope) {
    TrialDesigner trial(f);
    if (!trial.ready()) return std::nullopt;
    SlopeSearchResult r{rowSlope, colSlope, std::nullopt, 0};
    auto cut = [&] {
        ++r.trials;
        return *trial.cut(r.rowSlope, r.colSlope);
    };
    double best = cut();
    for (double step : {0.01, 0.001})
        for (const WalkDirection& d : kDirections)
            for (int i = 0; i < kMovesPerDirection; ++i) {
                double& slope = r.*d.slope;
                const double before = slope;
                slope = slope + d.sign * step;
                const double v = cut();
                if (v > best) {
                    slope = before;  // one step back, without rounding drift
                    break;
                }
                best = v;  // an equal cut is taken and the walk goes on
            }
    r.leastCut = best;
    return r;
}

}  // namespace tarnwick

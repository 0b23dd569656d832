#include "core/design/minimize.h"

#include "core/design/kernel.h"
#include "core/base/number_format.h"
#include "core/session/session.h"
#include "core/design/statistics.h"

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

std::optional<SlopeSearchResult> minimize(Session& s) {
    Field& f = s.field;
    fieldScan(f);
    if (f.NumStations < 4) return std::nullopt;

    // The best fit as the recalculation shows it, its yardage included.
    const BestFit bf = wholeFieldBestFit(f);
    s.info.bestFit = bf;
    s.info.yardage = trialDesign(f, bf.RowSlope, bf.ColSlope, false);
    s.info.BFYards = s.info.yardage ? formatFixed(*s.info.yardage, 0) : std::string();

    TDesignRecord& rec = f.DesignRecords[0];
    if (rec.CutFillRatio == 0) rec.CutFillRatio = f.prefs.defaultRatio();
    std::optional<SlopeSearchResult> found = slopeSearch(f, bf.RowSlope, bf.ColSlope);
    // Four stations: the trial design has no volume, so there is nothing to
    // walk on; the best-fit slopes are the slopes found.
    if (!found) found = SlopeSearchResult{bf.RowSlope, bf.ColSlope, std::nullopt, 0};

    rec.RowSlope = found->rowSlope;
    rec.ColSlope = found->colSlope;
    rec.FirstCol = 1;
    rec.FirstRow = 1;
    rec.LastCol = f.NumCols;
    rec.LastRow = f.NumRows;
    s.info.BFYards = found->leastCut ? formatFixed(*found->leastCut, 0) : std::string();
    s.info.CSBest = formatFixed(found->colSlope, 3);
    s.info.RSBest = formatFixed(found->rowSlope, 3);
    s.fieldChanged();
    s.setUseBestFitSlopes(false);

    // Only the whole field is designed again; the sectors keep their designs.
    s.designAndShow(0);
    return found;
}

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

std::optional<SlopeSearchResult> minimizeYardage(Session& s, const std::function<void(const std::string&)>& caption) {
    if (caption) caption(kMinimizingCaption);
    std::optional<SlopeSearchResult> found;
    try {
        found = minimize(s);
    } catch (const SpacingError& e) {
        s.prompt().error(e.what());
    }
    if (caption) caption(kMinimizeCaption);
    return found;
}

}  // namespace tarnwick

#include "core/session/design_tools.h"
#include "core/session/command_scope.h"

#include <array>

#include "core/base/number_format.h"
#include "core/design/kernel.h"
#include "core/design/statistics.h"

namespace tarnwick {
namespace {

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
    s.setUseBestFitSlopes(false);

    // Only the whole field is designed again; the sectors keep their designs.
    s.designAndShow(0);
    return found;
}

}  // namespace

std::optional<SlopeSearchResult> minimizeYardage(Session& s, const std::function<void(const std::string&)>& caption) {
    CommandScope scope(s);
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

std::optional<RatioCheckResult> checkCutFillRatio(Session& s, const std::vector<CellPos>& cells) {
    CommandScope scope(s);
    const std::vector<CellPos> selected = distinctCells(cells);
    if (selected.size() < 2) return std::nullopt;
    Field& f = s.field;
    try {
        // The trial designs need the station area; say so once, not at
        // every pass.
        (void)f.prefs.stationArea();
    } catch (const SpacingError& e) {
        s.prompt().error(e.what());
        return std::nullopt;
    }

    RatioCheckResult res;
    res.selectedStations = selectedStationsCount(f, selected);
    res.warning = f.NumStations > 0 && static_cast<double>(res.selectedStations) / f.NumStations > 0.75;
    if (res.warning) s.prompt().information(kOver75Text);

    const SelectionRatios ratios = selectionRatios(f, selected);
    res.fullRatio = ratios.full;
    res.sectorRatio = ratios.sector;
    res.fullHasFill = ratios.fullHasFill;
    res.sectorHasFill = ratios.sectorHasFill;
    res.reference = ratioCheckReference(f);
    const GroundHeights before = groundHeightsAt(f, res.reference);

    // Design at the ratios found, measure, and put every ratio back.
    const int sectors = f.NumSectors;
    std::array<double, kMaxSectors + 1> kept{};
    for (int k = 0; k <= sectors; ++k)
        kept[static_cast<size_t>(k)] = f.DesignRecords[static_cast<size_t>(k)].CutFillRatio;
    f.DesignRecords[0].CutFillRatio = res.fullRatio;
    for (int k = 1; k <= sectors; ++k) f.DesignRecords[static_cast<size_t>(k)].CutFillRatio = res.sectorRatio;
    s.recalculate();
    const GroundHeights after = groundHeightsAt(f, res.reference);
    res.fullChange = after.full - before.full;
    res.sectorChange = after.sector - before.sector;
    for (int k = 0; k <= sectors; ++k)
        f.DesignRecords[static_cast<size_t>(k)].CutFillRatio = kept[static_cast<size_t>(k)];
    s.recalculate();

    res.sectorLineShown = f.NumSectors > 0;
    s.prompt().showRatioCheck(ratioCheckForm(res));
    return res;
}

}  // namespace tarnwick

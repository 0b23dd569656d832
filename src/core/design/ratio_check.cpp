#include "core/design/ratio_check.h"

#include <algorithm>
#include <cmath>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

bool insideStations(const Field& f, const CellPos& p) {
    return p.col >= 1 && p.row >= 1 && p.col <= f.NumCols && p.row <= f.NumRows;
}

double groundHeight(const Field& f, double newElevation) {
    return f.prefs.RodReadings ? -newElevation : newElevation;
}

std::string directionText(double change) {
    return change >= 0 ? kRaiseText : kLowerText;
}

}  // namespace

std::vector<CellPos> distinctCells(std::vector<CellPos> cells) {
    auto key = [](const CellPos& p) { return std::pair(p.row, p.col); };
    std::sort(cells.begin(), cells.end(), [&](const CellPos& a, const CellPos& b) { return key(a) < key(b); });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

int selectedStationsCount(const Field& f, const std::vector<CellPos>& cells) {
    const std::vector<CellPos> distinct = distinctCells(cells);
    return static_cast<int>(
        std::count_if(distinct.begin(), distinct.end(), [&](const CellPos& p) { return insideStations(f, p); }));
}

bool ratioCheckAvailable(const std::vector<CellPos>& cells) {
    return distinctCells(cells).size() >= 2;
}

SelectionRatios selectionRatios(const Field& f, const std::vector<CellPos>& cells) {
    double fullCut = 0, fullFill = 0, secCut = 0, secFill = 0;
    for (const CellPos& p : distinctCells(cells)) {
        if (!insideStations(f, p)) continue;
        const TFieldData* st = f.station(p.col, p.row);
        if (!st) continue;
        const double full = st->FullCF * st->Weight;
        const double sec = st->SecCF * st->Weight;
        if (full < 0) fullCut += full;
        if (full > 0) fullFill += full;
        if (sec < 0) secCut += sec;
        if (sec > 0) secFill += sec;
    }
    SelectionRatios r;
    r.fullHasFill = fullFill != 0;
    r.sectorHasFill = secFill != 0;
    r.full = r.fullHasFill ? std::fabs(fullCut / fullFill) : 0.0;
    r.sector = r.sectorHasFill ? std::fabs(secCut / secFill) : 0.0;
    return r;
}

std::optional<CellPos> ratioCheckReference(const Field& f) {
    for (int c = f.NumCols - 1, r = f.NumRows - 1; c >= 1 && r >= 1; --c, --r)
        if (f.Survey.holdsReading(c, r)) return CellPos{c, r};
    // Every station of the whole-field plane moves by the same amount, so
    // any station holding a reading measures the change.
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (f.Survey.holdsReading(c, r)) return CellPos{c, r};
    return std::nullopt;
}

GroundHeights groundHeightsAt(const Field& f, const std::optional<CellPos>& p) {
    if (!p) return {};
    const TFieldData* st = f.station(p->col, p->row);
    if (!st) return {};
    return {groundHeight(f, st->FullNE), groundHeight(f, st->SecNE)};
}

RatioCheckForm ratioCheckForm(const RatioCheckResult& r) {
    RatioCheckForm form;
    // A selection without fill has no ratio: 0.00 would read like an answer.
    auto ratioText = [](double ratio, bool hasFill) { return hasFill ? formatFixed(ratio, 2) : std::string("---"); };
    form.fullRatio = ratioText(r.fullRatio, r.fullHasFill);
    form.fullDirection = directionText(r.fullChange);
    form.fullChange = formatFixed(r.fullChange, 3);
    form.sectorLineShown = r.sectorLineShown;
    if (r.sectorLineShown) {
        form.sectorRatio = ratioText(r.sectorRatio, r.sectorHasFill);
        form.sectorDirection = directionText(r.sectorChange);
        form.sectorChange = formatFixed(r.sectorChange, 3);
    }
    return form;
}

}  // namespace tarnwick

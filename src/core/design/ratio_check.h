#pragma once
// "Check Cut/Fill Ratio": for a field under construction, the cut/fill
// ratio the design has in the stations already graded (selected on the
// Yardbook grid), and how far the plane would move if the field were
// designed at that ratio. These are the command's pieces over the field;
// the command itself redesigns and puts the design back
// (core/session/design_tools.h).

#include <optional>
#include <vector>

#include "core/design/design_forms.h"
#include "core/field/field.h"

namespace tarnwick {

inline constexpr const char* kOver75Text = "Over 75% of the field Completed - These estimates will be invalid";
inline constexpr const char* kRaiseText = "Raise Elevation";
inline constexpr const char* kLowerText = "Lower Elevation";

struct RatioCheckResult {
    int selectedStations = 0;  // selected cells inside the station area
    bool warning = false;      // the selection is over 75% of the stations
    double fullRatio = 0;      // |cut / fill| of the whole-field design in the selection, 0 without fill
    double sectorRatio = 0;    // the same for the sector design
    // The selection holds fill; without it there is no ratio to show.
    bool fullHasFill = false;
    bool sectorHasFill = false;
    // How far the plane moves at the reference station, positive when the
    // ground is to be raised, for rod readings as for elevations.
    double fullChange = 0;
    double sectorChange = 0;
    std::optional<CellPos> reference;  // nothing when no station holds a reading
    bool sectorLineShown = false;      // the field has sectors
};

// The selected cells once each, in row order.
std::vector<CellPos> distinctCells(std::vector<CellPos> cells);

// Distinct selected Yardbook cells inside rows 1..NumRows and columns
// 1..NumCols; the total margins and the headers do not count.
int selectedStationsCount(const Field& f, const std::vector<CellPos>& cells);

// The "Check Cut/Fill Ratio" button is shown while 2 or more cells are
// selected.
bool ratioCheckAvailable(const std::vector<CellPos>& cells);

// |cut / fill| of the whole-field and of the sector design over the
// distinct selected stations, weighted; 0 where there is no fill.
struct SelectionRatios {
    double full = 0;
    double sector = 0;
    bool fullHasFill = false;
    bool sectorHasFill = false;
};
SelectionRatios selectionRatios(const Field& f, const std::vector<CellPos>& cells);

// The station whose new elevation measures the change: the first station
// holding a reading on the diagonal from (NumCols - 1, NumRows - 1) towards
// A1. The search stops at the field's edge; when the diagonal holds no
// reading, the first station holding one in row order is taken instead.
// Nothing when no station holds a reading.
std::optional<CellPos> ratioCheckReference(const Field& f);

// The new elevations of both designs at a station as heights of the
// ground: a rod reading grows downwards, so it is turned over. Zero
// without a station.
struct GroundHeights {
    double full = 0;
    double sector = 0;
};
GroundHeights groundHeightsAt(const Field& f, const std::optional<CellPos>& p);

// The dialog's texts: ratios with 2 decimals ("---" when the selection holds
// no fill, as "C/F Ratio:" shows it), the direction, the signed change with
// 3 decimals; the sector line only with sectors.
RatioCheckForm ratioCheckForm(const RatioCheckResult& r);

}  // namespace tarnwick

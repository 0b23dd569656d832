#pragma once
// "Check Cut/Fill Ratio": for a field under construction, the cut/fill
// ratio the design has in the stations already graded (selected on the
// Yardbook grid), and how far the plane would move if the field were
// designed at that ratio. The design is put back afterwards.

#include <optional>
#include <vector>

#include "core/session/session.h"
#include "core/design/tool_forms.h"

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

// Distinct selected Yardbook cells inside rows 1..NumRows and columns
// 1..NumCols; the total margins and the headers do not count.
int selectedStationsCount(const Field& f, const std::vector<CellPos>& cells);

// The "Check Cut/Fill Ratio" button is shown while 2 or more cells are
// selected.
bool ratioCheckAvailable(const std::vector<CellPos>& cells);

// The station whose new elevation measures the change: the first station
// holding a reading on the diagonal from (NumCols - 1, NumRows - 1) towards
// A1. The search stops at the field's edge; when the diagonal holds no
// reading, the first station holding one in row order is taken instead.
// Nothing when no station holds a reading.
std::optional<CellPos> ratioCheckReference(const Field& f);

// The dialog's texts: ratios with 2 decimals ("---" when the selection holds
// no fill, as "C/F Ratio:" shows it), the direction, the signed change with
// 3 decimals; the sector line only with sectors.
RatioCheckForm ratioCheckForm(const RatioCheckResult& r);

// The command over the selected Yardbook cells: nothing below 2 cells. Shows
// the 75% message when it applies, redesigns at the found ratios, puts the
// ratios and the designs back, and shows the dialog.
std::optional<RatioCheckResult> checkCutFillRatio(Session& s, const std::vector<CellPos>& cells);

}  // namespace tarnwick

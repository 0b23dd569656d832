// Blending the sectors into one continuous surface, and the slope steppers
// that turn a design plane.

#include <cmath>

#include "core/design/kernel.h"
#include "core/session/command_scope.h"
#include "core/base/number_format.h"
#include "core/session/session.h"
#include "core/design/statistics.h"

namespace tarnwick {

// The blended sector pass. It moves only the stations inside sectors: a
// station that no sector covers keeps its sector elevation of 0 (cleared by
// the sector pass) and takes no part in the common ratio or the
// import/export, so the sectors' summed cut, fill and import/export are
// what the loops steer. Counting those stations, as a literal reading of
// the rule would, lets readings of 100 against an elevation of 0 dominate
// both loops and the sectors miss their targets by thousands of yards.
void Session::blendedPass() {
    Field& f = field;
    const int n = f.NumSectors;
    const bool atRowBreaks = f.blend.colChecked;  // sectors side by side
    const TDesignRecord& first = f.DesignRecords[1];
    const int rowSpacing = f.prefs.rowSpacing();
    const int colSpacing = f.prefs.colSpacing();
    const bool rod = f.prefs.RodReadings;

    // Phase 1: each sector's surface starts from the design elevation where
    // the sector before it ends.
    for (int k = 1; k <= n; ++k) {
        TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        const Rect rect = Rect::of(rec);
        rec.Area = rectangleArea(f, rect);
        if (atRowBreaks)
            rec.ColSlope = first.ColSlope;
        else
            rec.RowSlope = first.RowSlope;
        rec.CutFillRatio = first.CutFillRatio;
        rec.AvgElevation = rectangleAverage(f, rect);
        const double cs = rec.ColSlope * rowSpacing / 100;
        const double rs = rec.RowSlope * colSpacing / 100;
        const TFieldData* anchor = f.station(std::max(rec.FirstCol - 1, 1), std::max(rec.FirstRow - 1, 1));
        const double a = anchor ? anchor->SecNE : 0.0;
        for (int i = std::max(rec.FirstRow, 1); i <= std::min(rec.LastRow, f.NumRows); ++i)
            for (int j = std::max(rec.FirstCol, 1); j <= std::min(rec.LastCol, f.NumCols); ++j) {
                TFieldData* s = f.station(j, i);
                if (!s || !f.Survey.holdsReading(j, i)) continue;
                double d = atRowBreaks ? (i - rec.FirstRow) * cs + (j - rec.FirstCol + 1) * rs
                                       : (i - rec.FirstRow + 1) * cs + (j - rec.FirstCol) * rs;
                if (rod) d = -d;
                s->SecNE = a + d;
            }
    }

    // Phases 2 and 3 move the blended surface as one, over the stations
    // inside sectors only (see above). The import/export step keeps the
    // whole field's rectangle as its size.
    auto inSector = [&f](int col, int row) { return sectorOfStation(f, col, row) > 0; };
    DesignWork w(f, f.wholeField(), Target::Sector, 0, 0, inSector);
    w.loadNewElevations();
    const double r = first.CutFillRatio;
    const double count = static_cast<double>(w.size());
    const double area = w.stationArea();
    const double divisor = f.prefs.Divisor();
    CutFill cf;
    double x = 0;
    for (int round = 0; round < 16; ++round) {
        w.shift(x);
        cf = w.recompute();
        const double err = std::fabs(cf.cut - r * cf.fill);
        if (r == 0 || count == 0 || area == 0) {
            x = 0.01;
        } else {
            x = (r + 1) / (2 * r * count) * (r * cf.fill - cf.cut) * divisor / area;
            if (rod) x = -x;
        }
        if (err < 1.0) break;
    }

    double volume = 0;
    for (int k = 1; k <= n; ++k) volume += f.DesignRecords[static_cast<size_t>(k)].ImportExport;
    if (volume != 0) {
        TDesignRecord whole = f.DesignRecords[0];
        whole.FirstCol = whole.FirstRow = 1;
        whole.LastCol = f.NumCols;
        whole.LastRow = f.NumRows;
        double v = volume;
        for (int round = 0; round < 11; ++round) {
            w.importExportStep(v, whole);
            cf = w.recompute();
            if (volume < 0)
                v = volume - (r * cf.fill - cf.cut);
            else
                v = r != 0 ? volume + cf.cut / r - cf.fill : volume - cf.fill;
            if (!std::isfinite(v) || std::fabs(v) < 0.5) break;
        }
    }
    w.writeBack();

    // Phase 4: each sector's own totals.
    for (int k = 1; k <= n; ++k) {
        TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        DesignWork part(f, Rect::of(rec), Target::Sector, 0, 0);
        part.loadNewElevations();
        CutFill own = part.recompute();
        rec.TotalCut = own.cut;
        rec.TotalFill = own.fill;
    }
    designed_ = true;
}

void Session::clickBlendBox(bool colBox, bool checked) {
    CommandScope scope(*this);
    BlendState& b = field.blend;
    (colBox ? b.colChecked : b.rowChecked) = checked;
    if (checked) (colBox ? b.rowChecked : b.colChecked) = false;
    recalculateSectors();
}

void Session::stepSlope(DesignBox box, bool up, const std::string& boxText) {
    CommandScope scope(*this);
    Field& f = field;
    if (f.NumStations < 4 || (box != DesignBox::ColSlope && box != DesignBox::RowSlope)) return;
    const int k = designTab >= 0 && designTab <= f.NumSectors ? designTab : 0;
    if (k == 0) useBestFitSlopes = false;
    const double stepped = roundTo(parseReading(boxText) + (up ? 0.005 : -0.005), 3);
    // The slope box's own rule: above 20 it beeps and keeps its value.
    if (stepped > 20) {
        prompt_->beep();
        showDesignRecord(k);  // the boxes show the record again
        return;
    }
    TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
    if (box == DesignBox::ColSlope) {
        rec.ColSlope = stepped;
        if (f.blend.colChecked) f.DesignRecords[1].ColSlope = stepped;
    } else {
        rec.RowSlope = stepped;
        if (f.blend.rowChecked) f.DesignRecords[1].RowSlope = stepped;
    }
    recalculateSectors();
    showDesignRecord(k);
}

}  // namespace tarnwick

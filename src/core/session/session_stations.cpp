// Partial stations and forced final elevations.

#include <algorithm>

#include "core/design/kernel.h"
#include "core/session/command_scope.h"
#include "core/base/number_format.h"
#include "core/session/session.h"

namespace tarnwick {

void Session::setPartialStation() {
    CommandScope scope(*this);
    Field& f = field;
    if (f.NumStations < 1) return;
    Selection sel = selection;
    if (sel.firstCol > f.NumCols || sel.firstRow > f.NumRows) return;
    sel.lastRow = std::min(sel.lastRow, f.NumRows);
    sel.lastCol = std::min(sel.lastCol, f.NumCols);
    selection = sel;

    PartialStationForm form;
    const double w = f.weight(sel.firstCol, sel.firstRow);
    form.percent = w > 0 ? roundTo(w * 100, 2) : 100;
    if (prompt_->showPartialStation(form)) {
        const double percent = std::clamp(form.percent, PartialStationForm::kMin, PartialStationForm::kMax);
        const double weight = roundTo(percent / 100, 2);
        for (int r = sel.firstRow; r <= sel.lastRow; ++r)
            for (int c = sel.firstCol; c <= sel.lastCol; ++c) {
                TFieldData* s = f.station(c, r);
                if (!s) continue;
                s->Weight = weight;
                const int picture = f.Survey.picture(c, r);
                if (weight != 1)
                    f.Survey.setPicture(c, r, kPicturePartial);
                else if (picture == kPicturePartial)
                    f.Survey.setPicture(c, r, 0);
            }
    }
    // The whole recalculation, so the sector view is redesigned too.
    recalculate();
}

void Session::specifyFinalElevation() {
    CommandScope scope(*this);
    if (!prompt_->showSetElevation(elevationForm)) return;
    forceElevation(roundTo(elevationForm.value, 2));
}

void Session::finalElevationTyped(int col, int row, const std::string& text) {
    CommandScope scope(*this);
    remembered = {col, row};
    // Nothing readable typed: nothing is forced and the cell shows its
    // value again.
    const auto typed = readReading(text);
    if (!typed) {
        resultsShown();
        return;
    }
    if (*typed > 999) {
        results.setFinalElevationText(col, row, "");
        resultsShown();
        return;
    }
    // The cell is rewritten with two decimals first, and what it then shows
    // is the elevation the plane passes through: 100.226 forces 100.23.
    forceElevation(roundTo(*typed, 2));
}

void Session::forceElevation(double v) {
    CommandScope scope(*this);
    Field& f = field;
    int a = 0;
    Rect rect = f.wholeField();
    Target target = Target::WholeField;
    if (view_ == DesignView::Sector && f.NumSectors > 0) {
        target = Target::Sector;
        a = sectorOfStation(f, remembered.col, remembered.row);
        rect = Rect::of(f.DesignRecords[static_cast<size_t>(a)]);
    }
    TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(a)];
    designed_ = false;
    guarded([&] {
        const double cs = f.prefs.rowSpacing() * rec.ColSlope / 100;
        const double rs = f.prefs.colSpacing() * rec.RowSlope / 100;
        const double c = remembered.col - rect.firstCol + 1;
        const double r = remembered.row - rect.firstRow + 1;
        const double base = f.prefs.RodReadings ? v + c * rs + r * cs : v - c * rs - r * cs;
        DesignWork w(f, rect, target, cs, rs);
        CutFill cf = w.planePass(base);
        w.writeBack();
        rec.TotalCut = cf.cut;
        rec.TotalFill = cf.fill;
        rec.CutFillRatio = cf.ratio();
        designed_ = true;
    });
    // The panel shows the record that moved, under its own tab.
    designTab = a;
    refreshOutputs();
}

}  // namespace tarnwick

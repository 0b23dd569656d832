// Sectors: defining, inspecting and deleting them, and their pictures on
// the Survey grid.

#include <algorithm>

#include "core/base/number_format.h"
#include "core/session/command_scope.h"
#include "core/session/session.h"
#include "core/design/statistics.h"

namespace tarnwick {
namespace {

Rect rectOf(const Selection& s) { return {s.firstCol, s.firstRow, s.lastCol, s.lastRow}; }
Selection selectionOf(const Rect& r) { return {r.firstCol, r.firstRow, r.lastCol, r.lastRow}; }
bool singleStation(const Selection& s) { return s.firstCol == s.lastCol && s.firstRow == s.lastRow; }

// The selection cut back to the rows and columns in use (the first row and
// column are kept). A selection that starts past them keeps one row or
// column: a sector is never inverted, so a field file can hold it.
Selection limited(const Selection& s, const Field& f) {
    Selection out = s;
    out.lastRow = std::max(out.firstRow, std::min(out.lastRow, f.NumRows));
    out.lastCol = std::max(out.firstCol, std::min(out.lastCol, f.NumCols));
    return out;
}

bool overlapsSector(const Field& f, const Rect& r) {
    for (int k = 1; k <= f.NumSectors; ++k) {
        const TDesignRecord& s = f.DesignRecords[static_cast<size_t>(k)];
        if (r.firstCol <= s.LastCol && r.lastCol >= s.FirstCol && r.firstRow <= s.LastRow && r.lastRow >= s.FirstRow)
            return true;
    }
    return false;
}

bool isSectorPicture(int picture) {
    return picture >= kPictureFirstSector && picture < kPictureFirstSector + kMaxSectors;
}

}  // namespace

void useBestFitSlopes(SectorSlopeForm& form) {
    form.rowSlope = parseReading(form.bestRowSlope);
    form.colSlope = parseReading(form.bestColSlope);
}

std::string Session::sectorHeading(int k, const Rect& r) const {
    return "Sector [" + std::to_string(k) + "] - " + stationName(r.firstCol, r.firstRow) + ":" +
           stationName(r.lastCol, r.lastRow);
}

void Session::placeSectorPictures() {
    CommandScope scope(*this);
    for (int k = 1; k <= field.NumSectors; ++k) {
        const TDesignRecord& rec = field.DesignRecords[static_cast<size_t>(k)];
        field.Survey.setPicture(rec.FirstCol, rec.FirstRow, kPictureFirstSector + k - 1);
    }
}

void Session::setSectorSlope() {
    CommandScope scope(*this);
    Field& f = field;
    if (f.NumStations == 0) return;
    selection = limited(selection, f);
    if (f.NumSectors == kMaxSectors) {
        prompt_->warning("No more than 7 Sectors!");
        return;
    }
    int k;
    const int editing = singleStation(selection) ? sectorOfStation(f, remembered.col, remembered.row) : 0;
    if (editing > 0) {
        k = editing;
        const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        selection = selectionOf(Rect::of(rec));
        sectorForm.rowSlope = rec.RowSlope;
        sectorForm.colSlope = rec.ColSlope;
        sectorForm.ratio = rec.CutFillRatio;
        sectorForm.importExport = rec.ImportExport;
    } else if (overlapsSector(f, rectOf(selection))) {
        prompt_->warning("Sectors Can't Overlap");
        return;
    } else {
        k = f.NumSectors + 1;
    }
    const Rect rect = rectOf(selection);
    sectorForm.heading = sectorHeading(k, rect);
    if (sectorForm.ratio == 0) sectorForm.ratio = f.prefs.defaultRatio();
    BestFit bf;
    try {
        bf = bestFitOfRectangle(f, rect);
    } catch (const SpacingError& e) {
        prompt_->error(e.what());
        return;
    }
    sectorForm.average = formatFixed(bf.average, 3);
    sectorForm.lengthUnit = unitCaptions(f.prefs.feet).length;
    sectorForm.bestColSlope = formatFixed(bf.ColSlope, 3);
    sectorForm.bestRowSlope = formatFixed(bf.RowSlope, 3);

    if (prompt_->showSectorSlope(sectorForm)) {
        TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        rec.FirstCol = rect.firstCol;
        rec.FirstRow = rect.firstRow;
        rec.LastCol = rect.lastCol;
        rec.LastRow = rect.lastRow;
        rec.RowSlope = sectorForm.rowSlope;
        rec.ColSlope = sectorForm.colSlope;
        rec.CutFillRatio = sectorForm.ratio;
        rec.ImportExport = sectorForm.importExport;
        rec.AvgElevation = bf.average;
        designed_ = false;
        guarded([&] { rec.Area = rectangleArea(f, rect); });
        if (editing == 0) f.NumSectors = k;
        // The panel shows the sector just set, under its own tab.
        designTab = k;
        guarded([&] { design(k); });
        designed_ = true;
        view_ = DesignView::Sector;
        if (f.NumSectors > 1) updateBlendAvailability();
    }
    placeSectorPictures();
    refreshOutputs();
}

void Session::viewSectorInfo() {
    CommandScope scope(*this);
    Field& f = field;
    if (f.NumStations == 0) return;
    std::string middle = " ";
    const int k = singleStation(selection) ? sectorOfStation(f, remembered.col, remembered.row) : 0;
    if (k > 0) {
        selection = selectionOf(Rect::of(f.DesignRecords[static_cast<size_t>(k)]));
        middle = "[" + std::to_string(k) + "]";
    }
    selection = limited(selection, f);
    const Rect rect = rectOf(selection);
    SectorInfoForm form;
    try {
        BestFit bf = bestFitOfRectangle(f, rect);
        form.average = formatFixed(bf.average, 3);
        form.bestColSlope = formatFixed(bf.ColSlope, 3);
        form.bestRowSlope = formatFixed(bf.RowSlope, 3);
    } catch (const SpacingError& e) {
        prompt_->error(e.what());
        return;
    }
    form.lengthUnit = unitCaptions(f.prefs.feet).length;
    form.heading = "Sector" + middle + "- " + stationName(rect.firstCol, rect.firstRow) + ":" +
                   stationName(rect.lastCol, rect.lastRow);
    prompt_->showSectorInfo(form);
}

void Session::deleteSector() {
    CommandScope scope(*this);
    Field& f = field;
    const int k = sectorOfStation(f, remembered.col, remembered.row);
    if (k == 0) return;
    selection = selectionOf(Rect::of(f.DesignRecords[static_cast<size_t>(k)]));
    if (k != f.NumSectors) {
        prompt_->beep();
        prompt_->error("Must Delete Sector " + std::to_string(f.NumSectors) + " First");
        return;
    }
    if (!prompt_->confirm("Clear Sector " + std::to_string(k) + "?")) return;
    // Sector numbers go; partial-station marks stay with their stations.
    const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
    if (isSectorPicture(f.Survey.picture(rec.FirstCol, rec.FirstRow))) f.Survey.setPicture(rec.FirstCol, rec.FirstRow, 0);
    f.NumSectors -= 1;
    designTab = f.NumSectors;
    if (f.NumSectors <= 1 || !breakCheck()) f.blend = BlendState{};
    placeSectorPictures();
    recalculateSectors();
}

void Session::clearAllSectorsCommand() {
    CommandScope scope(*this);
    if (field.NumSectors == 0) return;
    if (prompt_->confirm("Delete All Sectors?")) clearAllSectors();
    recalculateSectors();
}

bool Session::breakCheck() const {
    const Field& f = field;
    for (int k = 1; k < f.NumSectors; ++k) {
        const TDesignRecord& a = f.DesignRecords[static_cast<size_t>(k)];
        const TDesignRecord& b = f.DesignRecords[static_cast<size_t>(k + 1)];
        if (!(b.FirstRow <= a.LastRow + 1 && b.FirstCol <= a.LastCol + 1)) return false;
    }
    return true;
}

void Session::updateBlendAvailability() {
    CommandScope scope(*this);
    Field& f = field;
    if (f.NumSectors < 2) return;
    const TDesignRecord& p = f.DesignRecords[static_cast<size_t>(f.NumSectors - 1)];
    f.blend.colEnabled = p.LastCol < f.NumCols;
    f.blend.rowEnabled = p.LastRow < f.NumRows;
}

}  // namespace tarnwick

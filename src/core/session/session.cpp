#include "core/session/session.h"

#include <cmath>
#include <tuple>

#include "core/files/field_file.h"
#include "core/session/command_scope.h"
#include "core/design/kernel.h"
#include "core/base/number_format.h"
#include "core/base/text_file.h"

namespace tarnwick {

UnitCaptions unitCaptions(bool feet) {
    if (feet) return {"feet", "Acres", "Cu.Yards", "Cubic Yards", "Cu. Yards/Acre"};
    return {"meters", "Hectares", "Cu.Meters", "Cubic Meters", "Cu. Meters/Hectare"};
}

std::pair<std::string, std::string> compoundSlopeText(double x, double y) {
    if (x == 0 || y == 0) return {formatFixed(x + y, 3), "0"};
    double compound = std::sqrt(x * x + y * y);
    double e = std::fabs(x / y);
    if (e > 1) e = std::fabs(y / x);
    double angle = std::atan(e) * 180 / 3.14159;
    return {formatFixed(compound, 3), formatFixed(angle, 1)};
}

Session::Session(Prompt& prompt) : prompt_(&prompt) {}

bool Session::guarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const SpacingError& e) {
        prompt_->error(e.what());
    }
    return false;
}

bool Session::design(int k) {
    bool done = designRecord(field, k);
    designed_ = designed_ || done;
    return done;
}

bool Session::wholeFieldPass() {
    Field& f = field;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (TFieldData* s = f.station(c, r)) s->oe = s->FullNE = s->FullCF = s->SecNE = s->SecCF = 0;
    fieldScan(f);
    if (f.NumStations < 4) {
        // No best fit of this field: the figures of a larger field that
        // came before are not its own. The captions keep their text.
        info.bestFit.reset();
        info.yardage.reset();
        return false;
    }

    BestFit bf = wholeFieldBestFit(f);
    info.bestFit = bf;
    info.yardage = trialDesign(f, bf.RowSlope, bf.ColSlope, false);
    info.BFYards = info.yardage ? formatFixed(*info.yardage, 0) : std::string();
    info.CSBest = formatFixed(bf.ColSlope, 3);
    info.RSBest = formatFixed(bf.RowSlope, 3);

    TDesignRecord& rec = f.DesignRecords[0];
    if (useBestFitSlopes) {
        rec.ColSlope = parseReading(info.CSBest);
        rec.RowSlope = parseReading(info.RSBest);
    }
    rec.AvgElevation = bf.average;
    if (rec.CutFillRatio == 0) rec.CutFillRatio = f.prefs.defaultRatio();
    rec.FirstCol = 1;
    rec.FirstRow = 1;
    rec.LastCol = f.NumCols;
    rec.LastRow = f.NumRows;
    design(0);

    info.Numsta = std::to_string(f.NumStations);
    info.NumAcr = formatFixed(rec.Area, 2);
    info.avgEl = formatFixed(bf.average, 2);
    return true;
}

void Session::sectorPass(bool wholeFieldDesigned) {
    Field& f = field;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (TFieldData* s = f.station(c, r)) s->SecNE = s->SecCF = 0;
    // The whole field is designed first; when the whole-field pass has just
    // done so from the same survey and values, designing it again would give
    // the same numbers.
    if (!wholeFieldDesigned) design(0);
    if (f.blend.on() && f.NumSectors > 0) {
        blendedPass();
        return;
    }
    for (int k = 1; k <= f.NumSectors; ++k) design(k);
}

void Session::recalculate() {
    CommandScope scope(*this);
    designed_ = false;
    guarded([&] {
        bool whole = wholeFieldPass();
        if (field.NumSectors > 0) sectorPass(whole);
    });
    refreshOutputs();
}

void Session::recalculateSectors() {
    CommandScope scope(*this);
    designed_ = false;
    guarded([&] { sectorPass(false); });
    refreshOutputs();
}

void Session::refreshOutputs() {
    if (!designed_) return;
    designed_ = false;
    sectorDesignEnabled_ = field.NumSectors > 0;
    if (!sectorDesignEnabled_) view_ = DesignView::FullField;
    guarded([&] { results.fill(field, view_); });
    refreshDesignSummary();
    fillDesignParameters();
    showDesignRecord(designTab);
}

void Session::designAndShow(int k) {
    CommandScope scope(*this);
    designed_ = false;
    guarded([&] { design(k); });
    refreshOutputs();
}

void Session::setView(DesignView v) {
    CommandScope scope(*this);
    view_ = v;
    if (results.filled()) guarded([&] { results.fill(field, view_); });
    resultsShown();
}

void Session::showDesignRecord(int k) {
    CommandScope scope(*this);
    if (k < 0 || k > field.NumSectors) k = 0;
    resultsShown();
    const TDesignRecord& rec = field.DesignRecords[static_cast<size_t>(k)];
    panel.record = k;
    panel.bestFitVisible = k == 0;
    panel.ratio = formatFixed(rec.CutFillRatio, 2);
    panel.colSlope = formatFixed(rec.ColSlope, 3);
    panel.rowSlope = formatFixed(rec.RowSlope, 3);
    panel.importExport = formatFixed(rec.ImportExport, 0);
    std::tie(panel.compSlope, panel.rotate) = compoundSlopeText(rec.RowSlope, rec.ColSlope);
    panel.avgElevation = formatFixed(rec.AvgElevation, 2);
    panel.totalCut = formatFixed(rec.TotalCut, 0);
    panel.totalFill = formatFixed(rec.TotalFill, 0);
    if (rec.Area > 0) {
        panel.cutPerArea = formatFixed(rec.TotalCut / rec.Area, 0);
        panel.fillPerArea = formatFixed(rec.TotalFill / rec.Area, 0);
    }
}

void Session::refreshDesignSummary() {
    const Field& f = field;
    DesignSummary& s = summary;
    s.cut = s.fill = s.importExport = 0;
    if (f.NumSectors > 0) {
        for (int k = 1; k <= f.NumSectors; ++k) {
            const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
            s.cut += rec.TotalCut;
            s.fill += rec.TotalFill;
            s.importExport += rec.ImportExport;
        }
    } else {
        const TDesignRecord& rec = f.DesignRecords[0];
        s.cut = rec.TotalCut;
        s.fill = rec.TotalFill;
        s.importExport = rec.ImportExport;
    }
    s.totalCut = formatFixed(s.cut, 0);
    s.totalFill = formatFixed(s.fill, 0);
    s.importExportText = formatFixed(s.importExport, 0);
    const double area = f.DesignRecords[0].Area;
    if (area != 0) s.cutPerArea = formatFixed(s.cut / area, 0);
    if (s.fill > 0) {
        s.ratio = s.cut / s.fill;
        s.ratioText = formatFixed(*s.ratio, 2);
    } else {
        // Cut with nothing to fill: no ratio to show.
        s.ratio.reset();
        s.ratioText = "---";
    }
}

void Session::fillDesignParameters() {
    DesignParametersTable& t = parameters;
    t = DesignParametersTable();
    const char* const dashes = "       ---";
    t.at(1, 1) = t.at(1, 2) = t.at(1, 5) = dashes;
    t.at(1, 3) = summary.totalCut;
    t.at(1, 4) = summary.totalFill;
    t.at(1, 6) = summary.importExportText;
    t.at(1, 7) = info.avgEl;
    t.at(1, 8) = info.NumAcr;
    const Field& f = field;
    const int first = f.NumSectors > 0 ? 1 : 0;
    for (int k = first; k <= f.NumSectors; ++k) {
        const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        const int col = 2 * k + 1;
        t.at(col, 1) = formatFixed(rec.ColSlope, 2);
        t.picture[1][static_cast<size_t>(col + 1)] = rec.ColSlope < 0 ? 17 : 20;
        t.at(col, 2) = formatFixed(rec.RowSlope, 2);
        t.picture[2][static_cast<size_t>(col + 1)] = rec.RowSlope < 0 ? 18 : 19;
        t.at(col, 3) = formatFixed(rec.TotalCut, 0);
        t.at(col, 4) = formatFixed(rec.TotalFill, 0);
        t.at(col, 5) = formatFixed(rec.CutFillRatio, 2);
        t.at(col, 6) = formatFixed(rec.ImportExport, 0);
        t.at(col, 7) = formatFixed(rec.AvgElevation, 2);
        t.at(col, 8) = formatFixed(rec.Area, 2);
        if (rec.Area != 0) t.at(col, 9) = formatFixed(rec.TotalCut / rec.Area, 0);
    }
    double cutSum = 0, areaSum = 0;
    for (int c = 3; c < DesignParametersTable::kCols; ++c) {
        cutSum += cellValue(t.at(c, 3));
        areaSum += cellValue(t.at(c, 8));
    }
    if (areaSum != 0) t.at(1, 9) = formatFixed(cutSum / areaSum, 0);
}

bool Session::openField(const std::string& path) {
    CommandScope scope(*this);
    // The file is read once: its first line decides, the rest is the field.
    const TextFileRead file = readTextFile(path);
    FieldFileKind kind =
        file.outcome == ReadOutcome::CannotOpen ? FieldFileKind::CannotOpen : fieldTextKind(file.bytes);
    // A read that failed before the first line was whole tells no kind.
    if (file.outcome == ReadOutcome::ReadError && kind == FieldFileKind::NotRecognised) kind = FieldFileKind::CannotOpen;
    if (kind == FieldFileKind::CannotOpen) prompt_->error("Can't Open this File");
    if (kind == FieldFileKind::CannotOpen || kind == FieldFileKind::NotRecognised) {
        prompt_->beep();
        prompt_->error(std::string("This is not ") + kProgramName + " File!");
        return false;
    }
    // Read into a field of its own, cleared as Open clears the field: a
    // file refused part way leaves the field as it was, and nothing of it
    // reaches a design.
    Field loaded = field;
    clearField(loaded);
    const bool v1 = kind == FieldFileKind::Version1;
    const ReadStatus status = !file.ok() ? (v1 ? ReadStatus::InvalidFieldData : ReadStatus::ReadError)
                              : v1       ? readVersion1Text(file.bytes, loaded)
                                         : readFieldText(file.bytes, loaded);
    if (status != ReadStatus::Ok) {
        prompt_->error(v1 ? "Invalid Field Data" : "Error Reading this File");
        return false;
    }

    FFileName = path;
    field = std::move(loaded);
    fieldReplaced();
    // The field reopens with the design it holds: with the box checked the
    // recalculation below would replace the stored slopes by best-fit ones,
    // and the next Save would write those instead.
    useBestFitSlopes = false;
    fieldScan(field);
    designed_ = false;
    bool wholeDesigned = false;
    guarded([&] { wholeDesigned = wholeFieldPass(); });
    Field& f = field;
    updateBlendAvailability();
    if (f.NumSectors > 0) {
        placeSectorPictures();
        guarded([&] { sectorPass(wholeDesigned); });
    }
    refreshOutputs();
    return true;
}

bool Session::writeField(const std::string& path) {
    std::string text;
    try {
        text = fieldFileText(field);
    } catch (const std::runtime_error& e) {  // SpacingError, FieldFileError
        prompt_->error(std::string("Error Writing this File: ") + e.what());
        return false;
    }
    if (const WriteResult written = writeFileAtomically(path, text); !written) {
        prompt_->error("Error Writing this File: " + written.reason);
        return false;
    }
    return true;
}

}  // namespace tarnwick

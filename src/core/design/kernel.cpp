#include "core/design/kernel.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/base/number_format.h"
#include "core/design/statistics.h"

namespace tarnwick {

namespace {

// Work arrays are kept between designs: a recalculation designs up to nine
// rectangles, and fresh arrays for each would cost more than the designs.
thread_local std::vector<std::unique_ptr<DesignBuffers>> freeBuffers;

}  // namespace

DesignWork::DesignWork(Field& f, const Rect& r, Target t, double colStep, double rowStep)
    : DesignWork(f, r, t, colStep, rowStep, {}) {}

DesignWork::DesignWork(Field& f, const Rect& r, Target t, double colStep, double rowStep,
                       const std::function<bool(int, int)>& keep)
    : field_(f),
      target_(t),
      rod_(f.prefs.RodReadings),
      divisor_(f.prefs.Divisor()),
      area_(f.prefs.stationArea()),
      meters_(!f.prefs.feet) {
    if (freeBuffers.empty()) {
        b_ = std::make_unique<DesignBuffers>();
    } else {
        b_ = std::move(freeBuffers.back());
        freeBuffers.pop_back();
    }
    DesignBuffers& b = *b_;
    b.clear();
    // Only stations with a record of the last scan can be designed.
    const int lastRow = std::min({r.lastRow, f.NumRows, f.Survey.rowCount() - 1});
    const int lastCol = std::min({r.lastCol, f.NumCols, f.Survey.colCount() - 1,
                                  static_cast<int>(f.FieldData.size()) - 1});
    const int firstRow = std::max(r.firstRow, 1);
    const int firstCol = std::max(r.firstCol, 1);
    const size_t capacity = static_cast<size_t>(std::max(0, lastRow - firstRow + 1)) *
                            static_cast<size_t>(std::max(0, lastCol - firstCol + 1));
    b.reserve(capacity);
    const SurveyGrid& g = f.Survey;
    for (int row = firstRow; row <= lastRow; ++row) {
        // r' and c' count from 1 at the rectangle's first station (in
        // doubles: no int overflow whatever the rectangle holds).
        const double rp = static_cast<double>(row) - r.firstRow + 1;
        for (int col = firstCol; col <= lastCol; ++col) {
            if (!g.holdsReading(col, row) || (keep && !keep(col, row))) continue;
            auto& column = f.FieldData[static_cast<size_t>(col)];
            if (static_cast<size_t>(row) >= column.size()) continue;
            TFieldData& s = column[static_cast<size_t>(row)];
            if (!(s.Weight > 0)) s.Weight = 1.0;
            const double cp = static_cast<double>(col) - r.firstCol + 1;
            b.col.push_back(col);
            b.row.push_back(row);
            b.oe.push_back(g.value(col, row));
            b.sw.push_back(area_ * s.Weight);
            b.offset.push_back(rp * colStep + cp * rowStep);
        }
    }
    b.ne.assign(b.oe.size(), 0.0);
}

DesignWork::~DesignWork() {
    if (b_) freeBuffers.push_back(std::move(b_));
}

void DesignBuffers::clear() {
    col.clear();
    row.clear();
    offset.clear();
    oe.clear();
    sw.clear();
    ne.clear();
}

void DesignBuffers::reserve(size_t n) {
    col.reserve(n);
    row.reserve(n);
    offset.reserve(n);
    oe.reserve(n);
    sw.reserve(n);
    ne.reserve(n);
}

CutFill DesignWork::planePass(double base) {
    const size_t n = b_->oe.size();
    const double* offset = b_->offset.data();
    double* ne = b_->ne.data();
    if (rod_)
        for (size_t i = 0; i < n; ++i) ne[i] = base - offset[i];
    else
        for (size_t i = 0; i < n; ++i) ne[i] = base + offset[i];
    return recompute();
}

CutFill DesignWork::recompute() const {
    // Volumes are summed station by station in row order: the totals must
    // not depend on how the loop is compiled.
    const size_t n = b_->oe.size();
    const double* ne = b_->ne.data();
    const double* oe = b_->oe.data();
    const double* sw = b_->sw.data();
    const double divisor = divisor_;
    const double sign = rod_ ? -1.0 : 1.0;
    double cut = 0, fill = 0;
    for (size_t i = 0; i < n; ++i) {
        const double x = ne[i] - oe[i];
        const double cf = sign * x;
        const double vol = sw[i] * std::fabs(x) / divisor;
        fill += cf > 0 ? vol : 0.0;
        cut += cf < 0 ? vol : 0.0;
    }
    return {cut, fill};
}

void DesignWork::importExportStep(double v, const TDesignRecord& rec) {
    // The bracket multiplies the row span by the station area and the last
    // column's number and takes the first column's number off. A rectangle
    // one row high counts as one row step, so its step still moves the
    // residual towards zero instead of away from it.
    const double rowSpan = std::max(static_cast<double>(rec.LastRow) - rec.FirstRow, 1.0);
    double bracket = rowSpan * area_ * rec.LastCol - rec.FirstCol;
    if (!(bracket > 0)) return;
    double step = v / bracket;
    if (meters_)
        step = step / 3;
    else
        step = step * 10;
    if (rod_) step = -step;
    for (double& ne : b_->ne) ne += step;
}

void DesignWork::loadNewElevations() {
    DesignBuffers& b = *b_;
    for (size_t i = 0; i < b.oe.size(); ++i) {
        const TFieldData& s = field_.FieldData[static_cast<size_t>(b.col[i])][static_cast<size_t>(b.row[i])];
        b.ne[i] = target_ == Target::WholeField ? s.FullNE : s.SecNE;
    }
}

void DesignWork::shift(double x) {
    for (double& ne : b_->ne) ne -= x;
}

void DesignWork::writeBack() const {
    const DesignBuffers& b = *b_;
    for (size_t i = 0; i < b.oe.size(); ++i) {
        TFieldData& s = field_.FieldData[static_cast<size_t>(b.col[i])][static_cast<size_t>(b.row[i])];
        s.oe = b.oe[i];
        double x = b.ne[i] - b.oe[i];
        double cf = rod_ ? -x : x;
        if (target_ == Target::WholeField) {
            s.FullNE = b.ne[i];
            s.FullCF = cf;
        } else {
            s.SecNE = b.ne[i];
            s.SecCF = cf;
        }
    }
}

double baseElevation(bool rodReadings, double average, double meanRow, double meanCol, double colStep,
                     double rowStep) {
    if (rodReadings) return average + meanRow * colStep + meanCol * rowStep;
    return average - meanRow * colStep - meanCol * rowStep;
}

CutFill ratioIteration(DesignWork& w, double base, double ratio, int stationCount, int limit, bool rodReadings,
                       double divisor) {
    const double s = w.stationArea();
    double delta = 0;
    CutFill cf;
    for (int i = 0;;) {
        base = base - delta;
        cf = w.planePass(base);
        double d = roundTo(std::fabs(cf.cut - ratio * cf.fill), 3);
        if (ratio == 0 || stationCount == 0 || s == 0) {
            delta = 0.01;
        } else {
            delta = (ratio + 1) / (2 * ratio * stationCount) * (ratio * cf.fill - cf.cut) * divisor / s;
            if (rodReadings) delta = -delta;
        }
        ++i;
        if (d < 0.2 || i >= limit) break;
    }
    return cf;
}

CutFill importExportLoop(DesignWork& w, const TDesignRecord& rec, CutFill cf) {
    const double ie = rec.ImportExport;
    const double r = rec.CutFillRatio;
    double v = ie;
    for (int j = 0;;) {
        w.importExportStep(v, rec);
        cf = w.recompute();
        ++j;
        if (ie >= 0) {
            // A ratio of 0 asks for no cut to fill with: the import alone
            // covers the fill.
            v = r != 0 ? ie + cf.cut / r - cf.fill : ie - cf.fill;
        } else {
            v = ie - (r * cf.fill - cf.cut);
        }
        if (!std::isfinite(v) || std::fabs(v) < 1 || j > 50) break;
    }
    return cf;
}

bool designRecord(Field& f, int k) {
    TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
    if (!(rec.LastRow > rec.FirstRow || rec.LastCol > rec.FirstCol)) return false;
    const Rect rect = Rect::of(rec);
    const double cs = rec.ColSlope * f.prefs.rowSpacing() / 100;
    const double rs = rec.RowSlope * f.prefs.colSpacing() / 100;
    Centroid c = rectangleCentroid(f, rect);
    if (c.count < 2) return false;
    rec.AvgElevation = rectangleAverage(f, rect);
    const bool rod = f.prefs.RodReadings;
    double base = baseElevation(rod, rec.AvgElevation, c.meanRow, c.meanCol, cs, rs);
    rec.Area = rectangleArea(f, rect);

    DesignWork w(f, rect, k == 0 ? Target::WholeField : Target::Sector, cs, rs);
    CutFill cf = ratioIteration(w, base, rec.CutFillRatio, c.count, 21, rod, f.prefs.Divisor());
    if (rec.ImportExport != 0) cf = importExportLoop(w, rec, cf);
    w.writeBack();
    rec.TotalCut = cf.cut;
    rec.TotalFill = cf.fill;
    return true;
}

std::optional<double> trialDesign(Field& f, double rowSlope, double colSlope, bool writeBack) {
    if (f.NumStations < 5) return std::nullopt;
    TDesignRecord& rec = f.DesignRecords[0];
    if (rec.CutFillRatio == 0) rec.CutFillRatio = f.prefs.defaultRatio();
    const double r = rec.CutFillRatio;
    const double cs = colSlope * f.prefs.rowSpacing() / 100;
    const double rs = rowSlope * f.prefs.colSpacing() / 100;
    const Rect rect = f.wholeField();
    double avg = rectangleAverage(f, rect);
    Centroid c = rectangleCentroid(f, rect);
    const bool rod = f.prefs.RodReadings;
    double base = baseElevation(rod, avg, c.meanRow, c.meanCol, cs, rs);
    DesignWork w(f, rect, Target::WholeField, cs, rs);
    CutFill cf = ratioIteration(w, base, r, c.count, 11, rod, f.prefs.Divisor());
    if (writeBack) w.writeBack();
    return roundTo(cf.cut, 1);
}

void DesignWork::setSteps(const Rect& r, double colStep, double rowStep) {
    DesignBuffers& b = *b_;
    for (size_t i = 0; i < b.offset.size(); ++i) {
        // The same r' and c' as when the stations were gathered.
        const double rp = static_cast<double>(b.row[i]) - r.firstRow + 1;
        const double cp = static_cast<double>(b.col[i]) - r.firstCol + 1;
        b.offset[i] = rp * colStep + cp * rowStep;
    }
}

TrialDesigner::TrialDesigner(Field& f) : field_(f), rect_(f.wholeField()) {
    if (f.NumStations < 5) return;
    TDesignRecord& rec = f.DesignRecords[0];
    if (rec.CutFillRatio == 0) rec.CutFillRatio = f.prefs.defaultRatio();
    ratio_ = rec.CutFillRatio;
    rowSpacing_ = f.prefs.rowSpacing();
    colSpacing_ = f.prefs.colSpacing();
    average_ = rectangleAverage(f, rect_);
    centroid_ = rectangleCentroid(f, rect_);
    work_ = std::make_unique<DesignWork>(f, rect_, Target::WholeField, 0.0, 0.0);
}

std::optional<double> TrialDesigner::cut(double rowSlope, double colSlope) {
    if (!work_) return std::nullopt;
    // The steps and the base in the same order of arithmetic as trialDesign.
    const double cs = colSlope * rowSpacing_ / 100;
    const double rs = rowSlope * colSpacing_ / 100;
    const bool rod = field_.prefs.RodReadings;
    double base = baseElevation(rod, average_, centroid_.meanRow, centroid_.meanCol, cs, rs);
    work_->setSteps(rect_, cs, rs);
    CutFill cf = ratioIteration(*work_, base, ratio_, centroid_.count, 11, rod, field_.prefs.Divisor());
    return roundTo(cf.cut, 1);
}

void TrialDesigner::writeBack() const {
    if (work_) work_->writeBack();
}

}  // namespace tarnwick

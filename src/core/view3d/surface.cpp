#include "core/view3d/surface.h"

#include <algorithm>
#include <cmath>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

bool holds(const SurveyGrid& g, int col, int row) {
    return g.inside(col, row) && g.holdsReading(col, row);
}

double plotted(const TFieldData& s, SurfaceChoice c) {
    switch (c) {
        case SurfaceChoice::SurveyReadings:
            return s.oe;
        case SurfaceChoice::FullDesign:
            return s.FullNE;
        case SurfaceChoice::SectorDesign:
            return s.SecNE;
    }
    return s.oe;
}

double wrapAngle(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

int mix(int a, int b, double t) {
    return static_cast<int>(std::lround(a + (b - a) * t));
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}

}  // namespace

const char* surfaceChoiceCaption(SurfaceChoice c) {
    switch (c) {
        case SurfaceChoice::SurveyReadings:
            return "Survey Readings";
        case SurfaceChoice::FullDesign:
            return "Full Design";
        case SurfaceChoice::SectorDesign:
            return "Sector Design";
    }
    return "";
}

bool Surface3D::refresh(const SurfaceInput& in) {
    if (!in.field || in.field->NumStations == 0) return false;
    const Field& f = *in.field;
    const SurveyGrid& g = f.Survey;
    maxReading_ = -999;
    minReading_ = 999;
    angleLabel_.clear();
    sectorChoiceVisible_ = f.NumSectors > 0;
    if (!sectorChoiceVisible_ && choice_ == SurfaceChoice::SectorDesign) choice_ = SurfaceChoice::FullDesign;

    cols_ = f.NumCols;
    rows_ = f.NumRows;
    scaleY_ = static_cast<double>(rows_) / cols_;
    matrix_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(rows_), 0.0);
    drawn_.assign(matrix_.size(), 0);

    // A station without a reading repeats the height before it in row
    // order, so the mesh has no holes to fall into.
    double v = 0;
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= cols_; ++c) {
            if (holds(g, c, r)) {
                const TFieldData* s = f.station(c, r);
                v = s ? plotted(*s, choice_) : 0;
                if (v > maxReading_) maxReading_ = v;
                if (v < minReading_ && v > -999) minReading_ = v;
            }
            matrix_[index(c, r)] = v;
        }
    // The two-step check also hides the last row and column of cells.
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c)
            drawn_[index(c, r)] = holds(g, c, r) && holds(g, c + 1, r) && holds(g, c, r + 1) &&
                                  holds(g, c + 1, r + 1) && holds(g, c + 2, r + 2);

    x_ = {static_cast<double>(in.colSpacing), static_cast<double>(in.colSpacing) * cols_};
    y_ = {static_cast<double>(in.rowSpacing), static_cast<double>(in.rowSpacing) * rows_};
    color_ = {minReading_, maxReading_};
    // The heights fill the middle 80 % of the z axis. A flat surface gets
    // one unit either side, so it is drawn at mid height.
    const double m = (maxReading_ + minReading_) / 2, h = (maxReading_ - minReading_) / 2;
    z_ = h != 0 ? AxisRange{m - 1.25 * h, m + 1.25 * h} : AxisRange{m - 1, m + 1};
    low_ = kLightBlue;
    middle_ = kLightGreen;
    high_ = kLightRed;
    if (f.prefs.RodReadings) {
        // Small rod readings are high ground: drawn at the top, light red.
        std::swap(z_.lo, z_.hi);
        std::swap(low_, high_);
    }
    return true;
}

int Surface3D::cellsDrawn() const {
    return static_cast<int>(std::count(drawn_.begin(), drawn_.end(), 1));
}

Rgb Surface3D::colorOf(double height) const {
    const double span = color_.hi - color_.lo;
    if (span == 0) return middle_;
    const double t = std::clamp((height - color_.lo) / span, 0.0, 1.0);
    return t < 0.5 ? mix(low_, middle_, 2 * t) : mix(middle_, high_, 2 * t - 1);
}

void Surface3D::resetAngles() {
    angleX_ = 70;
    angleZ_ = 310;
}

void Surface3D::afterMouseAction(double angleX, double angleZ, double magnification) {
    angleX_ = wrapAngle(angleX);
    angleZ_ = wrapAngle(angleZ);
    magnification_ = std::max(magnification, kMinMagnification);
    angleLabel_ = "X:" + formatFixed(angleX_, 0) + " Z:" + formatFixed(angleZ_, 0);
}

void Surface3D::mouseOver(std::optional<std::pair<int, int>> station) {
    stationLabel_ = station ? "Station: " + stationName(station->first, station->second) : "Station:    ";
}

}  // namespace tarnwick

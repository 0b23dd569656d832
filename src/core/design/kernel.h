#pragma once
// The design kernel: lays a plane with the asked slopes over a rectangle of
// stations, moves it up or down until cut stands in the asked ratio to fill,
// then moves it again for an import or export volume.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/field/field.h"
#include "core/design/statistics.h"

namespace tarnwick {

enum class Target { WholeField, Sector };  // FullNE/FullCF or SecNE/SecCF

struct CutFill {
    double cut = 0;   // cubic yards or cubic meters, positive
    double fill = 0;
    double ratio() const { return fill > 0 ? cut / fill : 0.0; }
};

struct DesignBuffers {
    std::vector<int> col, row;
    std::vector<double> offset;  // r' * column step + c' * row step
    std::vector<double> oe;
    std::vector<double> sw;      // station area * weight
    std::vector<double> ne;
    void clear();
    void reserve(size_t n);
};

// The stations of one rectangle that hold a reading, in row order, as flat
// arrays: every iteration of the kernel runs over these.
class DesignWork {
public:
    // colStep: change from one row to the next; rowStep: from one column to
    // the next.
    DesignWork(Field& f, const Rect& r, Target t, double colStep, double rowStep);
    // Only the stations of the rectangle for which `keep(col, row)` holds.
    DesignWork(Field& f, const Rect& r, Target t, double colStep, double rowStep,
               const std::function<bool(int, int)>& keep);
    ~DesignWork();
    DesignWork(const DesignWork&) = delete;
    DesignWork& operator=(const DesignWork&) = delete;

    size_t size() const { return b_->oe.size(); }
    // New elevation of each station from the plane through `base`.
    CutFill planePass(double base);
    // Cut and fill of the new elevations already held.
    CutFill recompute() const;
    // One import/export step of volume v (a positive step raises the plane).
    void importExportStep(double v, const TDesignRecord& rec);
    // Stores the new elevations and cuts/fills in the station records.
    void writeBack() const;
    // Takes the new elevations the station records hold for the target.
    void loadNewElevations();
    // Lowers every new elevation by x.
    void shift(double x);

    double stationArea() const { return area_; }

    // Replaces the plane offsets with those of other steps, over the same
    // stations; `r` is the rectangle the stations were gathered for.
    void setSteps(const Rect& r, double colStep, double rowStep);

private:
    Field& field_;
    Target target_;
    bool rod_;
    double divisor_;
    double area_;
    bool meters_;
    std::unique_ptr<DesignBuffers> b_;
};

// The plane's height at the rectangle's origin so that it passes through
// the average at the stations' centroid.
double baseElevation(bool rodReadings, double average, double meanRow, double meanCol, double colStep,
                     double rowStep);

// Moves the plane until |cut - R * fill| rounded to 3 decimals is below 0.2
// or `limit` evaluations are spent.
CutFill ratioIteration(DesignWork& w, double base, double ratio, int stationCount, int limit, bool rodReadings,
                       double divisor);

// Moves the plane for the record's import or export volume; at most 51 steps.
CutFill importExportLoop(DesignWork& w, const TDesignRecord& rec, CutFill cf);

// Designs record k (0 the whole field, 1..7 a sector). False when the
// rectangle or its stations are too few to design; nothing changes then.
bool designRecord(Field& f, int k);

// Designs the whole field with the given slopes and the whole field's ratio
// and returns its cut, rounded to 1 decimal; nothing below 5 stations. With
// writeBack the stations keep the trial plane.
std::optional<double> trialDesign(Field& f, double rowSlope, double colSlope, bool writeBack = true);

// The whole-field trial design made again and again with other slopes: the
// stations, their average and centroid are gathered once, and each trial
// only recomputes the plane. Every trial gives exactly the cut trialDesign
// gives for the same slopes. Takes the default ratio into the whole field's
// record when its ratio is 0, as trialDesign does; throws SpacingError when
// a spacing is not a whole number.
class TrialDesigner {
public:
    explicit TrialDesigner(Field& f);
    TrialDesigner(const TrialDesigner&) = delete;
    TrialDesigner& operator=(const TrialDesigner&) = delete;

    // Below 5 stations no trial is made.
    bool ready() const { return work_ != nullptr; }
    // Cut of the whole field at these slopes, rounded to 1 decimal.
    std::optional<double> cut(double rowSlope, double colSlope);
    // Stores the last trial's plane in FullNE/FullCF.
    void writeBack() const;

private:
    Field& field_;
    Rect rect_;
    int rowSpacing_ = 0;
    int colSpacing_ = 0;
    double ratio_ = 0;
    double average_ = 0;
    Centroid centroid_;
    std::unique_ptr<DesignWork> work_;
};

}  // namespace tarnwick

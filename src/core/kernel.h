#pragma once
// The design kernel: lays a plane with the asked slopes over a rectangle of
// stations, moves it up or down until cut stands in the asked ratio to fill,
// then moves it again for an import or export volume.

#include <memory>
#include <optional>
#include <vector>

#include "field.h"

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

    double stationArea() const { return area_; }

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

}  // namespace tarnwick

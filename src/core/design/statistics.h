#pragma once
// Survey statistics: averages, centroid and the best-fit slopes of a
// rectangle of stations. They read the survey cells only and change no
// station record.

#include <vector>

#include "core/field/field.h"

namespace tarnwick {

struct Centroid {
    int count = 0;        // stations holding a reading
    double meanRow = 0;   // 1-based position inside the rectangle
    double meanCol = 0;
};

struct BestFit {
    double RowSlope = 0;  // per 100 length units
    double ColSlope = 0;
    double average = 0;   // rectangle average, 3 decimals
    bool operator==(const BestFit&) const = default;
};

// Mean of the non-zero cell values of the rectangle, rounded to 3 decimals
// and 7 significant digits.
double rectangleAverage(const Field& f, const Rect& r);
Centroid rectangleCentroid(const Field& f, const Rect& r);
double rowAverage(const Field& f, int row, int firstCol, int lastCol);
double colAverage(const Field& f, int col, int firstRow, int lastRow);

// Least-squares slope of values against their position 1..n.
double seriesSlope(const std::vector<double>& values, bool rodReadings);
// The same over the non-zero values only, each at its running count.
double readingsSlope(const std::vector<double>& values, bool rodReadings);

// Best fit of a sector rectangle through its row and column averages; the
// whole field's rectangle is fitted as the whole field.
BestFit bestFitOfRectangle(Field& f, const Rect& r);

// Whole field: the mean of the per-row and per-column regressions. Also
// fills RowAverages and ColAverages.
BestFit wholeFieldBestFit(Field& f);

}  // namespace tarnwick

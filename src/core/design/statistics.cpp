#include "core/design/statistics.h"

#include <algorithm>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

// The rectangle's part that lies on the Survey grid.
Rect onGrid(const Field& f, const Rect& r) {
    return {std::max(r.firstCol, 1), std::max(r.firstRow, 1), std::min(r.lastCol, f.Survey.colCount() - 1),
            std::min(r.lastRow, f.Survey.rowCount() - 1)};
}

// Least-squares slope of (x, y) points given one by one.
class Regression {
public:
    void add(double x, double y) {
        ++n_;
        sx_ += x;
        sy_ += y;
        sxy_ += x * y;
        sxx_ += x * x;
    }
    double slope() const {
        if (n_ == 0) return 0;
        const double n = n_;
        double d = sxx_ - sx_ * sx_ / n;
        double num = sxy_ - sx_ * sy_ / n;
        return d == 0 ? 0 : num / d;
    }

private:
    int n_ = 0;
    double sx_ = 0, sy_ = 0, sxy_ = 0, sxx_ = 0;
};

// Readings slope of the values met one by one: zeros skipped, the k-th
// non-zero value at x = k.
class ReadingsRegression {
public:
    void add(double v) {
        if (v != 0) r_.add(++k_, v);
    }
    double slope(bool rodReadings) const { return rodReadings ? -r_.slope() : r_.slope(); }

private:
    Regression r_;
    int k_ = 0;
};

}  // namespace

// Mean of the non-zero cell values of a rectangle, 0 when there is none.
double nonZeroMean(const Field& f, const Rect& rect) {
    Rect r = onGrid(f, rect);
    double sum = 0;
    int count = 0;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int col = r.firstCol; col <= r.lastCol; ++col) {
            double v = f.Survey.value(col, row);
            sum += v;
            if (v != 0) ++count;
        }
    return count > 0 ? sum / count : 0.0;
}

double rectangleAverage(const Field& f, const Rect& rect) {
    return parseReading(formatFixed(nonZeroMean(f, rect), 3, 7));
}

Centroid rectangleCentroid(const Field& f, const Rect& rect) {
    Rect r = onGrid(f, rect);
    Centroid c;
    double rowSum = 0, colSum = 0;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int col = r.firstCol; col <= r.lastCol; ++col)
            if (f.Survey.holdsReading(col, row)) {
                ++c.count;
                // In doubles: no int overflow whatever the rectangle holds.
                rowSum += static_cast<double>(row) - rect.firstRow + 1;
                colSum += static_cast<double>(col) - rect.firstCol + 1;
            }
    if (c.count > 0) {
        c.meanRow = rowSum / c.count;
        c.meanCol = colSum / c.count;
    }
    return c;
}

double rowAverage(const Field& f, int row, int firstCol, int lastCol) {
    return nonZeroMean(f, {firstCol, row, lastCol, row});
}

double colAverage(const Field& f, int col, int firstRow, int lastRow) {
    return nonZeroMean(f, {col, firstRow, col, lastRow});
}

double seriesSlope(const std::vector<double>& values, bool rodReadings) {
    Regression r;
    for (size_t i = 0; i < values.size(); ++i) r.add(static_cast<double>(i + 1), values[i]);
    return rodReadings ? -r.slope() : r.slope();
}

double readingsSlope(const std::vector<double>& values, bool rodReadings) {
    ReadingsRegression r;
    for (double v : values) r.add(v);
    return r.slope(rodReadings);
}

BestFit bestFitOfRectangle(Field& f, const Rect& r) {
    if (r.firstCol == 1 && r.firstRow == 1 && r.lastCol == f.NumCols && r.lastRow == f.NumRows)
        return wholeFieldBestFit(f);
    std::vector<double> rowAvgs, colAvgs;
    for (int row = r.firstRow; row <= r.lastRow; ++row) rowAvgs.push_back(rowAverage(f, row, r.firstCol, r.lastCol));
    for (int col = r.firstCol; col <= r.lastCol; ++col) colAvgs.push_back(colAverage(f, col, r.firstRow, r.lastRow));
    const bool rod = f.prefs.RodReadings;
    double colStep = roundTo(seriesSlope(rowAvgs, rod), 3);
    double rowStep = roundTo(seriesSlope(colAvgs, rod), 3);
    BestFit b;
    b.ColSlope = colStep * 100 / f.prefs.rowSpacing();
    b.RowSlope = rowStep * 100 / f.prefs.colSpacing();
    b.average = rectangleAverage(f, r);
    return b;
}

BestFit wholeFieldBestFit(Field& f) {
    const int rows = f.NumRows, cols = f.NumCols;
    const bool rod = f.prefs.RodReadings;
    f.RowAverages.assign(static_cast<size_t>(rows + 1), 0.0);
    f.ColAverages.assign(static_cast<size_t>(cols + 1), 0.0);
    for (int r = 1; r <= rows; ++r) f.RowAverages[static_cast<size_t>(r)] = rowAverage(f, r, 1, cols);
    for (int c = 1; c <= cols; ++c) f.ColAverages[static_cast<size_t>(c)] = colAverage(f, c, 1, rows);

    // One pass in row order: each row's regression is finished at the row's
    // end, each column's keeps running until the last row.
    std::vector<ReadingsRegression> columns(static_cast<size_t>(cols + 1));
    double rowSum = 0;
    for (int r = 1; r <= rows; ++r) {
        ReadingsRegression row;
        for (int c = 1; c <= cols; ++c) {
            double v = f.Survey.value(c, r);
            row.add(v);
            columns[static_cast<size_t>(c)].add(v);
        }
        rowSum += row.slope(rod);
    }
    double colSum = 0;
    for (int c = 1; c <= cols; ++c) colSum += columns[static_cast<size_t>(c)].slope(rod);
    double rowStep = rows > 0 ? roundTo(rowSum / rows, 3) : 0.0;
    double colStep = cols > 0 ? roundTo(colSum / cols, 3) : 0.0;
    BestFit b;
    b.ColSlope = colStep * 100 / f.prefs.rowSpacing();
    b.RowSlope = rowStep * 100 / f.prefs.colSpacing();
    b.average = rectangleAverage(f, f.wholeField());
    return b;
}

}  // namespace tarnwick

#include "statistics.h"

#include <algorithm>

#include "number_format.h"

namespace tarnwick {
namespace {

// The rectangle's part that lies on the Survey grid.
Rect onGrid(const Field& f, const Rect& r) {
    return {std::max(r.firstCol, 1), std::max(r.firstRow, 1), std::min(r.lastCol, f.Survey.colCount() - 1),
            std::min(r.lastRow, f.Survey.rowCount() - 1)};
}

double regression(const std::vector<double>& xs, const std::vector<double>& ys) {
    const double n = static_cast<double>(xs.size());
    if (xs.empty()) return 0;
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
        sxy += xs[i] * ys[i];
        sxx += xs[i] * xs[i];
    }
    double d = sxx - sx * sx / n;
    double num = sxy - sx * sy / n;
    return d == 0 ? 0 : num / d;
}

}  // namespace

double rectangleAverage(const Field& f, const Rect& rect) {
    Rect r = onGrid(f, rect);
    double sum = 0;
    int count = 0;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int col = r.firstCol; col <= r.lastCol; ++col) {
            double v = f.Survey.value(col, row);
            sum += v;
            if (v != 0) ++count;
        }
    double avg = count > 0 ? sum / count : 0.0;
    return parseReading(formatFixed(avg, 3, 7));
}

Centroid rectangleCentroid(const Field& f, const Rect& rect) {
    Rect r = onGrid(f, rect);
    Centroid c;
    double rowSum = 0, colSum = 0;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int col = r.firstCol; col <= r.lastCol; ++col)
            if (f.Survey.holdsReading(col, row)) {
                ++c.count;
                rowSum += row - rect.firstRow + 1;
                colSum += col - rect.firstCol + 1;
            }
    if (c.count > 0) {
        c.meanRow = rowSum / c.count;
        c.meanCol = colSum / c.count;
    }
    return c;
}

double rowAverage(const Field& f, int row, int firstCol, int lastCol) {
    Rect r = onGrid(f, {firstCol, row, lastCol, row});
    double sum = 0;
    int n = 0;
    if (row < 1 || row > r.lastRow) return 0;
    for (int col = r.firstCol; col <= r.lastCol; ++col) {
        double v = f.Survey.value(col, row);
        sum += v;
        if (v != 0) ++n;
    }
    return n > 0 ? sum / n : 0.0;
}

double colAverage(const Field& f, int col, int firstRow, int lastRow) {
    Rect r = onGrid(f, {col, firstRow, col, lastRow});
    double sum = 0;
    int n = 0;
    if (col < 1 || col > r.lastCol) return 0;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        double v = f.Survey.value(col, row);
        sum += v;
        if (v != 0) ++n;
    }
    return n > 0 ? sum / n : 0.0;
}

double seriesSlope(const std::vector<double>& values, bool rodReadings) {
    std::vector<double> xs(values.size());
    for (size_t i = 0; i < xs.size(); ++i) xs[i] = static_cast<double>(i + 1);
    double s = regression(xs, values);
    return rodReadings ? -s : s;
}

double readingsSlope(const std::vector<double>& values, bool rodReadings) {
    std::vector<double> xs, ys;
    for (double v : values)
        if (v != 0) {
            ys.push_back(v);
            xs.push_back(static_cast<double>(ys.size()));
        }
    double s = regression(xs, ys);
    return rodReadings ? -s : s;
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

    std::vector<double> line;
    double colSum = 0;
    for (int c = 1; c <= cols; ++c) {
        line.clear();
        for (int r = 1; r <= rows; ++r) line.push_back(f.Survey.value(c, r));
        colSum += readingsSlope(line, rod);
    }
    double rowSum = 0;
    for (int r = 1; r <= rows; ++r) {
        line.clear();
        for (int c = 1; c <= cols; ++c) line.push_back(f.Survey.value(c, r));
        rowSum += readingsSlope(line, rod);
    }
    double rowStep = rows > 0 ? roundTo(rowSum / rows, 3) : 0.0;
    double colStep = cols > 0 ? roundTo(colSum / cols, 3) : 0.0;
    BestFit b;
    b.ColSlope = colStep * 100 / f.prefs.rowSpacing();
    b.RowSlope = rowStep * 100 / f.prefs.colSpacing();
    b.average = rectangleAverage(f, f.wholeField());
    return b;
}

}  // namespace tarnwick

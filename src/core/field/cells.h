#pragma once
// Addresses on the station grid: one cell, and a rectangle of cells. Columns
// and rows count from 1; row and column 0 are the grids' headers.

namespace tarnwick {

struct TDesignRecord;

struct CellPos {
    int col = 1;
    int row = 1;
    bool operator==(const CellPos&) const = default;
};

struct Rect {
    int firstCol = 0;
    int firstRow = 0;
    int lastCol = 0;
    int lastRow = 0;
    bool contains(int col, int row) const {
        return col >= firstCol && col <= lastCol && row >= firstRow && row <= lastRow;
    }
    bool empty() const { return lastCol < firstCol || lastRow < firstRow; }
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect unitedWith(const Rect& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        return {firstCol < o.firstCol ? firstCol : o.firstCol, firstRow < o.firstRow ? firstRow : o.firstRow,
                lastCol > o.lastCol ? lastCol : o.lastCol, lastRow > o.lastRow ? lastRow : o.lastRow};
    }
    bool operator==(const Rect&) const = default;
    static Rect of(const TDesignRecord& r);  // core/field/field.h
};

}  // namespace tarnwick

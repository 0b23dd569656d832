#include "core/design/result_tables.h"

#include <algorithm>
#include <cmath>

#include "core/base/number_format.h"

namespace tarnwick {

char cutFillMark(double c) {
    if (c < -0.005) return 'C';
    if (c > 0.005) return 'F';
    return 'G';
}

std::string cutFillText(double c) { return std::string(1, cutFillMark(c)) + formatFixed(c, 2); }

CellColour colourOfText(const std::string& text) {
    if (text.empty()) return CellColour::Default;
    std::string s = text;
    auto isMark = [](char ch) { return ch == 'C' || ch == 'F' || ch == 'G'; };
    if (s.size() > 1 && std::any_of(s.begin() + 1, s.end(), isMark)) s.pop_back();
    if (std::any_of(s.begin(), s.end(), isMark)) s.erase(0, 1);
    double v = parseReading(s);
    if (v < 0) return CellColour::Red;
    if (v > 0) return CellColour::Blue;
    return CellColour::Green;
}

void ResultGrids::clear() {
    filled_ = false;
    cols_ = rows_ = 0;
    oe_.clear();
    ne_.clear();
    cf_.clear();
    shown_.clear();
    finalOverrides_.clear();
    totals_ = YardbookTotals{};
}

void ResultGrids::fill(const Field& f, DesignView view) {
    finalOverrides_.clear();
    view_ = view;
    filled_ = true;
    cols_ = f.NumCols;
    rows_ = f.NumRows;
    const size_t n = static_cast<size_t>(cols_ + 1) * static_cast<size_t>(rows_ + 1);
    oe_.assign(n, 0.0);
    ne_.assign(n, 0.0);
    cf_.assign(n, 0.0);
    shown_.assign(n, 0);
    totals_ = YardbookTotals{};
    totals_.colCut.assign(static_cast<size_t>(cols_ + 1), 0.0);
    totals_.colFill.assign(static_cast<size_t>(cols_ + 1), 0.0);
    totals_.rowCut.assign(static_cast<size_t>(rows_ + 1), 0.0);
    totals_.rowFill.assign(static_cast<size_t>(rows_ + 1), 0.0);
    const double area = f.prefs.stationArea();
    const double divisor = f.prefs.Divisor();
    const bool full = view == DesignView::FullField;
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= cols_; ++c) {
            const TFieldData* s = f.station(c, r);
            if (!s) continue;
            size_t i = idx(c, r);
            double ne = full ? s->FullNE : s->SecNE;
            double cf = full ? s->FullCF : s->SecCF;
            oe_[i] = s->oe;
            ne_[i] = ne;
            cf_[i] = cf;
            // A new elevation that reads back as 0.00 is a station without a
            // design: its cells stay empty.
            shown_[i] = (std::fabs(ne) >= 0.0051 || parseReading(formatFixed(ne, 2)) != 0) ? 1 : 0;

            double v = roundTo(cf * s->Weight * area / divisor, 3);
            if (v > 0) {
                totals_.colFill[static_cast<size_t>(c)] += v;
                totals_.rowFill[static_cast<size_t>(r)] += v;
                totals_.grandFill += v;
            } else if (v < 0) {
                totals_.colCut[static_cast<size_t>(c)] += v;
                totals_.rowCut[static_cast<size_t>(r)] += v;
                totals_.grandCut += v;
            }
        }
}

std::string ResultGrids::yardbookText(int col, int row) const {
    if (col == 0 || row == 0) return yardbookHeader(cols_, rows_, col, row);
    if (!filled_) return {};
    if (station(col, row)) return hasDesign(col, row) ? cutFillText(cf_[idx(col, row)]) : std::string();
    auto total = [](double v) { return formatFixed(v, 0); };
    if (row == rows_ + 2 && col <= cols_) return total(totals_.colCut[static_cast<size_t>(col)]);
    if (row == rows_ + 3 && col <= cols_) return total(totals_.colFill[static_cast<size_t>(col)]);
    if (col == cols_ + 2 && row <= rows_) return total(totals_.rowCut[static_cast<size_t>(row)]);
    if (col == cols_ + 3 && row <= rows_) return total(totals_.rowFill[static_cast<size_t>(row)]);
    if (col == cols_ + 2 && row == rows_ + 2) return total(totals_.grandCut);
    if (col == cols_ + 3 && row == rows_ + 3) return total(totals_.grandFill);
    return {};
}

CellColour ResultGrids::yardbookColour(int col, int row) const {
    if (col == 0 || row == 0) return CellColour::Default;
    return colourOfText(yardbookText(col, row));
}

std::string ResultGrids::fullDesignText(int col, int row) const {
    if (col == 0 || row == 0) return fullDesignHeader(col, row);
    if (!filled_) return {};
    int stationRow = (row + 2) / 3;
    if (!station(col, stationRow) || !hasDesign(col, stationRow)) return {};
    size_t i = idx(col, stationRow);
    switch (row % 3) {
        case 1: return formatFixed(oe_[i], 2);
        case 2: return formatFixed(ne_[i], 2);
        default: return cutFillText(cf_[i]);
    }
}

CellColour ResultGrids::fullDesignColour(int col, int row) const {
    if (col == 0 || row == 0 || row % 3 != 0) return CellColour::Default;
    return colourOfText(fullDesignText(col, row));
}

void ResultGrids::setFinalElevationText(int col, int row, const std::string& text) {
    finalOverrides_[{col, row}] = text;
}

std::string ResultGrids::finalElevationText(int col, int row) const {
    if (col == 0 || row == 0) return fieldGridHeader(col, row);
    if (!finalOverrides_.empty()) {
        auto it = finalOverrides_.find({col, row});
        if (it != finalOverrides_.end()) return it->second;
    }
    if (!filled_ || !hasDesign(col, row)) return {};
    return formatFixed(ne_[idx(col, row)], 2);
}

CellColour ResultGrids::finalElevationColour(int col, int row) const {
    if (col == 0 || row == 0 || finalElevationText(col, row).empty()) return CellColour::Default;
    return colourOfText(yardbookText(col, row));
}

std::string fieldGridHeader(int col, int row) {
    if (col == 0 && row == 0) return {};
    if (col == 0) return std::to_string(row);
    if (row == 0) return columnLetters(col);
    return {};
}

std::string yardbookHeader(int numCols, int numRows, int col, int row) {
    if (col == 0 && row > 0) {
        if (row == numRows + 1) return "  ";
        if (row == numRows + 2) return "Cut";
        if (row == numRows + 3) return "Fill";
    }
    if (row == 0 && col > 0) {
        if (col == numCols + 1) return "   ";
        if (col == numCols + 2) return "Cut";
        if (col == numCols + 3) return "Fill";
    }
    return fieldGridHeader(col, row);
}

std::string fullDesignHeader(int col, int row) {
    if (col == 0 && row > 0) return (row + 2) % 3 == 0 ? std::to_string((row + 2) / 3) : std::string("-");
    return fieldGridHeader(col, row);
}

CellBorders sectorBorders(const Field& f, DesignView view, int col, int row, bool fullDesign) {
    CellBorders b;
    if (view != DesignView::Sector || col < 1 || row < 1) return b;
    for (int k = 1; k <= f.NumSectors; ++k) {
        const TDesignRecord& s = f.DesignRecords[static_cast<size_t>(k)];
        int first = fullDesign ? 3 * s.FirstRow - 2 : s.FirstRow;
        int last = fullDesign ? 3 * s.LastRow : s.LastRow;
        if (col < s.FirstCol || col > s.LastCol || row < first || row > last) continue;
        b.top = b.top || row == first;
        b.bottom = b.bottom || row == last;
        b.left = b.left || col == s.FirstCol;
        b.right = b.right || col == s.LastCol;
    }
    return b;
}

DesignParametersTable::DesignParametersTable() {
    static const char* const header[kCols] = {"",         "Totals", "", "Sector 1", "", "Sector 2", "", "Sector 3", "",
                                              "Sector 4", "",       "Sector 5", "", "Sector 6", "", "Sector 7", ""};
    static const char* const captions[kRows] = {"",
                                                "Column Slope ",
                                                "Row Slope ",
                                                "Cut Volume ",
                                                "Fill Volume ",
                                                "Cut/Fill Ratio ",
                                                "Import/Export ",
                                                "Average Elevation ",
                                                "Area ",
                                                "Cut/Area"};
    for (int c = 0; c < kCols; ++c) at(c, 0) = header[c];
    for (int r = 0; r < kRows; ++r) at(0, r) = captions[r];
}

int DesignParametersTable::columnWidth(int col) {
    if (col == 0) return 118;
    if (col == 1) return 47;
    return col % 2 == 0 ? 12 : 59;
}

Align DesignParametersTable::alignment(int col, int row) {
    if (row == 0) return Align::Centre;
    if (col == 0) return Align::Right;
    return Align::Right;
}

}  // namespace tarnwick

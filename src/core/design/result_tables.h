#pragma once
// The result grids as data: the Yardbook (cut or fill per station with row
// and column totals), the Full Design grid (old value, new value and
// cut/fill, three grid rows per station row), the Final Elevations grid and
// the Design Parameters grid, with their marks, colours and sector borders.
// The station numbers are copied when the grids are filled, so a grid keeps
// showing its last design until it is filled again; cell text is made when
// a cell is asked for, so only the cells on screen are ever formatted.

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/field/field.h"

namespace tarnwick {

enum class DesignView { FullField, Sector };

enum class CellColour { Default, Red, Green, Blue };

struct CellBorders {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    bool any() const { return top || bottom || left || right; }
};

enum class Align { Left, Centre, Right };

// "C" below -0.005, "F" above 0.005, "G" between.
char cutFillMark(double cutFill);
// The mark and the value with two decimals: "C-0.25", "F0.30", "G0.00".
std::string cutFillText(double cutFill);
// Font colour of a result cell from its text: red below 0, green at 0,
// blue above.
CellColour colourOfText(const std::string& text);

// Exact Yardbook totals: the sums of the station volumes, each rounded to
// 3 decimals, before they are rounded for display. Cut totals are negative.
struct YardbookTotals {
    std::vector<double> colCut, colFill;  // index 1..NumCols
    std::vector<double> rowCut, rowFill;  // index 1..NumRows
    double grandCut = 0;
    double grandFill = 0;
};

class ResultGrids {
public:
    // Fill result grids for a view from the station records.
    void fill(const Field& f, DesignView view);
    void clear();

    bool filled() const { return filled_; }
    DesignView view() const { return view_; }
    int numCols() const { return cols_; }
    int numRows() const { return rows_; }
    const YardbookTotals& totals() const { return totals_; }

    // Yardbook grid, header row and column included. At least 131 x 131;
    // larger when the totals of a field of more than 127 rows or columns
    // need the room.
    int yardbookColCount() const { return std::max(kFieldGridSize, cols_ + 4); }
    int yardbookRowCount() const { return std::max(kFieldGridSize, rows_ + 4); }
    std::string yardbookText(int col, int row) const;
    CellColour yardbookColour(int col, int row) const;

    // Full Design grid: three grid rows per station row; 101 columns, or as
    // many as the field needs beyond 100.
    int fullDesignColCount() const { return std::max(101, cols_ + 1); }
    int fullDesignRowCount(const Field& f) const { return f.fullDesignRows; }
    std::string fullDesignText(int col, int row) const;
    CellColour fullDesignColour(int col, int row) const;

    // Final Elevations grid, 131 x 131.
    std::string finalElevationText(int col, int row) const;
    // A typed value refused by the grid: the cell shows this text until the
    // grids are filled again.
    void setFinalElevationText(int col, int row, const std::string& text);
    CellColour finalElevationColour(int col, int row) const;

private:
    size_t idx(int col, int row) const { return static_cast<size_t>(row) * static_cast<size_t>(cols_ + 1) + static_cast<size_t>(col); }
    bool station(int col, int row) const { return col >= 1 && row >= 1 && col <= cols_ && row <= rows_; }
    // A station whose new elevation reads as something: its cells show it.
    bool hasDesign(int col, int row) const { return station(col, row) && shown_[idx(col, row)]; }

    bool filled_ = false;
    DesignView view_ = DesignView::FullField;
    int cols_ = 0, rows_ = 0;
    std::vector<double> oe_, ne_, cf_;
    std::vector<unsigned char> shown_;
    std::map<std::pair<int, int>, std::string> finalOverrides_;
    YardbookTotals totals_;
};

// Header labels of the field grids: row numbers and column letters; the
// Yardbook names its total rows and columns; the Full Design grid numbers
// only the first of each station's three rows.
std::string fieldGridHeader(int col, int row);
std::string yardbookHeader(int numCols, int numRows, int col, int row);
std::string fullDesignHeader(int col, int row);

// Black outline around every sector, drawn while the sector view is chosen.
// `fullDesign` selects the three-rows-per-station layout.
CellBorders sectorBorders(const Field& f, DesignView view, int col, int row, bool fullDesign);

// The Design Parameters grid: 17 columns x 10 rows of text, with the
// slope-direction pictures 17..20 in the narrow columns.
struct DesignParametersTable {
    static constexpr int kCols = 17;
    static constexpr int kRows = 10;
    std::array<std::array<std::string, kCols>, kRows> text{};  // [row][col]
    std::array<std::array<int, kCols>, kRows> picture{};

    DesignParametersTable();
    const std::string& at(int col, int row) const { return text[static_cast<size_t>(row)][static_cast<size_t>(col)]; }
    std::string& at(int col, int row) { return text[static_cast<size_t>(row)][static_cast<size_t>(col)]; }
    static int columnWidth(int col);
    static Align alignment(int col, int row);
};

}  // namespace tarnwick

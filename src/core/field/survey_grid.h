#pragma once
// The Survey grid's text: the master copy of the readings. Each cell keeps,
// beside its text, the two numbers every design step needs, so the text is
// read once when it is written and never again in a loop.

#include <optional>
#include <string>
#include <vector>

#include "core/field/cells.h"

namespace tarnwick {

constexpr int kMaxStationRows = 130;
constexpr int kMaxStationCols = 130;
constexpr int kFieldGridSize = 131;  // with the header row and column

class SurveyGrid {
public:
    SurveyGrid() { resize(kFieldGridSize, kFieldGridSize); }

    int colCount() const { return cols_; }  // with the header column
    int rowCount() const { return rows_; }  // with the header row

    const std::string& text(int col, int row) const { return text_[index(col, row)]; }
    void setText(int col, int row, std::string text);

    // A station holds a reading when its text is not empty.
    bool holdsReading(int col, int row) const { return nonEmpty_[index(col, row)] != 0; }
    // The reading with "C"/"F" marks removed (see parseReading).
    double reading(int col, int row) const { return reading_[index(col, row)]; }
    // The cell's plain numeric value, 0 when it holds no number.
    double value(int col, int row) const { return value_[index(col, row)]; }

    // Picture drawn in the cell: 0 none, 21..27 the sector numbers, 28 the
    // partial-station mark.
    int picture(int col, int row) const { return inside(col, row) ? picture_[index(col, row)] : 0; }
    void setPicture(int col, int row, int picture);
    void clearPictures();

    bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }

    void clearData();  // every cell but the header row and column
    void resize(int cols, int rows);

    // Row and column moves of the editing commands; text pushed past the
    // last station row or column is dropped.
    void insertRow(int row);
    void deleteRow(int row);
    void insertCol(int col);
    void deleteCol(int col);

    // Counts the changes of the text: equal counts, equal text.
    unsigned long long textRevision() const { return textRevision_; }
    // The cells whose text or picture changed since the last call, and
    // forgets them.
    std::optional<Rect> takeChangedCells();

private:
    size_t index(int col, int row) const { return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col); }
    void copyCell(int fromCol, int fromRow, int toCol, int toRow);
    void markChanged(int col, int row);

    int cols_ = 0;
    int rows_ = 0;
    std::vector<std::string> text_;
    std::vector<double> reading_;
    std::vector<double> value_;
    std::vector<unsigned char> nonEmpty_;
    std::vector<unsigned char> picture_;
    unsigned long long textRevision_ = 0;
    std::optional<Rect> changed_;
};

}  // namespace tarnwick

#include "core/field/survey_grid.h"

#include "core/base/number_format.h"

#include <algorithm>

namespace tarnwick {

void SurveyGrid::markChanged(int col, int row) {
    const Rect cell{col, row, col, row};
    changed_ = changed_ ? changed_->unitedWith(cell) : cell;
}

std::optional<Rect> SurveyGrid::takeChangedCells() {
    std::optional<Rect> out = changed_;
    changed_.reset();
    return out;
}

void SurveyGrid::setText(int col, int row, std::string text) {
    if (!inside(col, row)) return;
    size_t i = index(col, row);
    if (text_[i] == text) return;
    ++textRevision_;
    markChanged(col, row);
    reading_[i] = parseReading(text);
    value_[i] = cellValue(text);
    nonEmpty_[i] = text.empty() ? 0 : 1;
    text_[i] = std::move(text);
}

void SurveyGrid::clearData() {
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c) {
            size_t i = index(c, r);
            if (!nonEmpty_[i]) continue;
            ++textRevision_;
            markChanged(c, r);
            text_[i].clear();
            reading_[i] = value_[i] = 0;
            nonEmpty_[i] = 0;
        }
}

void SurveyGrid::resize(int cols, int rows) {
    if (cols == cols_ && rows == rows_) return;
    SurveyGrid old = *this;
    ++textRevision_;
    changed_ = Rect{0, 0, cols - 1, rows - 1};
    cols_ = cols;
    rows_ = rows;
    size_t n = static_cast<size_t>(cols) * static_cast<size_t>(rows);
    text_.assign(n, std::string());
    reading_.assign(n, 0.0);
    value_.assign(n, 0.0);
    nonEmpty_.assign(n, 0);
    picture_.assign(n, 0);
    for (int r = 0; r < std::min(rows, old.rows_); ++r)
        for (int c = 0; c < std::min(cols, old.cols_); ++c) {
            size_t from = old.index(c, r);
            size_t to = index(c, r);
            text_[to] = old.text_[from];
            reading_[to] = old.reading_[from];
            value_[to] = old.value_[from];
            nonEmpty_[to] = old.nonEmpty_[from];
            picture_[to] = old.picture_[from];
        }
}

void SurveyGrid::copyCell(int fromCol, int fromRow, int toCol, int toRow) {
    size_t from = index(fromCol, fromRow);
    size_t to = index(toCol, toRow);
    if (from == to) return;
    if (text_[to] != text_[from]) ++textRevision_;
    if (text_[to] != text_[from] || picture_[to] != picture_[from]) markChanged(toCol, toRow);
    text_[to] = text_[from];
    reading_[to] = reading_[from];
    value_[to] = value_[from];
    nonEmpty_[to] = nonEmpty_[from];
    picture_[to] = picture_[from];
}

void SurveyGrid::setPicture(int col, int row, int picture) {
    if (!inside(col, row)) return;
    const auto p = static_cast<unsigned char>(picture);
    unsigned char& cell = picture_[index(col, row)];
    if (cell == p) return;
    cell = p;
    markChanged(col, row);
}

void SurveyGrid::clearPictures() {
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) setPicture(c, r, 0);
}

void SurveyGrid::insertRow(int row) {
    if (row < 1 || row >= rows_) return;
    for (int r = rows_ - 1; r > row; --r)
        for (int c = 1; c < cols_; ++c) copyCell(c, r - 1, c, r);
    for (int c = 1; c < cols_; ++c) setText(c, row, {}), setPicture(c, row, 0);
}

void SurveyGrid::deleteRow(int row) {
    if (row < 1 || row >= rows_) return;
    for (int r = row; r < rows_ - 1; ++r)
        for (int c = 1; c < cols_; ++c) copyCell(c, r + 1, c, r);
    for (int c = 1; c < cols_; ++c) setText(c, rows_ - 1, {}), setPicture(c, rows_ - 1, 0);
}

void SurveyGrid::insertCol(int col) {
    if (col < 1 || col >= cols_) return;
    for (int r = 1; r < rows_; ++r) {
        for (int c = cols_ - 1; c > col; --c) copyCell(c - 1, r, c, r);
        setText(col, r, {});
        setPicture(col, r, 0);
    }
}

void SurveyGrid::deleteCol(int col) {
    if (col < 1 || col >= cols_) return;
    for (int r = 1; r < rows_; ++r) {
        for (int c = col; c < cols_ - 1; ++c) copyCell(c + 1, r, c, r);
        setText(cols_ - 1, r, {});
        setPicture(cols_ - 1, r, 0);
    }
}

}  // namespace tarnwick

#pragma once
// Small fields built in code for the tests.

#include <functional>
#include <string>
#include <vector>

#include "core/field/field.h"
#include "core/base/number_format.h"

namespace tarnwick::test {

// Rows of cell texts, row 1 first; "" leaves a station empty.
inline Field fieldFromRows(const std::vector<std::vector<std::string>>& rows) {
    Field f;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            f.Survey.setText(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
    fieldScan(f);
    return f;
}

// cols x rows stations, reading(col, row) with 2 decimals.
inline Field fieldOf(int cols, int rows, const std::function<double(int, int)>& reading) {
    Field f;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) f.Survey.setText(c, r, formatFixed(reading(c, r), 2));
    fieldScan(f);
    return f;
}

}  // namespace tarnwick::test

#include "core/field/field.h"

#include <algorithm>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

int wholeSpacing(const std::string& text, const char* what) {
    auto v = parseInt(text);
    const std::string named = "The distance between " + std::string(what) + " \"" + text + "\"";
    if (!v) throw SpacingError(named + " is not a whole number.");
    if (*v < kMinSpacing || *v > kMaxSpacing)
        throw SpacingError(named + " is not between " + std::to_string(kMinSpacing) + " and " +
                           std::to_string(kMaxSpacing) + ".");
    return *v;
}

}  // namespace

std::optional<int> spacingValue(const std::string& text) {
    auto v = parseInt(text);
    if (!v || *v < kMinSpacing || *v > kMaxSpacing) return std::nullopt;
    return v;
}

int Preferences::rowSpacing() const { return wholeSpacing(rowSpacingText, "rows"); }
int Preferences::colSpacing() const { return wholeSpacing(colSpacingText, "columns"); }

double Preferences::defaultRatio() const { return parseReading(defaultRatioText); }

void Field::sizeFieldData(int cols, int rows) {
    FieldData.resize(static_cast<size_t>(cols + 1));
    for (auto& column : FieldData) column.resize(static_cast<size_t>(rows + 1));
}

void fieldScan(Field& f) {
    f.NumCols = f.NumRows = f.NumStations = 0;
    const SurveyGrid& g = f.Survey;
    for (int r = 1; r < g.rowCount(); ++r)
        for (int c = 1; c < g.colCount(); ++c)
            if (g.holdsReading(c, r)) {
                f.NumCols = std::max(f.NumCols, c);
                f.NumRows = std::max(f.NumRows, r);
            }
    f.NumStations = f.NumCols * f.NumRows;
    if (f.NumRows > 33) f.fullDesignRows = std::max(f.fullDesignRows, 3 * f.NumRows + 2);
    f.sizeFieldData(f.NumCols, f.NumRows);

    // The extremes start from the first reading found, so a field whose
    // readings are all negative, or all above 999, reports its true range.
    bool first = true;
    f.MaxReading = 0;
    f.MinReading = 999;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            if (!g.holdsReading(c, r)) {
                --f.NumStations;
                continue;
            }
            TFieldData& s = f.FieldData[static_cast<size_t>(c)][static_cast<size_t>(r)];
            s.oe = g.reading(c, r);
            if (!(s.Weight > 0)) s.Weight = 1.0;
            if (first || s.oe > f.MaxReading) f.MaxReading = s.oe;
            if (first || s.oe < f.MinReading) f.MinReading = s.oe;
            first = false;
        }
}

void clearField(Field& f) {
    for (auto& column : f.FieldData)
        for (auto& s : column) {
            s.oe = s.FullNE = s.FullCF = s.SecNE = s.SecCF = 0;
            s.Weight = 1.0;
        }
    f.NumCols = f.NumRows = f.NumStations = 0;
    f.Survey.resize(kFieldGridSize, kFieldGridSize);
    f.Survey.clearData();
    f.Survey.clearPictures();
    f.NumSectors = 0;
    f.blend = BlendState{};
    f.DesignRecords[0].ColSlope = f.DesignRecords[0].RowSlope = 0;
    f.DesignRecords[0].ImportExport = 0;
}

double rectangleArea(const Field& f, const Rect& r) {
    const double area = f.prefs.stationArea();
    double sum = 0;
    const SurveyGrid& g = f.Survey;
    for (int row = std::max(r.firstRow, 1); row <= std::min(r.lastRow, g.rowCount() - 1); ++row)
        for (int col = std::max(r.firstCol, 1); col <= std::min(r.lastCol, g.colCount() - 1); ++col)
            if (g.holdsReading(col, row)) sum += area * f.weight(col, row);
    return f.prefs.Divisor() == 27.0 ? sum / 43560.0 : sum / 10000.0;
}

int sectorOfStation(const Field& f, int col, int row) {
    for (int k = f.NumSectors; k >= 1; --k)
        if (Rect::of(f.DesignRecords[static_cast<size_t>(k)]).contains(col, row)) return k;
    return 0;
}

}  // namespace tarnwick

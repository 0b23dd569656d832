#include "core/field/conversion.h"

#include <cctype>
#include <functional>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

// Rewrites every reading of the scanned rectangle with newValue(col, row,
// v) in two decimals, after checking that every one of them is a number.
std::optional<CellPos> rewriteReadings(Field& f, const std::function<double(int, int, double)>& newValue) {
    SurveyGrid& g = f.Survey;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (g.holdsReading(c, r) && !parseNumber(g.text(c, r))) return CellPos{c, r};
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (g.holdsReading(c, r)) g.setText(c, r, formatFixed(newValue(c, r, *parseNumber(g.text(c, r))), 2));
    return std::nullopt;
}

int letterValue(char ch) {
    return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 1 : 0;
}

}  // namespace

const char* dataTypeCaption(bool rodReadings) {
    return rodReadings ? "Rod Readings" : "Elevations";
}

std::optional<CellPos> parseReferenceStation(std::string_view text) {
    std::string t;
    for (char ch : text) t += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    std::string_view rest = t;
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    int l1 = 0, l2 = 0;
    if (!rest.empty() && (l1 = letterValue(rest.front())) != 0) rest.remove_prefix(1);
    if (!rest.empty() && (l2 = letterValue(rest.front())) != 0) rest.remove_prefix(1);
    const std::optional<int> row = parseInt(rest);
    const int col = l2 != 0 ? l1 * 26 + l2 : l1;
    if (!row || *row < 1 || col < 1) return std::nullopt;
    return CellPos{col, *row};
}

std::optional<CellPos> convertReadings(Field& f, double benchMark) {
    return rewriteReadings(f, [benchMark](int, int, double v) { return benchMark - v; });
}

std::optional<CellPos> adjustReadings(Field& f, const LaserPlane& p) {
    return rewriteReadings(f, [&p](int c, int r, double v) {
        return v - p.rowSlope * (c - p.reference.col) * p.colSpacing / 100 -
               p.colSlope * (r - p.reference.row) * p.rowSpacing / 100;
    });
}

}  // namespace tarnwick
